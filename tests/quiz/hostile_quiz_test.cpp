// Quiz files as a careless teacher or a hostile pupil leave them: each is refused
// with the two boxes naming the file (and line), and nothing of it is kept.
#include "quiz/quiz_loader.h"

#include "runtime/cp1251.h"
#include "runtime/seqfile.h"
#include "tests/support/files.h"
#include "tests/support/recording_services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <new>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QStringList kQuiz = {QStringLiteral("Математика"), QStringLiteral("Дроби"), "1", "30", "2,2", "80,60,40",
                           "1", "3", QStringLiteral("Какие дроби равны 1/2?"), "2/4", "1/3", "3/6",
                           "2", "1", QStringLiteral("Столица России?"), ""};
const QStringList kKey = {"224456", QStringLiteral("Москва")};

struct Room {
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    void write(const QByteArray& quiz, const QByteArray& key = cp1251Lines(kKey)) const
    {
        writeBytes(path("Дроби.tst"), quiz);
        writeLines(path("Дроби.tsb"), {"1", "1"});
        writeBytes(path("Дроби.ts1"), key);
    }
    void makePipe(const char* name) const
    {
        QFile::remove(path(name));
        ASSERT_EQ(::mkfifo(QFile::encodeName(path(name)).constData(), 0644), 0);
    }
};

// Random values that keep the file's order.
void drawInOrder(RecordingServices& services)
{
    services.randomValues = {0.0, 1.0 - 1e-9, 0.0, 0.5, 1.0 - 1e-9};
}

struct HostileRow {
    const char* name;
    std::function<QString(Room&)> spoil; // returns the quiz path to load
    int number;
    QString file;                        // "@" is the room's folder
    QString where;                       // a part of the description: the line, the reason
    bool generalSecondBox = true;        // else "Не найден файл"
};

void PrintTo(const HostileRow& row, std::ostream* os)
{
    *os << row.name;
}

class HostileQuiz : public ::testing::TestWithParam<HostileRow> {};

TEST_P(HostileQuiz, IsRefusedNamingTheFileAndLine)
{
    const HostileRow& row = GetParam();
    Room room;
    room.write(cp1251Lines(kQuiz));
    const QString quizPath = row.spoil(room);
    RecordingServices services;
    drawInOrder(services);
    const LoadedQuiz loaded = loadQuiz(quizPath, services);
    ASSERT_TRUE(loaded.failure) << "loaded";
    reportQuizFailure(services, *loaded.failure, loaded.failedFile);

    const QString file = QString(row.file).replace(u'@', room.dir.path() + u'/');
    const MessageRecord first = services.takeMessage();
    EXPECT_TRUE(first.text.startsWith(QStringLiteral("Ошибка: %1 ").arg(row.number))) << first.text.toStdString();
    EXPECT_TRUE(first.text.contains(file)) << first.text.toStdString();
    EXPECT_TRUE(first.text.contains(row.where)) << first.text.toStdString();
    const MessageRecord second = services.takeMessage();
    EXPECT_EQ(second.text, row.generalSecondBox ? QStringLiteral("Необрабатываемая ошибка. Ошибка при чтении файлов теста.")
                                                : QStringLiteral("Не найден файл: ") + file);
}

QByteArray withLine(int index, const QString& line)
{
    QStringList lines = kQuiz;
    lines[index] = line;
    return cp1251Lines(lines);
}

// A generator that runs out of memory in the middle of the draw.
class ExhaustedServices : public RecordingServices {
public:
    double rnd() override { throw std::bad_alloc(); }
};

INSTANTIATE_TEST_SUITE_P(
    FileType, HostileQuiz,
    ::testing::Values(
        HostileRow{"QuizFileIsAPipe", [](Room& r) { r.makePipe("Дроби.tst"); return r.path("Дроби.tst"); }, 75,
                   "@Дроби.tst", QStringLiteral("это не обычный файл")},
        HostileRow{"KeyFileIsAPipe", [](Room& r) { r.makePipe("Дроби.ts1"); return r.path("Дроби.tst"); }, 75,
                   "@Дроби.ts1", QStringLiteral("это не обычный файл")},
        HostileRow{"QuizPathIsADevice", [](Room&) { return QStringLiteral("/dev/zero"); }, 75, "/dev/zero",
                   QStringLiteral("это не обычный файл")},
        HostileRow{"QuizFileIsAFolder",
                   [](Room& r) {
                       QFile::remove(r.path("Дроби.tst"));
                       QDir().mkdir(r.path("Дроби.tst"));
                       return r.path("Дроби.tst");
                   },
                   75, "@Дроби.tst", QStringLiteral("это папка")}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Size, HostileQuiz,
    ::testing::Values(
        HostileRow{"LargerThan32MiB",
                   [](Room& r) {
                       QFile file(r.path("Дроби.tst"));
                       EXPECT_TRUE(file.open(QIODevice::ReadWrite) && file.resize(kMaxAuthoredFileBytes + 1));
                       return r.path("Дроби.tst");
                   },
                   5, "@Дроби.tst", QStringLiteral("файл больше 32 МиБ")},
        HostileRow{"LineLongerThanAMebibyte",
                   [](Room& r) {
                       r.write(withLine(8, QString(kMaxLineBytes + 1, u'я')));
                       return r.path("Дроби.tst");
                   },
                   5, "@Дроби.tst", QStringLiteral("строка 9: строка длиннее 1048576 байт")}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Numbers, HostileQuiz,
    ::testing::Values(HostileRow{"TimeBeyondWhatADoubleHolds",
                                 [](Room& r) {
                                     r.write(withLine(3, "1E400"));
                                     return r.path("Дроби.tst");
                                 },
                                 6, "@Дроби.tst", QStringLiteral("строка 4")},
                      HostileRow{"NoKeyFile",
                                 [](Room& r) {
                                     QFile::remove(r.path("Дроби.ts1"));
                                     return r.path("Дроби.tst");
                                 },
                                 53, "@Дроби.ts1", QStringLiteral("файл ключа"), false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HostileQuizFile, AnUnreadableFileIsPermissionDenied)
{
    Room room;
    room.write(cp1251Lines(kQuiz));
    ::chmod(QFile::encodeName(room.path("Дроби.tst")).constData(), 0);
    if (::access(QFile::encodeName(room.path("Дроби.tst")).constData(), R_OK) == 0)
        GTEST_SKIP() << "permissions do not bind here (running as root?)";
    RecordingServices services;
    const LoadedQuiz loaded = loadQuiz(room.path("Дроби.tst"), services);
    ASSERT_TRUE(loaded.failure);
    EXPECT_EQ(loaded.failure->number(), 70);
    EXPECT_TRUE(loaded.headerFailure);
}

TEST(HostileQuizFile, RunningOutOfMemoryReturnsToTheSelection)
{
    Room room;
    room.write(cp1251Lines(kQuiz));
    ExhaustedServices services;
    const LoadedQuiz loaded = loadQuiz(room.path("Дроби.tst"), services);
    ASSERT_TRUE(loaded.failure);
    EXPECT_EQ(loaded.failure->number(), 7);
    EXPECT_EQ(loaded.failure->description(),
              QStringLiteral("Недостаточно памяти: при чтении теста %1 (памяти не хватило)").arg(room.path("Дроби.tst")));
}

TEST(HostileQuizFile, APipeForPointsCostsOnlyThePoints)
{
    Room room;
    room.write(cp1251Lines(kQuiz));
    room.makePipe("Дроби.tsb");
    RecordingServices services;
    drawInOrder(services);
    const LoadedQuiz loaded = loadQuiz(room.path("Дроби.tst"), services);
    ASSERT_FALSE(loaded.failure) << loaded.failure->description().toStdString();
    EXPECT_EQ(loaded.questionBank(1).points, 0);
}

struct EncodingRow {
    const char* name;
    QByteArray quiz;
    QByteArray key;
};

class QuizEncoding : public ::testing::TestWithParam<EncodingRow> {};

// A quiz saved in UTF-8 reads as written, and «Москва» typed by the pupil matches its key.
TEST_P(QuizEncoding, IsReadAsItWasSaved)
{
    Room room;
    room.write(GetParam().quiz, GetParam().key);
    RecordingServices services;
    drawInOrder(services);
    const LoadedQuiz loaded = loadQuiz(room.path("Дроби.tst"), services);
    ASSERT_FALSE(loaded.failure) << loaded.failure->description().toStdString();
    EXPECT_EQ(loaded.pupil.subject.text().trimmed(), QStringLiteral("Математика"));
    EXPECT_EQ(loaded.questionBank(2).questionText, QStringLiteral("Столица России?"));
    EXPECT_EQ(loaded.attempt.correctTyped(2), QStringLiteral("МОСКВА"));
}

QByteArray utf8Lines(const QStringList& lines)
{
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

INSTANTIATE_TEST_SUITE_P(Encoding, QuizEncoding,
                         ::testing::Values(EncodingRow{"Windows1251", cp1251Lines(kQuiz), cp1251Lines(kKey)},
                                           EncodingRow{"Utf8", utf8Lines(kQuiz), utf8Lines(kKey)},
                                           EncodingRow{"Utf8WithByteOrderMark", "\xEF\xBB\xBF" + utf8Lines(kQuiz),
                                                       "\xEF\xBB\xBF" + utf8Lines(kKey)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DetectEncoding, Utf8OnlyWhenValidWithAMultiByteSequence)
{
    EXPECT_EQ(detectEncoding("plain ascii"), TextEncoding::Cp1251);
    EXPECT_EQ(detectEncoding(QStringLiteral("ёж").toUtf8()), TextEncoding::Utf8);
    EXPECT_EQ(detectEncoding(toCp1251(QStringLiteral("ёж"))), TextEncoding::Cp1251);
    EXPECT_EQ(detectEncoding("\xEF\xBB\xBF" "ascii"), TextEncoding::Utf8);
    EXPECT_EQ(detectEncoding("\xC0\xAF"), TextEncoding::Cp1251); // an overlong form is no UTF-8
    EXPECT_EQ(detectEncoding("\xD0"), TextEncoding::Cp1251);     // cut short
}

} // namespace
