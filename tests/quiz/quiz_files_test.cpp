#include "quiz/quiz_files.h"

#include "tests/support/files.h"
#include "tests/support/failing_device.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct Reading {
    explicit Reading(const QByteArray& bytes, const QString& name = QStringLiteral("t.tst"))
        : data(bytes), buffer(&data), reader(buffer, name)
    {
        buffer.open(QIODevice::ReadOnly);
    }
    QByteArray data;
    QBuffer buffer;
    SeqReader reader;
};

template <typename Read>
RunError failureOf(Read read)
{
    try {
        read();
    } catch (const RunError& e) {
        return e;
    }
    ADD_FAILURE() << "no failure";
    return RunError(0, {});
}

QStringList header(const QString& numbers)
{
    return {QStringLiteral("Алгебра"), QStringLiteral("Дроби"), "1", numbers};
}

const auto rowName = [](const auto& info) { return std::string(info.param.name); };

struct HeaderRow {
    const char* name;
    QStringList lines;
    QString subject;
    QChar variant;
    std::vector<int> counters; // time, questions, to ask, thresholds 5, 4, 3
};

class HeaderTest : public ::testing::TestWithParam<HeaderRow> {};

TEST_P(HeaderTest, ReadsAndLimits)
{
    const HeaderRow& row = GetParam();
    Reading r(cp1251Lines(row.lines));
    PupilRecord pupil;
    QuizHeader c;
    readQuizHeader(r.reader, pupil, c);
    EXPECT_EQ(pupil.subject.text(), row.subject.leftJustified(75, u' '));
    EXPECT_EQ(pupil.topic.text(), QStringLiteral("Дроби").leftJustified(75, u' '));
    EXPECT_EQ(pupil.variantNo.text(), QString(row.variant));
    EXPECT_EQ((std::vector<int>{c.timePerQuestion, c.questionCount, c.askCount, c.markThresholds(1),
                                c.markThresholds(2), c.markThresholds(3)}),
              row.counters);
}

const QString k80 = QString(70, u'П') + QStringLiteral("0123456789");

INSTANTIATE_TEST_SUITE_P(
    Files, HeaderTest,
    ::testing::Values(
        HeaderRow{"OnePerLine", {"Химия", "Дроби", "2", "60", "20", "10", "80", "60", "40"}, "Химия", u'2',
                  {60, 20, 10, 80, 60, 40}},
        HeaderRow{"SeveralOnALine", header("60, 20,10\r\n80,60 ,40"), "Алгебра", u'1', {60, 20, 10, 80, 60, 40}},
        HeaderRow{"FourHundredCutTo350", header("60,400,30,80,60,40"), "Алгебра", u'1', {60, 350, 30, 80, 60, 40}},
        HeaderRow{"MoreToAskThanThereAre", header("60,25,40,80,60,40"), "Алгебра", u'1', {60, 25, 25, 80, 60, 40}},
        HeaderRow{"SubjectOf80CutTo75", {k80, "Дроби", "1", "1,1,1,1,1,1"}, k80.left(75), u'1', {1, 1, 1, 1, 1, 1}},
        HeaderRow{"VariantTwelveGivesOne", {"Алгебра", "Дроби", "12", "1,1,1,1,1,1"}, "Алгебра", u'1',
                  {1, 1, 1, 1, 1, 1}},
        HeaderRow{"TrailingCommaAfterTheNinth", header("60,20,10,80,60,40,"), "Алгебра", u'1',
                  {60, 20, 10, 80, 60, 40}},
        HeaderRow{"EmptyVariantIsBlank", {"Алгебра", "Дроби", "", "1,1,1,1,1,1"}, "Алгебра", u' ',
                  {1, 1, 1, 1, 1, 1}}),
    rowName);

struct FailureRow {
    const char* name;
    QByteArray bytes;
    int number;
    QString description;
    QString fileName = QStringLiteral("t.tst");
};

class HeaderFailureTest : public ::testing::TestWithParam<FailureRow> {};

TEST_P(HeaderFailureTest, NamesFileLineAndWhat)
{
    const FailureRow& row = GetParam();
    Reading r(row.bytes, row.fileName);
    PupilRecord pupil;
    QuizHeader c;
    const RunError e = failureOf([&] { readQuizHeader(r.reader, pupil, c); });
    EXPECT_EQ(e.number(), row.number);
    EXPECT_EQ(e.description(), row.description);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HeaderFailureTest,
    ::testing::Values(
        FailureRow{"EmptyFile", "", 62,
                   "Попытка чтения за концом файла: файл t.tst, строка 1: нет строки с названием предмета"},
        FailureRow{"NumberMissing", cp1251Lines(header("60,20,10\r\n80,60")), 62,
                   "Попытка чтения за концом файла: файл t.tst, строка 6: нет числа: процент для оценки 3"},
        FailureRow{"NotANumber", cp1251Lines(header("60\r\n20\r\nдесять\r\n80,60,40")), 13,
                   "Несоответствие типа: файл t.tst, строка 6: число задаваемых вопросов: «десять» — не число"},
        FailureRow{"EmptyField", cp1251Lines(header("60,,10,80,60,40")), 13,
                   "Несоответствие типа: файл t.tst, строка 4: число вопросов в файле: «» — не число"},
        FailureRow{"BeyondSixteenBits", cp1251Lines(header("40000,20,10,80,60,40")), 6,
                   "Переполнение: файл t.tst, строка 4: время на вопрос в секундах: 40000 выходит за пределы "
                   "от -32768 до 32767"},
        FailureRow{"BeyondWhatADoubleHolds", cp1251Lines(header("1E400,20,10,80,60,40")), 6,
                   "Переполнение: файл t.tst, строка 4: время на вопрос в секундах: 1E400 выходит за пределы "
                   "от -32768 до 32767"},
        FailureRow{"SeventhNumberOnTheLastLine", cp1251Lines(header("60,20,10\r\n80,60,40,20")), 13,
                   "Несоответствие типа: файл t.tst, строка 5: после процента для оценки 3 в строке лишнее: «20»"},
        FailureRow{"NoQuestions", cp1251Lines(header("60\r\n0\r\n10\r\n80,60,40")), 5,
                   "Недопустимый вызов процедуры или аргумент: файл t.tst, строка 5: число вопросов в файле 0, "
                   "в тесте нечего задавать"},
        FailureRow{"NothingToAsk", cp1251Lines(header("60\r\n20\r\n-1\r\n80,60,40")), 5,
                   "Недопустимый вызов процедуры или аргумент: файл t.tst, строка 6: число задаваемых вопросов -1, "
                   "в тесте нечего задавать"},
        // A file name with "%2" in it once had the line number put into it.
        FailureRow{"PercentInFileName", "", 62,
                   "Попытка чтения за концом файла: файл 100%2.tst, строка 1: нет строки с названием предмета",
                   "100%2.tst"}),
    rowName);


struct PointsRow {
    const char* name;
    QByteArray bytes;
    bool deviceFailsAfter;
    std::vector<int> points;
};

class PointsTest : public ::testing::TestWithParam<PointsRow> {};

TEST_P(PointsTest, KeepsWhatWasReadAndZeroesTheRest)
{
    const PointsRow& row = GetParam();
    QuestionBank bank;
    bank(2).points = 9; // left from nowhere: a point not read must be 0
    const int count = int(row.points.size());
    if (row.deviceFailsAfter) {
        FailingDevice device(row.bytes);
        SeqReader reader(device, QStringLiteral("t.tsb"));
        readPoints(reader, count, bank);
    } else {
        Reading r(row.bytes);
        readPoints(r.reader, count, bank);
    }
    std::vector<int> points;
    for (int k = 1; k <= count; ++k)
        points.push_back(bank(k).points);
    EXPECT_EQ(points, row.points);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PointsTest,
    ::testing::Values(
        PointsRow{"TwelveForTwenty", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n", false,
                  {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0, 0, 0, 0, 0, 0, 0, 0}},
        PointsRow{"SeveralOnALine", "1, 2\r\n3,4\r\n", false, {1, 2, 3, 4}},
        PointsRow{"NotANumberIsZeroAndReadingGoesOn", "5,x,7\r\n", false, {5, 0, 7}},
        PointsRow{"OverflowStops", "5,40000,7\r\n", false, {5, 0, 0}},
        PointsRow{"EmptyFile", "", false, {0, 0}},
        PointsRow{"DeviceFailureStops", "5,6\r\n", true, {5, 6, 0}}),
    rowName);

QByteArray bodies(const QStringList& lines)
{
    return cp1251Lines(lines);
}

TEST(QuestionBodies, FollowTheHeaderOnTheSameReader)
{
    Reading r(cp1251Lines(header("60,3,2\r\n80,60,40")) +
              bodies({"1", "4", "Столица?", "Москва", "Тула", "Орёл", "Тверь", //
                      "2", "0", "Напишите столицу", //
                      "2", "x", "Без вариантов", //
                      "1", "0", "лишний вопрос, не читается"}));
    PupilRecord pupil;
    QuizHeader c;
    QuestionBank bank;
    bank(1).points = 7;
    bank(1).optionText(6) = "старое";
    readQuizHeader(r.reader, pupil, c);
    readQuestionBodies(r.reader, c.questionCount, bank);

    EXPECT_EQ(bank(1).answerForm, u'1');
    EXPECT_EQ(bank(1).optionCount, u'4');
    EXPECT_EQ(bank(1).questionText, "Столица?");
    EXPECT_EQ(bank(1).optionText(4), "Тверь");
    EXPECT_EQ(bank(1).optionText(6), "");
    EXPECT_EQ(bank(1).points, 7);
    EXPECT_EQ(bank(2).questionText, "Напишите столицу");
    EXPECT_EQ(bank(3).optionCount, u'x');
    EXPECT_EQ(bank(3).questionText, "Без вариантов");
    EXPECT_EQ(r.reader.lineInput(), "1"); // exactly three bodies were read
}

TEST(QuestionBodies, SixOptionsAreTheMost)
{
    Reading r(bodies({"1", "6", "Вопрос", "1", "2", "3", "4", "5", "6"}));
    QuestionBank bank;
    readQuestionBodies(r.reader, 1, bank);
    EXPECT_EQ(bank(1).optionText(6), "6");
}

class BodyFailureTest : public ::testing::TestWithParam<FailureRow> {};

TEST_P(BodyFailureTest, NamesFileLineAndWhat)
{
    Reading r(GetParam().bytes);
    QuestionBank bank;
    const RunError e = failureOf([&] { readQuestionBodies(r.reader, 2, bank); });
    EXPECT_EQ(e.number(), GetParam().number);
    EXPECT_EQ(e.description(), GetParam().description);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BodyFailureTest,
    ::testing::Values(
        FailureRow{"EndsBeforeSecondBody", bodies({"2", "0", "Вопрос"}), 62,
                   "Попытка чтения за концом файла: файл t.tst, строка 4: файл кончается внутри вопроса 2: "
                   "нет строки с формой ответа"},
        FailureRow{"EndsInsideOptions", bodies({"2", "0", "Вопрос", "1", "3", "Вопрос", "А", "Б"}), 62,
                   "Попытка чтения за концом файла: файл t.tst, строка 9: файл кончается внутри вопроса 2: "
                   "нет строки с вариантом ответа 3"},
        FailureRow{"SevenOptions", bodies({"1", "7", "Вопрос"}), 5,
                   "Недопустимый вызов процедуры или аргумент: файл t.tst, строка 2: у вопроса 1 вариантов "
                   "ответа 7, а их может быть не больше шести"},
        FailureRow{"OptionCountTen", bodies({"1", "10", "Вопрос", "А", "Б"}), 5,
                   "Недопустимый вызов процедуры или аргумент: файл t.tst, строка 2: у вопроса 1 вариантов "
                   "ответа 10, а их может быть не больше шести"},
        // The text is split in two, and the failure it leads to three lines later is named at the split.
        FailureRow{"LoneCarriageReturnInAText", bodies({"1", "2", "Какие\rдроби", "А", "Б"}), 13,
                   "Несоответствие типа: файл t.tst, строка 3: одиночный символ возврата каретки (CR) разрывает "
                   "строку, и всё, что после него, прочитано не на своих местах (дальше, в строке 6: у вопроса 2 "
                   "форма ответа «Б», а должна быть цифра (1 — отметить варианты, 2 — набрать ответ))"},
        FailureRow{"AnswerFormNoDigit", bodies({"а", "0", "Вопрос"}), 13,
                   "Несоответствие типа: файл t.tst, строка 1: у вопроса 1 форма ответа «а», а должна быть цифра "
                   "(1 — отметить варианты, 2 — набрать ответ)"},
        FailureRow{"TickQuestionOptionCountNoDigit", bodies({"1", "four", "Вопрос"}), 13,
                   "Несоответствие типа: файл t.tst, строка 2: у вопроса 1 число вариантов ответа «f», а должна "
                   "быть цифра от 0 до 6"}),
    rowName);

struct KeyRow {
    const char* name;
    QChar answerForm;
    QString line;
    std::vector<int> flags;
    QString typed;
};

class AnswerKeyTest : public ::testing::TestWithParam<KeyRow> {};

TEST_P(AnswerKeyTest, Decodes)
{
    const KeyRow& row = GetParam();
    QuestionBank bank;
    bank(1).answerForm = row.answerForm;
    Reading r(cp1251Lines({row.line, "не читается"}), QStringLiteral("t.ts1"));
    Attempt state;
    readAnswerKey(r.reader, 1, bank, state);
    std::vector<int> flags;
    for (int j = 1; j <= 6; ++j)
        flags.push_back(state.correctFlags(j, 1));
    EXPECT_EQ(flags, row.flags);
    EXPECT_EQ(state.correctTyped(1), row.typed);
}

INSTANTIATE_TEST_SUITE_P(
    Files, AnswerKeyTest,
    ::testing::Values(KeyRow{"OptionsOneAndFour", u'1', "223556", {1, 0, 0, 1, 0, 0}, ""},
                      KeyRow{"NoneToTick", u'1', "123456", {0, 0, 0, 0, 0, 0}, ""},
                      KeyRow{"AllToTick", u'1', "234567", {1, 1, 1, 1, 1, 1}, ""},
                      KeyRow{"OnlyTheFirstSixCount", u'1', "223556 ответ", {1, 0, 0, 1, 0, 0}, ""},
                      KeyRow{"AnyOtherDigitFormIsDecoded", u'3', "133456", {0, 1, 0, 0, 0, 0}, ""},
                      KeyRow{"TypedUpperCased", u'2', "москва", {0, 0, 0, 0, 0, 0}, "МОСКВА"},
                      KeyRow{"TypedShortLineIsFine", u'2', "ёж$x", {0, 0, 0, 0, 0, 0}, "ЁЖ$X"}),
    rowName);

struct KeyFailureRow {
    const char* name;
    QChar answerForm;
    QByteArray bytes;
    QString description;
};

class AnswerKeyFailureTest : public ::testing::TestWithParam<KeyFailureRow> {};

TEST_P(AnswerKeyFailureTest, NamesFileLineAndWhat)
{
    QuestionBank bank;
    bank(1).answerForm = u'2';
    bank(2).answerForm = GetParam().answerForm;
    Reading r(GetParam().bytes, QStringLiteral("t.ts1"));
    Attempt state;
    const RunError e = failureOf([&] { readAnswerKey(r.reader, 2, bank, state); });
    EXPECT_EQ(e.description(), GetParam().description);
}

INSTANTIATE_TEST_SUITE_P(
    Files, AnswerKeyFailureTest,
    ::testing::Values(
        KeyFailureRow{"EndsEarly", u'1', "ответ\r\n",
                      "Попытка чтения за концом файла: файл t.ts1, строка 2: файл ключа кончается раньше: "
                      "нет строки для вопроса 2"},
        KeyFailureRow{"ShortLine", u'1', "ответ\r\n22355\r\n",
                      "Несоответствие типа: файл t.ts1, строка 2: в строке ключа меньше шести символов (вопрос 2)"},
        KeyFailureRow{"NotADigit", u'1', "ответ\r\n22a556\r\n",
                      "Несоответствие типа: файл t.ts1, строка 2: в строке ключа на месте 3 стоит «a», а должна "
                      "быть цифра (вопрос 2)"},
        KeyFailureRow{"LoneCarriageReturnInALine", u'1', "ответ\r\r\n223556\r\n",
                      "Несоответствие типа: файл t.ts1, строка 1: одиночный символ возврата каретки (CR) разрывает "
                      "строку, и всё, что после него, прочитано не на своих местах (дальше, в строке 2: в строке "
                      "ключа меньше шести символов (вопрос 2))"},
        KeyFailureRow{"AnswerFormNoDigit", u'x', "ответ\r\n223556\r\n",
                      "Несоответствие типа: файл t.ts1, строка 2: у вопроса 2 в файле теста форма ответа «x», а "
                      "должна быть цифра"}),
    rowName);

struct SiblingRow {
    const char* name;
    QString testPath;
    QString pointsPath;
};

class SiblingNameTest : public ::testing::TestWithParam<SiblingRow> {};

TEST_P(SiblingNameTest, ReplacesTheLastFourCharacters)
{
    EXPECT_EQ(siblingFileName(GetParam().testPath, u".tsb"), GetParam().pointsPath);
}

INSTANTIATE_TEST_SUITE_P(Files, SiblingNameTest,
                         ::testing::Values(SiblingRow{"Plain", "C:\\Тесты\\Алгебра.tst", "C:\\Тесты\\Алгебра.tsb"},
                                           SiblingRow{"TrailingBlanksNotCounted", "a/Algebra.tst  ", "a/Algebra.tsb"},
                                           SiblingRow{"AnyExtension", "a/Algebra.txt", "a/Algebra.tsb"}),
                         rowName);

TEST(SiblingName, TooShortToHaveAnExtensionIs5)
{
    EXPECT_EQ(failureOf([] { siblingFileName(QStringLiteral(" ab "), u".ts1"); }).number(), 5);
}

TEST(ExistingFileIgnoringCase, FindsACopyFromWindows)
{
    QTemporaryDir dir;
    writeLines(dir.filePath("TEST.TSB"), {"1"});
    writeLines(dir.filePath("exact.tsb"), {"1"});
    EXPECT_EQ(existingFileIgnoringCase(dir.filePath("TEST.tsb")), dir.filePath("TEST.TSB"));
    EXPECT_EQ(existingFileIgnoringCase(dir.filePath("exact.tsb")), dir.filePath("exact.tsb"));
    EXPECT_EQ(existingFileIgnoringCase(dir.filePath("none.tsb")), dir.filePath("none.tsb"));
}

} // namespace
