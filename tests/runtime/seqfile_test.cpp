#include "runtime/seqfile.h"

#include "tests/support/files.h"
#include "tests/support/failing_device.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

// A reader over bytes held in memory.
struct Reading {
    explicit Reading(const QByteArray& bytes) : data(bytes), buffer(&data)
    {
        buffer.open(QIODevice::ReadOnly);
    }
    QByteArray data;
    QBuffer buffer;
    SeqReader reader{buffer, QStringLiteral("test.tst")};
};

QStringList allLines(SeqReader& reader)
{
    QStringList lines;
    while (!reader.atEnd())
        lines << reader.lineInput();
    return lines;
}

QStringList allFields(SeqReader& reader)
{
    QStringList fields;
    while (!reader.atEnd())
        fields << reader.fieldInput();
    return fields;
}

struct LinesRow {
    const char* name;
    QByteArray bytes;
    QStringList lines;
};

class LineInputTest : public ::testing::TestWithParam<LinesRow> {};

TEST_P(LineInputTest, SplitsLines)
{
    Reading r(GetParam().bytes);
    EXPECT_EQ(allLines(r.reader), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LineInputTest,
    ::testing::Values(LinesRow{"CrLf", "a\r\nb\r\n", {"a", "b"}}, LinesRow{"LoneLf", "a\nb\n", {"a", "b"}},
                      LinesRow{"LoneCr", "a\rb", {"a", "b"}}, LinesRow{"LastLineWithoutEnd", "a\r\nb", {"a", "b"}},
                      LinesRow{"EmptyLinesKept", "a\r\n\r\nb\r\n", {"a", "", "b"}}, LinesRow{"EmptyFile", "", {}},
                      LinesRow{"CtrlZEndsTheFile", "a\r\n\x1A" "b\r\n", {"a"}},
                      LinesRow{"Cyrillic", "\xCC\xEE\xF1\xEA\xE2\xE0\r\n", {QStringLiteral("Москва")}}),
    [](const auto& info) { return std::string(info.param.name); });

class FieldInputTest : public ::testing::TestWithParam<LinesRow> {};

TEST_P(FieldInputTest, SplitsFields)
{
    Reading r(GetParam().bytes);
    EXPECT_EQ(allFields(r.reader), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FieldInputTest,
    ::testing::Values(
        LinesRow{"OnePerLine", "05 5 kl\r\n06 6 kl\r\n", {"05 5 kl", "06 6 kl"}},
        LinesRow{"CommaSeparates", "05 5a, 05 5b\r\n", {"05 5a", "05 5b"}},
        LinesRow{"QuotesKeepTheComma", "\"05 5a, 05 5b\"\r\n", {"05 5a, 05 5b"}},
        LinesRow{"LeadingBlanksSkippedTrailingDropped", "   a b   ,c\r\n", {"a b", "c"}},
        LinesRow{"QuotedKeepsBlanks", "\"  a  \"\r\n", {"  a  "}},
        LinesRow{"AfterClosingQuoteSkipped", "\"a\"xyz,b\r\n", {"a", "b"}},
        LinesRow{"EmptyFieldBetweenCommas", "a,,b\r\n", {"a", "", "b"}},
        LinesRow{"EmptyLineIsAnEmptyField", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        LinesRow{"UnclosedQuoteEndsAtLineEnd", "\"abc\r\nd\r\n", {"abc", "d"}},
        LinesRow{"NoLineEndAtTheEnd", "a,b", {"a", "b"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Int16Field, TellsMissingNotNumberAndOverflowApart)
{
    Reading r("30,  -7 ,2.5,abc,,40000\r\n-32768\r\n");
    const auto next = [&] { return r.reader.int16Field(); };
    Int16Field f = next();
    EXPECT_EQ(f.status, Int16Field::Status::Ok);
    EXPECT_EQ(f.value, 30);
    f = next();
    EXPECT_EQ(f.status, Int16Field::Status::Ok);
    EXPECT_EQ(f.value, -7);
    f = next();
    EXPECT_EQ(f.status, Int16Field::Status::Ok);
    EXPECT_EQ(f.value, 2);
    EXPECT_EQ(next().status, Int16Field::Status::NotNumber);
    EXPECT_EQ(next().status, Int16Field::Status::NotNumber);
    f = next();
    EXPECT_EQ(f.status, Int16Field::Status::Overflow);
    EXPECT_EQ(f.text, "40000");
    EXPECT_EQ(next().value, -32768);
    EXPECT_EQ(next().status, Int16Field::Status::Missing);
}

TEST(SeqReader, NumbersThenLinesContinueOnTheNextLine)
{
    Reading r("30\r\n20,10\r\nfirst body line\r\n");
    EXPECT_EQ(r.reader.int16Field().value, 30);
    EXPECT_EQ(r.reader.int16Field().value, 20);
    EXPECT_EQ(r.reader.int16Field().value, 10);
    EXPECT_EQ(r.reader.lineNumber(), 3);
    EXPECT_EQ(r.reader.lineInput(), "first body line");
}

TEST(SeqReader, ReadingPastTheEndIs62WithFileAndLine)
{
    Reading r("only\r\n");
    r.reader.lineInput();
    try {
        r.reader.lineInput();
        FAIL() << "no failure";
    } catch (const RunError& e) {
        EXPECT_EQ(e.number(), 62);
        EXPECT_EQ(e.description(), QStringLiteral("Попытка чтения за концом файла: файл test.tst, строка 2"));
    }
}


TEST(SeqReader, AFailingDeviceIs57)
{
    FailingDevice device("a\r\n");
    SeqReader reader(device, QStringLiteral("net.tst"));
    try {
        reader.lineInput();
        reader.lineInput();
        FAIL() << "no failure";
    } catch (const RunError& e) {
        EXPECT_EQ(e.number(), 57);
        EXPECT_TRUE(e.description().contains(QStringLiteral("net.tst")));
        EXPECT_TRUE(e.description().contains(QStringLiteral("сеть недоступна")));
    }
}

TEST(SeqReader, LongFilesAcrossBufferBoundaries)
{
    QByteArray bytes;
    for (int i = 0; i < 20000; ++i)
        bytes += QByteArray::number(i) + ",x\r\n";
    Reading r(bytes);
    int count = 0;
    while (!r.reader.atEnd()) {
        ASSERT_EQ(r.reader.int16Field().value, count);
        ASSERT_EQ(r.reader.fieldInput(), "x");
        ++count;
    }
    EXPECT_EQ(count, 20000);
}

TEST(SeqReader, LinesAcrossBufferBoundaries)
{
    // Lines of every length around the 64 KiB reads, a CR LF split between two
    // reads, a line longer than one read, and a Ctrl+Z end after them.
    QByteArray bytes(65535, 'b');
    bytes += "\r\n";
    QStringList expected{QString::fromLatin1(bytes.left(65535))};
    for (int i = 0; bytes.size() < 3 * 65536; ++i) {
        const QByteArray line = QByteArray(i % 97, 'a' + char(i % 26)) + "\xC0";
        bytes += line + (i % 3 == 0 ? "\n" : "\r\n");
        expected << QString::fromLatin1(line.chopped(1)) + QChar(0x0410);
    }
    const QByteArray longLine(70000, 'z');
    bytes += longLine + "\r\n";
    expected << QString::fromLatin1(longLine);
    bytes += "tail\x1A" "after the end\r\n";
    expected << QStringLiteral("tail");
    Reading r(bytes);
    EXPECT_EQ(allLines(r.reader), expected);
}

int openFailureNumber(const QString& path)
{
    try {
        InputFile file(path, TextSource::Authored);
    } catch (const RunError& e) {
        return e.number();
    }
    return 0;
}

TEST(InputFile, OpenFailuresCarryTheirNumbers)
{
    QTemporaryDir dir;
    EXPECT_EQ(openFailureNumber(dir.filePath("missing.tst")), 53);
    EXPECT_EQ(openFailureNumber(dir.filePath("no/such/folder/x.tst")), 76);
    EXPECT_EQ(openFailureNumber(dir.path()), 75);
    writeLines(dir.filePath("ok.tst"), {"x"});
    EXPECT_EQ(openFailureNumber(dir.filePath("ok.tst")), 0);
}

TEST(InputFile, NotFoundNamesThePath)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Алгебра.tst");
    try {
        InputFile file(path, TextSource::Authored);
        FAIL() << "opened";
    } catch (const RunError& e) {
        EXPECT_EQ(e.description(), QStringLiteral("Файл не найден: ") + path);
    }
}

TEST(OutputFile, ReplaceOnlyWhenCompleteAndAppendExtendsInCp1251WithCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("r.doc");
    {
        OutputFile out(path, WriteMode::Replace);
        out.print(QStringLiteral("Статистика"));
        out.close();
    }
    {
        // Never finished: the previous file stays, and no temporary is left beside it.
        OutputFile out(path, WriteMode::Replace);
        out.print(QStringLiteral("Итого"));
    }
    EXPECT_EQ(readLines(path), QStringList{QStringLiteral("Статистика")});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"r.doc"});
    {
        OutputFile out(path, WriteMode::Replace);
        out.print(QStringLiteral("Всего"));
        out.close();
    }
    EXPECT_EQ(readBytes(path), QByteArray("\xC2\xF1\xE5\xE3\xEE\r\n"));
    {
        OutputFile out(path, WriteMode::Append, true);
        out.print(QStringLiteral("2"));
        out.close();
    }
    EXPECT_EQ(readLines(path), (QStringList{QStringLiteral("Всего"), "2"}));
}

#ifndef Q_OS_WIN
// Files may grow only so far in this process, as on a full disk: a write past the
// limit fails part-way.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousSignal_);
    }

private:
    rlimit saved_{};
    void (*previousSignal_)(int) = nullptr;
};

TEST(OutputFile, AFailedAppendIsCutBackAndAFailedReplacementKeepsThePreviousFile)
{
    QTemporaryDir dir;
    const QString registerFile = dir.filePath("register.doc");
    const QString statistics = dir.filePath("S.doc");
    writeLines(registerFile, {"first"});
    writeLines(statistics, {"old"});
    const QByteArray before = readBytes(registerFile);
    {
        const FileSizeLimit limit(rlim_t(before.size()) + 10);
        OutputFile append(registerFile, WriteMode::Append, true);
        EXPECT_THROW(append.print(QString(40, u'x')), RunError);
        OutputFile replace(statistics, WriteMode::Replace);
        EXPECT_THROW(replace.print(QString(40, u'x')), RunError);
    }
    EXPECT_EQ(readBytes(registerFile), before);
    EXPECT_EQ(readLines(statistics), QStringList{"old"});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "a temporary was left behind";
}
#endif

TEST(OutputFile, AFolderThatDoesNotExistIs76)
{
    QTemporaryDir dir;
    try {
        OutputFile out(dir.filePath("none/r.doc"), WriteMode::Append, true);
        FAIL() << "opened";
    } catch (const RunError& e) {
        EXPECT_EQ(e.number(), 76);
    }
}

#ifndef Q_OS_WIN
// The lock is between processes, so the second writer runs in a child process.
int childTriesToAppend(const QString& path)
{
    const pid_t child = fork();
    if (child == 0) {
        int code = 0;
        try {
            OutputFile out(path, WriteMode::Append, true);
        } catch (const RunError& e) {
            code = e.number();
        }
        _exit(code);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(OutputFile, AWriteLockKeepsOtherWritersOutButNotReaders)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("register.doc");
    {
        OutputFile held(path, WriteMode::Append, true);
        held.print("first");
        EXPECT_EQ(childTriesToAppend(path), 70);
        InputFile reader(path, TextSource::Ours);
        EXPECT_EQ(reader.reader().lineInput(), "first");
    }
    EXPECT_EQ(childTriesToAppend(path), 0);
}
#endif

} // namespace
