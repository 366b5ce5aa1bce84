// The teacher's program on the command line: what it writes and its exit status,
// also as its own process on a computer without a display.
#include "teacher/command_line.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const QString kSource = QStringLiteral(SHKOLNIK_SOURCE_DIR);
const QString kClassroom = kSource + QStringLiteral("/examples/classroom");
const QString kBroken = kSource + QStringLiteral("/examples/broken");

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

Outcome run(const QStringList& arguments, bool terminal = false)
{
    nameTheProgram();
    Outcome result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    Console console{out, err, terminal};
    result.status = runCommandLine(QStringList{QStringLiteral("shkolnik-teacher")} + arguments, console);
    return result;
}

struct CommandRow {
    const char* name;
    QStringList arguments;
    int status;
    QString out; // a part of what is written to standard output
    QString err; // all that is written to standard error
};

void PrintTo(const CommandRow& row, std::ostream* os)
{
    *os << row.name;
}

class CommandLine : public ::testing::TestWithParam<CommandRow> {};

TEST_P(CommandLine, WritesAndEndsWithItsStatus)
{
    const Outcome result = run(GetParam().arguments);
    EXPECT_EQ(result.status, GetParam().status);
    EXPECT_TRUE(result.out.contains(GetParam().out)) << result.out.toStdString();
    EXPECT_EQ(result.err, GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLine,
    ::testing::Values(
        CommandRow{"Version", {"--version"}, 0, "shkolnik-teacher " SHKOLNIK_VERSION "\n", ""},
        CommandRow{"Help", {"-h"}, 0, "shkolnik-teacher check ПАПКА... [--format text|json]", ""},
        CommandRow{"CleanClassroom", {"check", kClassroom}, 0,
                   "3 теста и 1 список классов: 0 с ошибками, 0 с предупреждениями\n", ""},
        CommandRow{"WarningsAlone", {"check", kClassroom, "--class-list", kBroken + "/Klass.txt"}, 0,
                   "/examples/broken/Klass.txt:5: предупреждение: класс «5 Класс» уже есть в строке 1", ""},
        CommandRow{"Errors", {"check", kBroken}, 1,
                   "/examples/broken/Цифра ключа.ts1:1: ошибка: в ключе вопроса 1 на месте 2 стоит 9", ""},
        CommandRow{"UnknownCommand", {"fix", kBroken}, 2, "",
                   "shkolnik-teacher: неизвестная команда «fix»; справка: --help\n"},
        CommandRow{"NoFolder", {"check", "--format", "json"}, 2, "",
                   "shkolnik-teacher: не названа ни одна папка; справка: --help\n"},
        CommandRow{"MissingFolder", {"check", kClassroom, "/nowhere"}, 2, "",
                   "shkolnik-teacher: Путь не найден: /nowhere\n"},
        CommandRow{"UnknownFormat", {"check", kClassroom, "--format", "xml"}, 2, "",
                   "shkolnik-teacher: вид вывода «xml» неизвестен: бывает text или json\n"},
        CommandRow{"UnknownOption", {"check", kClassroom, "--fix"}, 2, "",
                   "shkolnik-teacher: неизвестный ключ «--fix»; справка: --help\n"},
        CommandRow{"OptionWithoutValue", {"check", kClassroom, "--format"}, 2, "",
                   "shkolnik-teacher: у ключа нет значения или есть лишнее; справка: --help\n"},
        CommandRow{"MissingClassList", {"check", kClassroom, "--class-list", "/nowhere.txt"}, 2, "",
                   "shkolnik-teacher: нет списка классов /nowhere.txt\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLineJson, IsOneArrayOfFindingsWithStableFields)
{
    const Outcome result = run({"check", kBroken, "--format", "json"});
    EXPECT_EQ(result.status, 1);
    const QJsonArray findings = QJsonDocument::fromJson(result.out.toUtf8()).array();
    ASSERT_EQ(findings.size(), 38);
    const QJsonObject first = findings.first().toObject();
    EXPECT_EQ(first.keys(), QStringList({"code", "file", "line", "message", "severity"}));
    EXPECT_EQ(first["code"].toString(), "points.overflow");
    EXPECT_EQ(first["line"].toInt(), 2);
    EXPECT_EQ(first["severity"].toString(), "warning");
    for (const QJsonValue finding : findings)
        EXPECT_TRUE(QStringList({"error", "warning", "note"}).contains(finding["severity"].toString()));
}

// On a terminal the progress line is written over itself and wiped before the
// findings; a short check shows none at all.
TEST(CommandLineProgress, LeavesNothingBehindOnATerminal)
{
    const QString err = run({"check", kBroken}, true).err;
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^((\\rПроверено \\d+ из 32 *)+\\r *\\r)?$")).match(err).hasMatch())
        << err.toStdString();
}

// Over ssh or on a server nobody starts a display for the check.
TEST(CommandLineProgram, ChecksWithoutADisplay)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TEACHER_PROGRAM), {"check", kClassroom});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_TRUE(program.readAllStandardOutput().endsWith(
        QStringLiteral("3 теста и 1 список классов: 0 с ошибками, 0 с предупреждениями\n").toUtf8()));
}

} // namespace
