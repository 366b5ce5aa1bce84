// The checker's findings where the sample of broken tests cannot show them: pipes
// and folders in place of files, the reading going on after a refusal, the mark
// thresholds, class lists, and the picture headers.
#include "check/class_list_check.h"
#include "check/picture_check.h"
#include "check/quiz_check.h"

#include "tests/support/files.h"
#include "tests/support/pictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace {

// A tick question of four options, a typed one and a tick question of two.
const QStringList kQuiz = {"Математика", "Дроби", "1", "30", "3,3", "80,60,40",
                           "1", "4", "Какие из дробей равны 1/2?", "2/4", "1/3", "3/6", "2/5",
                           "2", "1", "Сколько будет 2 + 2?", "",
                           "1", "2", "Дробь 3/4 больше 1/2?", "Да", "Нет"};
const QStringList kKey = {"224456", "4$четыре", "223456"};

struct Room {
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
    void write(const QStringList& quiz, const QStringList& key = kKey) const
    {
        writeLines(path("q.tst"), quiz);
        writeLines(path("q.tsb"), {"1", "1", "1"});
        writeLines(path("q.ts1"), key);
    }
    void makePipe(const QString& name) const
    {
        QFile::remove(path(name));
        ASSERT_EQ(::mkfifo(QFile::encodeName(path(name)).constData(), 0644), 0);
    }
};

QStringList with(QStringList lines, int index, const QString& line)
{
    lines[index] = line;
    return lines;
}

struct Expected {
    QString code;
    QString file; // "q.tst", "q.tsb", "q.ts1"
    int line;
};

struct RuleRow {
    const char* name;
    std::function<void(Room&)> spoil;
    std::vector<Expected> findings;
};

void PrintTo(const RuleRow& row, std::ostream* os)
{
    *os << row.name;
}

class QuizRule : public ::testing::TestWithParam<RuleRow> {};

TEST_P(QuizRule, FindsExactlyThis)
{
    Room room;
    room.write(kQuiz);
    GetParam().spoil(room);
    std::vector<Expected> found;
    for (const Finding& finding : checkQuiz(room.path("q.tst")))
        found.push_back({finding.code, QFileInfo(finding.file).fileName(), finding.line});
    ASSERT_EQ(found.size(), GetParam().findings.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].code, GetParam().findings[i].code);
        EXPECT_EQ(found[i].file, GetParam().findings[i].file) << found[i].code.toStdString();
        EXPECT_EQ(found[i].line, GetParam().findings[i].line) << found[i].code.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, QuizRule,
    ::testing::Values(
        RuleRow{"GoodQuiz", [](Room&) {}, {}},
        RuleRow{"PointsSeparatedByCommas", [](Room& r) { writeLines(r.path("q.tsb"), {"1,2,3"}); }, {}},
        RuleRow{"MorePointsThanQuestions",
                [](Room& r) { writeLines(r.path("q.tsb"), {"1", "1", "1", "", "5"}); },
                {{"points.count", "q.tsb", 5}}},
        RuleRow{"PointsFileIsAPipe", [](Room& r) { r.makePipe("q.tsb"); }, {{"points.unreadable", "q.tsb", 0}}},
        RuleRow{"PictureIsAFolder",
                [](Room& r) {
                    r.write(with(kQuiz, 15, "krug.jpg;Что это?"), with(kKey, 1, "круг"));
                    QDir().mkdir(r.path("krug.jpg"));
                },
                {{"picture.unreadable", "q.tst", 16}}},
        RuleRow{"PictureIsAPipe",
                [](Room& r) {
                    r.write(with(kQuiz, 15, "krug.jpg;Что это?"), with(kKey, 1, "круг"));
                    r.makePipe("krug.jpg");
                },
                {{"picture.unreadable", "q.tst", 16}}},
        // One picture named twice is read once and reported at both places.
        RuleRow{"MissingPictureAsTwoOptions",
                [](Room& r) { r.write(with(with(kQuiz, 9, "krug.jpg"), 12, "krug.jpg")); },
                {{"picture.missing", "q.tst", 10}, {"picture.missing", "q.tst", 13}}},
        RuleRow{"TickQuestionsAlikeInTheFirst64Characters",
                [](Room& r) {
                    const QString start(64, u'ж');
                    r.write(with(with(kQuiz, 8, start + "1?"), 19, start + "2?"));
                },
                {{"question.duplicate-text", "q.tst", 20}}},
        RuleRow{"BlankVariant", [](Room& r) { r.write(with(kQuiz, 2, " ")); }, {{"header.variant", "q.tst", 3}}},
        RuleRow{"FourNotBelowFive", [](Room& r) { r.write(with(kQuiz, 5, "60,60,40")); },
                {{"header.thresholds", "q.tst", 6}}},
        // Mark 3 needs a percentage below both 4 and 5.
        RuleRow{"ThreeNotBelowFour", [](Room& r) { r.write(with(kQuiz, 5, "80,30,50")); },
                {{"header.thresholds", "q.tst", 6}}},
        RuleRow{"ThresholdsNotDescendingButEveryMarkGiven", [](Room& r) { r.write(with(kQuiz, 5, "80,70,10")); }, {}},
        // The reading goes on as far as it can after what the load refuses.
        RuleRow{"KeyRefusedAfterAFlagDigitOutOfPlace",
                [](Room& r) { r.write(kQuiz, {"924456", "4"}); },
                {{"key.flag-digit", "q.ts1", 1}, {"key.refused", "q.ts1", 3}}},
        RuleRow{"QuizRefusedAfterATypedQuestionWithoutField",
                [](Room& r) {
                    r.write(kQuiz.mid(0, 14) + QStringList{"0", "Сколько будет 2 + 2?", "1", "8"} + kQuiz.mid(19));
                },
                {{"question.typed-without-field", "q.tst", 15}, {"quiz.refused", "q.tst", 18}}},
        RuleRow{"KeyInUtf8", [](Room& r) { writeBytes(r.path("q.ts1"), "224456\r\n4$четыре\r\n223456\r\n"); },
                {{"encoding.utf8", "q.ts1", 0}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ClassListRow {
    const char* name;
    QByteArray bytes;
    std::vector<Expected> findings; // file "Klass.txt"
};

void PrintTo(const ClassListRow& row, std::ostream* os)
{
    *os << row.name;
}

class ClassListRule : public ::testing::TestWithParam<ClassListRow> {};

TEST_P(ClassListRule, FindsExactlyThis)
{
    QTemporaryDir dir;
    writeBytes(dir.filePath("Klass.txt"), GetParam().bytes);
    std::vector<Expected> found;
    for (const Finding& finding : checkClassList(dir.filePath("Klass.txt")))
        found.push_back({finding.code, QFileInfo(finding.file).fileName(), finding.line});
    ASSERT_EQ(found.size(), GetParam().findings.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].code, GetParam().findings[i].code);
        EXPECT_EQ(found[i].line, GetParam().findings[i].line) << found[i].code.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ClassListRule,
    ::testing::Values(
        ClassListRow{"SeveralToALineAndQuoted", cp1251Lines({"05 5 класс, 06 6 класс", "\"07 7А, физмат\""}), {}},
        ClassListRow{"TenCharactersAreKept", cp1251Lines({"05 1234567890"}), {}},
        ClassListRow{"SameClassUnderAnotherPrefix", cp1251Lines({"05 5 класс", "06 5 класс"}),
                     {{"class-list.duplicate", "", 2}}},
        ClassListRow{"BlankLineIsAnEntryWithoutClass", cp1251Lines({"05 5 класс", ""}),
                     {{"class-list.short-entry", "", 2}}},
        ClassListRow{"LineLongerThanAMebibyte", cp1251Lines({"05 5 класс"}) + QByteArray(1024 * 1024 + 1, 'x'),
                     {{"class-list.refused", "", 2}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct JpegRow {
    const char* name;
    std::function<QByteArray(const QTemporaryDir&)> bytes;
    JpegHeader::Kind kind;
    QSize size;
};

void PrintTo(const JpegRow& row, std::ostream* os)
{
    *os << row.name;
}

class JpegHeaderTest : public ::testing::TestWithParam<JpegRow> {};

TEST_P(JpegHeaderTest, TellsKindAndSizeWithoutDecoding)
{
    QTemporaryDir dir;
    QByteArray bytes = GetParam().bytes(dir);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const JpegHeader header = readJpegHeader(buffer);
    EXPECT_EQ(header.kind, GetParam().kind);
    EXPECT_EQ(header.size, GetParam().size);
}

QByteArray written(const char* format, QSize size, bool progressive = false)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image));
    return buffer.data();
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, JpegHeaderTest,
    ::testing::Values(
        JpegRow{"Baseline", [](auto&) { return written("jpeg", {640, 480}); }, JpegHeader::Kind::Jpeg, {640, 480}},
        JpegRow{"Progressive", [](auto&) { return written("jpeg", {3000, 2000}, true); }, JpegHeader::Kind::Jpeg,
                {3000, 2000}},
        JpegRow{"CameraMarkFirst",
                [](const QTemporaryDir& dir) { return readBytes(makeJpeg(dir, "turned.jpg", {40, 30}, true)); },
                JpegHeader::Kind::Jpeg, {40, 30}},
        JpegRow{"FillBytesBeforeAMarker",
                [](auto&) { return written("jpeg", {20, 10}).insert(2, "\xFF\xFF\xFF"); }, JpegHeader::Kind::Jpeg,
                {20, 10}},
        JpegRow{"CutBeforeTheFrame", [](auto&) { return written("jpeg", {20, 10}).left(100); },
                JpegHeader::Kind::Damaged, {}},
        JpegRow{"Png", [](auto&) { return written("png", {20, 10}); }, JpegHeader::Kind::NotJpeg, {}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
