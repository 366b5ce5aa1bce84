// The command report: its statuses, outputs and refusals, a run without a
// display, and the web page as a real browser prints it.
#include "teacher/command_line.h"
#include "teacher/report_html.h"

#include "tests/support/files.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kResults = QStringLiteral(SHKOLNIK_SOURCE_DIR "/examples/results");

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

Outcome run(const QStringList& arguments)
{
    nameTheProgram();
    Outcome result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    Console console{out, err, false};
    result.status = runCommandLine(QStringList{QStringLiteral("shkolnik-teacher")} + arguments, console);
    return result;
}

const QString kRead = QStringLiteral("Прочитано журналов: 4, протоколов: 32, файлов статистики: 4\n");

struct RefusalRow {
    const char* name;
    QStringList arguments;
    QString err;
};

class ReportRefusal : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(ReportRefusal, EndsWithTwoAndSaysWhy)
{
    const Outcome result = run(GetParam().arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "shkolnik-teacher: " + GetParam().err + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ReportRefusal,
    ::testing::Values(
        RefusalRow{"NoFolder", {"report", "-o", "x.html"}, "не названа ни одна папка; справка: --help"},
        RefusalRow{"MissingFolder", {"report", "/nowhere"}, "Путь не найден: /nowhere"},
        RefusalRow{"CheckOption", {"report", kResults, "--format", "json"},
                   "ключ «--format» бывает только у команды check; справка: --help"},
        RefusalRow{"ReportOption", {"check", kResults, "--csv", "/tmp"},
                   "ключ «--csv» бывает только у команды report; справка: --help"},
        RefusalRow{"OverAResultFile", {"report", kResults, "-o", kResults + "/5А_Дроби_1.doc"},
                   "отчёт не пишется в файл .doc: так называются файлы результатов"},
        RefusalRow{"UnwritableOutput", {"report", kResults, "-o", "/nowhere/report.html"},
                   "не удалось записать /nowhere/report.html: нет папки /nowhere"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReportCommand, WritesThePageOrTheTablesAndNeverTheFoldersRead)
{
    QTemporaryDir dir;
    const auto snapshot = [] {
        QStringList files;
        QDirIterator all(kResults, QDir::Files);
        while (all.hasNext()) {
            const QFileInfo info(all.next());
            files << info.fileName() + QString::number(info.size()) + info.lastModified().toString(Qt::ISODateWithMs);
        }
        files.sort();
        return files;
    };
    const QStringList before = snapshot();

    Outcome result = run({"report", kResults});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(result.out.startsWith("<!DOCTYPE html>"));
    EXPECT_EQ(result.err, kRead);

    result = run({"report", kResults, "--csv", dir.filePath("таблицы")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(readBytes(dir.filePath("таблицы/pupils.csv")).contains("5А;Дроби;1;Алексеева Мария;"));
    EXPECT_TRUE(readBytes(dir.filePath("таблицы/questions.csv")).contains("5Б;Дроби;2;Что такое числитель дроби?;5;"));

    result = run({"report", kResults, "-o", dir.filePath("отчёт.html")});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(readBytes(dir.filePath("отчёт.html")).endsWith("</html>\n"));
    EXPECT_EQ(snapshot(), before);
}

TEST(ReportCommand, ListsWhatItCannotReadAndEndsWithOne)
{
    QTemporaryDir dir;
    writeLines(dir.filePath("5А_Дроби_1.doc"),
               {"Иванов Иван               5А 1  15 4 75% 07.12.2026 9:05:03", "Петров Пётр, 5А: пять"});
    const Outcome result = run({"report", dir.path()});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.out.contains("<td>5А_Дроби_1.doc</td><td class=\"n\">2</td><td>строка другого вида"));
    EXPECT_EQ(result.err, "Прочитано журналов: 1, протоколов: 0, файлов статистики: 0; не удалось прочитать файлов "
                          "или строк: 1 (они перечислены в отчёте)\n");
}

// Whatever a pupil typed as a name stays text in the page.
TEST(ReportPage, PupilsTextsAreNeverMarkup)
{
    Report report;
    report.nodes.push_back({});
    ReportNode& node = report.nodes.back();
    node.classPart = "5А";
    node.topic = "Дроби <i>";
    node.variant = "1";
    RegisterEntry entry;
    entry.pupil = "<script>alert(1)</script> %1 %2";
    entry.percentText = "75";
    node.pupils.push_back({entry, node.topic, node.variant});
    const QString html = QString::fromUtf8(reportHtml(report, QDateTime(QDate(2026, 12, 7), QTime(15, 0))));
    EXPECT_TRUE(html.contains("<td>&lt;script&gt;alert(1)&lt;/script&gt; %1 %2</td>"));
    EXPECT_TRUE(html.contains("«Дроби &lt;i&gt;», вариант 1"));
    EXPECT_FALSE(html.contains("<script"));
    // Nothing is fetched: no scripts, links, images or frames from elsewhere.
    for (const char* fetch : {"src=", "<link", "@import", "url("})
        EXPECT_FALSE(html.contains(QLatin1String(fetch))) << fetch;
}

// Over ssh or on a server nobody starts a display for the report either.
TEST(ReportProgram, ReportsWithoutADisplay)
{
    QTemporaryDir dir;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TEACHER_PROGRAM), {"report", kResults, "-o", dir.filePath("r.html")});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_TRUE(readBytes(dir.filePath("r.html")).contains("<svg"));
}

// The page as a teacher prints it: a real browser makes a PDF of it, and the tables are in its text.
TEST(ReportPage, ABrowserPrintsItWithItsTables)
{
    const QString chromium = QStringLiteral("/usr/bin/chromium");
    if (!QFileInfo::exists(chromium))
        GTEST_SKIP() << "chromium is not installed";
    QTemporaryDir dir;
    const QString page = dir.filePath("report.html");
    const QString pdf = dir.filePath("report.pdf");
    ASSERT_EQ(run({"report", kResults, "-o", page}).status, 0);

    QProcess browser;
    browser.start(chromium, {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                             "--disable-background-networking", "--disable-component-update", "--disable-sync",
                             "--user-data-dir=" + dir.filePath("profile"), "--print-to-pdf=" + pdf,
                             "file://" + page});
    ASSERT_TRUE(browser.waitForFinished(120000));
    ASSERT_EQ(browser.exitCode(), 0) << browser.readAllStandardError().toStdString();

    QProcess text;
    text.start(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    ASSERT_EQ(text.exitCode(), 0) << "pdftotext (poppler-utils) is needed";
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* expected : {"Результаты тестов", "Класс 5А", "Класс 5Б", "«Столицы государств», вариант 1",
                                 "Алексеева Мария", "Распределение оценок", "Решаемость", "Различение",
                                 "Сколько будет 2 * 3/4?", "слишком лёгкий"})
        EXPECT_TRUE(printed.contains(QString::fromUtf8(expected))) << expected;
    // Each class from a new page: the overview, 5А, 5Б and the notes at least.
    EXPECT_GE(printed.count(u'\f'), 3);
}

} // namespace
