#include "results/result_files.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

PupilRecord pupilOf(const QString& name, const QString& pupilClass, const QString& topic)
{
    PupilRecord pupil;
    pupil.pupilName = name;
    pupil.pupilClass = pupilClass;
    pupil.pupilClass10 = pupilClass;
    pupil.topic = topic;
    pupil.variantNo = QStringLiteral("1");
    pupil.testFolder = QStringLiteral("/школа/тесты/");
    return pupil;
}

struct NameRow {
    const char* name;
    QString pupilName;
    QString pupilClass;
    QString topic;
    QString protocol;
    QString registerFile;
    QString statistics;
    QString protocolClass; // the "Класс: " line
};

class FileNameTest : public ::testing::TestWithParam<NameRow> {};

TEST_P(FileNameTest, NamesAndClassParts)
{
    const NameRow& row = GetParam();
    const PupilRecord pupil = pupilOf(row.pupilName, row.pupilClass, row.topic);
    EXPECT_EQ(protocolFileName(pupil, pupil.topic.text()), row.protocol);
    EXPECT_EQ(registerFileName(pupil), row.registerFile);
    EXPECT_EQ(statisticsFileName(pupil), row.statistics);
    EXPECT_EQ(protocolHead(pupil, {}, {}).at(2), row.protocolClass);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FileNameTest,
    ::testing::Values(
        NameRow{"ClassOfTenCharacters", "Иванов Иван", "10 5 класс", "Дроби", "5 класс_Дроби_Иванов Иван_1.otv",
                "5 класс_Дроби_1.doc", "5 класс_S_Дроби_1.doc", "Класс: 5 класс"},
        NameRow{"ClassOfFiveCharacters", "Иванов Иван", "10 7б", "Дроби", "7б     _Дроби_Иванов Иван_1.otv",
                "7б_Дроби_1.doc", "7б_S_Дроби_1.doc", "Класс: 7б     "},
        NameRow{"ClassOfThreeCharacters", "Иванов Иван", "10б", "Дроби", "       _Дроби_Иванов Иван_1.otv",
                "_Дроби_1.doc", "_S_Дроби_1.doc", "Класс:        "},
        NameRow{"LongClassCutDifferently", "Иванов Иван", "11 А класс гимназии", "Дроби",
                "А класс_Дроби_Иванов Иван_1.otv", "А класс ги_Дроби_1.doc", "А класс ги_S_Дроби_1.doc",
                "Класс: А класс"},
        NameRow{"TopicOverTwentyFiveCharacters", "Иванов Иван", "10 5 класс",
                "Столицы государств Европы и Азии", "5 класс_Столицы государств Европы_Иванов Иван_1.otv",
                "5 класс_Столицы государств Европы и Азии_1.doc", "5 класс_S_Столицы государств Европы и Азии_1.doc",
                "Класс: 5 класс"},
        NameRow{"TopicCutAtABlankIsTrimmed", "Иванов Иван", "10 5 класс", "Решение задач на движени по реке",
                "5 класс_Решение задач на движени_Иванов Иван_1.otv", "5 класс_Решение задач на движени по реке_1.doc",
                "5 класс_S_Решение задач на движени по реке_1.doc", "Класс: 5 класс"},
        NameRow{"UnsafeCharactersOnlyInTheNames", "Иванов/Иван:*?", "10 5\\класс", "Дроби <1|2> \"ч.1\"",
                "5_класс_Дроби _1_2_ _ч.1__Иванов_Иван____1.otv", "5_класс_Дроби _1_2_ _ч.1__1.doc",
                "5_класс_S_Дроби _1_2_ _ч.1__1.doc", "Класс: 5\\класс"},
        NameRow{"PathClimbingStaysInTheFolder", "..\\..\\Windows", "10 ../..", "..", ".._..  _.._.._.._Windows_1.otv",
                ".._.._.._1.doc", ".._.._S_.._1.doc", "Класс: ../..  "},
        NameRow{"ControlCharacters", QStringLiteral("Иван\tИванов"), "10 5 класс", QStringLiteral("Дроби\r\n"),
                "5 класс_Дроби___Иван_Иванов_1.otv", "5 класс_Дроби___1.doc", "5 класс_S_Дроби___1.doc",
                "Класс: 5 класс"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ResultLines, NamesOfTwentySixToThirtyCharacters)
{
    const QString name = QStringLiteral("Константинопольский Никола"); // 26 characters
    ASSERT_EQ(name.size(), 26);
    const PupilRecord pupil = pupilOf(name, QStringLiteral("10 5 класс"), QStringLiteral("Дроби"));
    EXPECT_EQ(protocolHead(pupil, {}, {}).at(0), QStringLiteral("Ф.И.О.: ") + name + QStringLiteral("    "));
    EXPECT_EQ(protocolFileName(pupil, pupil.topic.text()), QStringLiteral("5 класс_Дроби_") + name + QStringLiteral("_1.otv"));
    const QString line = registerLine(pupil, Score{20, 15, 75.0f, 4}, QStringLiteral("D2"));
    EXPECT_TRUE(line.startsWith(name.left(25) + QStringLiteral(" 5 класс 1")));
    EXPECT_EQ(registerMark(line), 4);
}

TEST(ResultLines, ProtocolLinesOfAnUntickedQuestionAndAWrongTypedAnswer)
{
    EXPECT_EQ(protocolLine(Verdict{false, true, "000000", "000000", {}}, QStringLiteral("Что?")),
              QStringLiteral("Правильно:___000000 * 000000 * Что?"));
    const QString longText = QString(70, u'ж');
    EXPECT_EQ(protocolLine(Verdict{true, false, {}, {}, QStringLiteral("ПИТЕР")}, longText),
              QStringLiteral("Неправильно:_ПИТЕР * ") + longText);
    EXPECT_EQ(protocolLine(Verdict{true, false, {}, {}, QStringLiteral("ПИТЕР\r\nМОСКВА\n")}, QStringLiteral("Что?")),
              QStringLiteral("Неправильно:_ПИТЕР  МОСКВА  * Что?"));
}

TEST(ResultLines, WorkedRegisterLineHasTheMarkInColumn41)
{
    const PupilRecord pupil = pupilOf(QStringLiteral("Иванов Иван"), QStringLiteral("10 5 класс"), QStringLiteral("Дроби"));
    const QString line = registerLine(pupil, Score{20, 15, 75.0f, 4}, QStringLiteral("07.12.2026 9:05:03"));
    EXPECT_EQ(line, QStringLiteral("Иванов Иван               5 класс 1  15 4 75% 07.12.2026 9:05:03"));
    EXPECT_EQ(line.at(40), u'4');
    EXPECT_EQ(registerLine(pupil, Score{20, 1, 5.0f, 2}, {}).at(39), u'2');
    // The percentage field keeps its six characters below 1 %.
    EXPECT_EQ(registerLine(pupil, Score{350, 1, percentOf(1, 350), 2}, {}),
              QStringLiteral("Иванов Иван               5 класс 1  1 2 0.285% "));
}

TEST(ResultLines, VariantThatIsNoDigitKeepsItsPlace)
{
    PupilRecord pupil = pupilOf(QStringLiteral("Иванов Иван"), QStringLiteral("10 5 класс"), QStringLiteral("Дроби"));
    pupil.variantNo = QStringLiteral("Б");
    EXPECT_EQ(variantText(pupil), QStringLiteral(" Б"));
    EXPECT_EQ(registerMark(registerLine(pupil, Score{20, 15, 75.0f, 4}, {})), 4);
}

struct MarkRow {
    const char* name;
    QString line;
    int mark;
};

class RegisterMarkTest : public ::testing::TestWithParam<MarkRow> {};

TEST_P(RegisterMarkTest, ReadsColumnsFortyAndFortyOne)
{
    EXPECT_EQ(registerMark(GetParam().line), GetParam().mark);
}

const QString k39 = QString(39, u'x');
const QString kName = QStringLiteral("Иванов Иван               ");

INSTANTIATE_TEST_SUITE_P(Rows, RegisterMarkTest,
                         ::testing::Values(MarkRow{"DigitInColumn41", k39 + " 4 75% ", 4},
                                           MarkRow{"DigitInColumn40", k39 + "5 100% ", 5},
                                           MarkRow{"LineEndsInColumn40", k39 + "3", 3},
                                           MarkRow{"ShorterThanForty", QString(38, u'x') + "4", 0},
                                           MarkRow{"Empty", QString(), 0},
                                           MarkRow{"NoNumber", k39 + "ab 4", 0},
                                           MarkRow{"FortyFive", k39 + "45", 0},
                                           MarkRow{"One", k39 + " 1", 0},
                                           MarkRow{"Six", k39 + " 6", 0},
                                           // Lines this program wrote: found by their structure.
                                           MarkRow{"ShortClass", kName + "7б 1  15 4 75% 07.12.2026 9:05:03", 4},
                                           MarkRow{"NoClass", kName + " 1  3 2 5% 07.12.2026 19:05:03", 2},
                                           MarkRow{"HundredPoints", kName + "5 класс 1  120 5 100% 07.12.2026 9:05:03", 5},
                                           MarkRow{"NegativePercentage", kName + "7б 1 -3 2-12.5% 07.12.2026 9:05:03", 2},
                                           MarkRow{"OtherMomentFormReadAtColumns", kName + "5 класс 1  15 4 75% 12/7/2026", 4}),
                         [](const auto& info) { return std::string(info.param.name); });

MarkCounts countIn(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    SeqReader reader(buffer, QStringLiteral("register.doc"));
    return countMarks(reader);
}

TEST(Statistics, WorkedExample)
{
    const MarkCounts counts = countIn({k39 + " 5", k39 + " 4", k39 + "4 ", QStringLiteral("short 5"), k39 + "45"});
    EXPECT_EQ(statisticsLines(counts),
              (QStringList{QStringLiteral("Статистика сдачи теста"), QStringLiteral("5:  1   33.3333333333333%"),
                           QStringLiteral("4:  2   66.6666666666667%"), QStringLiteral("3:  0   0%"),
                           QStringLiteral("2:  0   0%"), QStringLiteral("Всего:  3")}));
}

TEST(Statistics, NothingCountsGivesNoLines)
{
    EXPECT_TRUE(statisticsLines(countIn({QStringLiteral("short"), k39 + " 7"})).isEmpty());
}

TEST(SafeFileName, LeavesOrdinaryNamesAlone)
{
    const QString name = QStringLiteral("5 класс_Сложение дробей (ч. 1); №2 — итог_1.doc");
    EXPECT_EQ(safeFileName(name), name);
}

} // namespace
