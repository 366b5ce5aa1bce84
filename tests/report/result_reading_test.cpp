// Reading the result files: register lines by their structure, whole files of
// every kind the shared folder may hold, and what is listed instead of read.
#include "report/result_reading.h"

#include "results/result_files.h"
#include "runtime/seqfile.h"
#include "tests/support/files.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

struct LineRow {
    const char* name;
    QString pupilClass; // with the class list's sorting prefix
    QString variant;
    Score score;
    QString pupil, classPart, variantRead, percentText;
};

void PrintTo(const LineRow& row, std::ostream* os)
{
    *os << row.name;
}

class RegisterLineTest : public ::testing::TestWithParam<LineRow> {};

// Whatever the pupil's program writes, the report reads back field by field.
TEST_P(RegisterLineTest, ReadsBackWhatThePupilsProgramWrote)
{
    const LineRow& row = GetParam();
    PupilRecord pupil;
    pupil.pupilName = QStringLiteral("Иванова-Петрова Анастасия Сергеевна");
    pupil.pupilClass = row.pupilClass;
    pupil.variantNo = row.variant;
    const QString line = registerLine(pupil, row.score, QStringLiteral("07.12.2026 19:05:03"));
    const RegisterLineReading read = readRegisterLine(line);
    ASSERT_TRUE(read.entry) << read.reason.toStdString() << " in «" << line.toStdString() << "»";
    EXPECT_EQ(read.entry->pupil, row.pupil);
    EXPECT_EQ(read.entry->classPart, row.classPart);
    EXPECT_EQ(read.entry->variant, row.variantRead);
    EXPECT_EQ(read.entry->points, row.score.pointsScored);
    EXPECT_EQ(read.entry->mark, row.score.mark);
    EXPECT_EQ(read.entry->percentText, row.percentText);
    EXPECT_EQ(read.entry->finished, QDateTime(QDate(2026, 12, 7), QTime(19, 5, 3)));
    EXPECT_EQ(read.entry->mark, registerMark(line));
}

const QString kCut = QStringLiteral("Иванова-Петрова Анастасия");

INSTANTIATE_TEST_SUITE_P(
    Rows, RegisterLineTest,
    ::testing::Values(LineRow{"ShortClass", "07 7б", "1", {20, 15, 75.0f, 4}, kCut, "7б", "1", "75"},
                      LineRow{"NoClass", "05", "2", {20, 1, 5.0f, 2}, kCut, "", "2", "5"},
                      LineRow{"ClassOfTenWithBlanks", "05 5 класс А1", "1", {20, 20, 100.0f, 5}, kCut, "5 класс А1", "1", "100"},
                      LineRow{"DigitsInClass", "11 11 2024", "3", {3, 2, 66.66667f, 4}, kCut, "11 2024", "3", "66.66"},
                      LineRow{"NegativePoints", "07 7б", "1", {8, -3, -37.5f, 2}, kCut, "7б", "1", "-37.5"},
                      LineRow{"LetterVariant", "07 7б", "Б", {20, 15, 75.0f, 4}, kCut, "7б", "Б", "75"},
                      LineRow{"BlankVariant", "07 7б", " ", {20, 15, 75.0f, 4}, kCut, "7б", "", "75"},
                      LineRow{"BelowOnePercent", "05 5 класс", "1", {350, 1, 0.2857143f, 2}, kCut, "5 класс", "1", "0.285"},
                      LineRow{"ManyPoints", "05 5 класс", "1", {32000, 31000, 96.875f, 5}, kCut, "5 класс", "1", "96.87"}),
    [](const auto& info) { return std::string(info.param.name); });

struct OtherRow {
    const char* name;
    QString line;
    QString reason;
};

class OtherRegisterLineTest : public ::testing::TestWithParam<OtherRow> {};

TEST_P(OtherRegisterLineTest, SaysWhatIsMissing)
{
    const RegisterLineReading read = readRegisterLine(GetParam().line);
    EXPECT_FALSE(read.entry);
    EXPECT_EQ(read.reason, GetParam().reason);
}

const QString kName = QStringLiteral("Иванов Иван               ");

INSTANTIATE_TEST_SUITE_P(
    Rows, OtherRegisterLineTest,
    ::testing::Values(
        OtherRow{"Empty", "", "в конце нет процента и времени окончания («75% 07.12.2026 9:05:03»)"},
        OtherRow{"OtherMomentForm", kName + "7б 1  15 4 75% 12/7/2026",
                 "в конце нет процента и времени окончания («75% 07.12.2026 9:05:03»)"},
        OtherRow{"MarkSix", kName + "7б 1  15 6 75% 07.12.2026 9:05:03", "нет оценки 2, 3, 4 или 5 перед процентом"},
        OtherRow{"NoPoints", kName + "7б 1  x 4 75% 07.12.2026 9:05:03", "нет баллов перед оценкой"},
        OtherRow{"ShortName", "Иванов 7б 1  15 4 75% 07.12.2026 9:05:03",
                 "нет имени ученика (25 знаков), класса и варианта перед баллами"}),
    [](const auto& info) { return std::string(info.param.name); });

RegisterReading registerOf(const QByteArray& bytes, const QString& path = QStringLiteral("/школа/5А_Дроби_1.doc"))
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    SeqReader reader(buffer, path);
    return readRegister(reader, path);
}

const QString kLine1 = kName + QStringLiteral("5А 1  15 4 75% 07.12.2026 9:05:03");
const QString kLine2 = QStringLiteral("Петров Пётр               5А 1  20 5 100% 07.12.2026 9:07:41");

// A computer appends a line while the report reads: it is there whole or not at all.
TEST(RegisterFile, LeavesOutTheLineBeingWritten)
{
    const QByteArray whole = cp1251Lines({kLine1, kLine2});
    for (qsizetype cut = cp1251Lines({kLine1}).size(); cut < whole.size(); ++cut) {
        const RegisterReading read = registerOf(whole.left(cut));
        ASSERT_TRUE(read.found);
        EXPECT_TRUE(read.problems.empty());
        EXPECT_EQ(read.found->entries.size(), cut >= whole.size() - 1 ? 2u : 1u) << cut;
    }
    const RegisterReading read = registerOf(whole);
    ASSERT_TRUE(read.found);
    EXPECT_EQ(read.found->classPart, "5А");
    EXPECT_EQ(read.found->topic, "Дроби");
    EXPECT_EQ(read.found->variant, "1");
    EXPECT_EQ(read.found->entries[1].line, 2);
}

// Another shape is listed at its line and the rest read; its mark counts as in the statistics.
TEST(RegisterFile, ListsLinesOfAnotherShapeAndCountsMarksAsTheStatistics)
{
    const QString oldShape = QString(39, u'x') + QStringLiteral(" 3 50%");
    const QByteArray bytes = cp1251Lines({kLine1, oldShape, QString(), kLine2, QStringLiteral("что-то ещё")});
    const RegisterReading read = registerOf(bytes);
    ASSERT_TRUE(read.found);
    EXPECT_EQ(read.found->entries.size(), 2u);
    ASSERT_EQ(read.problems.size(), 2u);
    EXPECT_EQ(read.problems[0].line, 2);
    EXPECT_EQ(read.problems[0].reason,
              "строка другого вида: в конце нет процента и времени окончания («75% 07.12.2026 9:05:03»); её оценка 3 "
              "учтена в распределении оценок, как в файле статистики");
    EXPECT_EQ(read.problems[1].line, 5);

    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    SeqReader reader(buffer, "r");
    const MarkCounts statistics = countMarks(reader);
    EXPECT_EQ(read.found->marks.count5, statistics.count5);
    EXPECT_EQ(read.found->marks.count4, statistics.count4);
    EXPECT_EQ(read.found->marks.count3, statistics.count3);
    EXPECT_EQ(read.found->marks.total(), 3);
}

struct FileRow {
    const char* name;
    QByteArray bytes;
    bool statistics;
    std::vector<QString> problems; // "line: reason"
};

void PrintTo(const FileRow& row, std::ostream* os)
{
    *os << row.name;
}

class RegisterKindTest : public ::testing::TestWithParam<FileRow> {};

TEST_P(RegisterKindTest, TellsWhatADocFileIs)
{
    const RegisterReading read = registerOf(GetParam().bytes, QStringLiteral("/школа/Инструкция.doc"));
    EXPECT_FALSE(read.found);
    EXPECT_EQ(read.statistics, GetParam().statistics);
    std::vector<QString> problems;
    for (const Problem& problem : read.problems)
        problems.push_back(QString::number(problem.line) + QStringLiteral(": ") + problem.reason);
    EXPECT_EQ(problems, GetParam().problems);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RegisterKindTest,
    ::testing::Values(
        FileRow{"Statistics", cp1251Lines(statisticsLines(MarkCounts{1, 2, 0, 0})), true, {}},
        FileRow{"Empty", {}, false, {}},
        FileRow{"WordDocument", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0\0\0", 12) + "\r\n", false,
                {"0: не текстовый файл (например, документ Word), а не файл результатов программы: Инструкция.doc"}},
        FileRow{"Notes", cp1251Lines({"Принести тетради", "Повторить дроби"}), false,
                {"0: не журнал класса: ни одна из его строк (2) не похожа на строку журнала; первая: строка другого "
                 "вида: в конце нет процента и времени окончания («75% 07.12.2026 9:05:03»)"}}),
    [](const auto& info) { return std::string(info.param.name); });

ProtocolReading protocolOf(const QStringList& lines, const QString& name)
{
    QByteArray data = cp1251Lines(lines);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    SeqReader reader(buffer, name);
    return readProtocol(reader, name);
}

const QStringList kHead = {QStringLiteral("Ф.И.О.: Иванов Иван                   "), QStringLiteral("Номер варианта:  1"),
                           QStringLiteral("Класс: 7б     "),
                           QStringLiteral("Начало работы: 07.12.2026 9:00:00 Конец работы : 07.12.2026 9:05:03"),
                           QStringLiteral("*************************")};
const QString kSummary = QStringLiteral("Задано: 3 заданий. Всего баллов:  3 Из них набрано:  1  Правильно выполнено:  33.33% "
                                        "задания. Ваша оценка:  2");
const QString kProtocolName = QStringLiteral("/школа/7б     _Дроби_ умножение_Иванов Иван_1.otv");

TEST(ProtocolFile, ReadsTickAndTypedQuestionsAndTheTopicBetweenHeadAndName)
{
    const ProtocolReading read =
        protocolOf(kHead + QStringList{QStringLiteral("Правильно:___010100 * 010100 * Какие числа чётные?"),
                                       QStringLiteral("Неправильно:_5 * Сколько будет 2 * 3?"),
                                       QStringLiteral("Правильно:___ * Столица * Франции?"), kSummary},
                   kProtocolName);
    EXPECT_TRUE(read.problems.empty());
    ASSERT_TRUE(read.found);
    EXPECT_EQ(read.found->pupil, "Иванов Иван");
    EXPECT_EQ(read.found->classPart, "7б     ");
    EXPECT_EQ(read.found->variant, "1");
    EXPECT_EQ(read.found->topic, "Дроби_ умножение");
    ASSERT_EQ(read.found->answers.size(), 3u);
    EXPECT_EQ(read.found->answers[0].question, "Какие числа чётные?");
    EXPECT_TRUE(read.found->answers[0].right);
    // The first " * " ends a typed answer: a text holds one far more often than an answer.
    EXPECT_EQ(read.found->answers[1].question, "Сколько будет 2 * 3?");
    EXPECT_FALSE(read.found->answers[1].right);
    EXPECT_EQ(read.found->answers[2].question, "Столица * Франции?");
}

TEST(ProtocolFile, ListsWhatItCannotUse)
{
    ProtocolReading read = protocolOf(kHead + QStringList{QStringLiteral("Правильно:___010100 * 010100 * Что?"),
                                                          QStringLiteral("Вопрос 2: не знаю"),
                                                          QStringLiteral("Неправильно:_без звёздочки")},
                                      kProtocolName);
    ASSERT_TRUE(read.found);
    EXPECT_EQ(read.found->answers.size(), 1u);
    ASSERT_EQ(read.problems.size(), 3u);
    EXPECT_EQ(read.problems[0].line, 7);
    EXPECT_EQ(read.problems[0].reason,
              "строка вопроса другого вида: в начале нет «Правильно:___» или «Неправильно:_»; не учтена");
    EXPECT_EQ(read.problems[1].line, 8);
    EXPECT_EQ(read.problems[2].reason, "нет итоговой строки «Задано: …»; вопросы, что в нём есть, учтены");

    read = protocolOf(kHead, QStringLiteral("/школа/Копия протокола.otv"));
    EXPECT_FALSE(read.found);
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_TRUE(read.problems[0].reason.startsWith("имя файла не сходится с заголовком протокола (ожидается "
                                                   "«7б     _<тема>_Иванов Иван_1.otv»)"));

    QStringList otherHead = kHead;
    otherHead[2] = QStringLiteral("Группа: 7б");
    read = protocolOf(otherHead, kProtocolName);
    EXPECT_FALSE(read.found);
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_EQ(read.problems[0].line, 3);
    EXPECT_EQ(read.problems[0].reason, "заголовок протокола другого вида: ожидается строка «Класс:…»; протокол не учтён");
}

} // namespace
