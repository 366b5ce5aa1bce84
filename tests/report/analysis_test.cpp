// The report over folders written by the pupil's program's own writers, with
// answers known beforehand: facility, discrimination, flags, marks, CSV bytes.
#include "report/analysis.h"
#include "report/report_csv.h"

#include "results/result_files.h"
#include "tests/support/files.h"
#include "tests/support/result_folder.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const std::vector<QuizQuestion> kQuestions = {
    {QStringLiteral("Сколько будет 2 * 3?"), true},
    {QStringLiteral("Какие дроби больше половины?"), false},
    {QStringLiteral("Какая дробь несократима?"), false},
    {QStringLiteral("Запишите 0,5 обыкновенной дробью"), true},
    {QStringLiteral("Что такое знаменатель?"), false},
    {QStringLiteral("Сколько будет 1/3 + 1/6?"), true},
};

// Rows: pupils; columns: the questions above, 1 when answered right.
const std::vector<std::pair<QString, std::vector<bool>>> kAnswers = {
    {"Андреев Антон", {1, 1, 1, 1, 1, 0}}, {"Борисова Вера", {1, 1, 1, 0, 1, 0}},
    {"Волков Глеб", {1, 1, 0, 0, 1, 0}},   {"Громова Дарья", {1, 0, 1, 0, 1, 0}},
    {"Денисов Егор", {1, 0, 0, 1, 1, 0}},  {"=Ершова Жанна", {0, 1, 0, 0, 1, 0}},
};

Report reportOf(const QString& folder)
{
    return makeReport(readResultFiles({folder}, findResultFiles({folder})));
}

class KnownAnswers : public ::testing::Test {
protected:
    void SetUp() override
    {
        int minute = 0;
        for (const auto& [name, right] : kAnswers)
            writeSitting(dir.path(), kQuestions, {name, "05 5А", "Дроби", "1", right,
                                                  QDateTime(QDate(2026, 12, 7), QTime(9, ++minute, 3))});
    }
    QTemporaryDir dir;
};

TEST_F(KnownAnswers, FacilityDiscriminationAndFlagsOfEachQuestion)
{
    const Report report = reportOf(dir.path());
    EXPECT_TRUE(report.problems.empty());
    EXPECT_EQ(report.registers, 1);
    EXPECT_EQ(report.statistics, 1);
    ASSERT_EQ(report.nodes.size(), 1u);
    const ReportNode& node = report.nodes[0];
    EXPECT_EQ(node.protocols, 6);
    struct Expected {
        QString text;
        int right;
        double discrimination; // NAN: none
        std::vector<QuestionFlag> flags;
    };
    // Worst first: the negative discrimination leads, those without one close.
    const std::vector<Expected> expected = {
        {kQuestions[1].text, 4, -0.25, {QuestionFlag::PoorlyDiscriminating}},
        {kQuestions[3].text, 2, 0.0, {QuestionFlag::PoorlyDiscriminating}},
        {kQuestions[2].text, 3, 0.2425356, {}},
        {kQuestions[0].text, 5, 0.2927700, {}},
        {kQuestions[5].text, 0, NAN, {QuestionFlag::TooHard}},
        {kQuestions[4].text, 6, NAN, {QuestionFlag::TooEasy}},
    };
    ASSERT_EQ(node.questions.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const QuestionStats& question = node.questions[k];
        SCOPED_TRACE(question.text.toStdString());
        EXPECT_EQ(question.text, expected[k].text);
        EXPECT_EQ(question.asked, 6);
        EXPECT_EQ(question.right, expected[k].right);
        EXPECT_DOUBLE_EQ(question.facility, 100.0 * expected[k].right / 6);
        EXPECT_EQ(question.discrimination.has_value(), !std::isnan(expected[k].discrimination));
        if (question.discrimination) {
            EXPECT_NEAR(*question.discrimination, expected[k].discrimination, 1e-6);
        }
        EXPECT_EQ(question.flags, expected[k].flags);
    }
}

TEST_F(KnownAnswers, MarksAreTheStatisticsFilesAndPupilsTheRegistersLines)
{
    const ReportNode node = reportOf(dir.path()).nodes.at(0);
    EXPECT_EQ(readLines(dir.filePath("5А_S_Дроби_1.doc")), statisticsLines(node.marks));
    EXPECT_EQ(node.marks.count5, 0);
    EXPECT_EQ(node.marks.count4, 2);
    EXPECT_EQ(node.marks.count3, 3);
    EXPECT_EQ(node.marks.count2, 1);
    EXPECT_EQ(node.percentBins, (std::array<int, 10>{0, 0, 0, 1, 0, 3, 1, 0, 1, 0}));
    ASSERT_EQ(node.pupils.size(), 6u);
    EXPECT_EQ(node.pupils[0].entry.pupil, "=Ершова Жанна"); // "=" sorts before letters
    EXPECT_EQ(node.pupils[1].entry.pupil, "Андреев Антон");
    EXPECT_EQ(node.pupils[1].entry.percentText, "83.33");
}

TEST_F(KnownAnswers, CsvBytes)
{
    const Report report = reportOf(dir.path());
    const QByteArray pupils = pupilsCsv(report);
    EXPECT_EQ(pupils.left(3), "\xEF\xBB\xBF");
    const QStringList pupilRows = QString::fromUtf8(pupils.mid(3)).split(QStringLiteral("\r\n"));
    EXPECT_EQ(pupilRows.size(), 8);
    EXPECT_EQ(pupilRows[0], "Класс;Тема;Вариант;Ученик;Баллы;Оценка;Процент;Окончание");
    // A name that would be a formula is shown as text.
    EXPECT_EQ(pupilRows[1], "5А;Дроби;1;'=Ершова Жанна;2;2;33,33;07.12.2026 9:06:03");
    EXPECT_EQ(pupilRows[2], "5А;Дроби;1;Андреев Антон;5;4;83,33;07.12.2026 9:01:03");
    EXPECT_EQ(pupilRows[7], "");

    EXPECT_EQ(questionsCsv(report),
              "\xEF\xBB\xBF"
              "Класс;Тема;Вариант;Вопрос;Задан;Верно;Решаемость, %;Различение;Отметки\r\n"
              "5А;Дроби;1;Какие дроби больше половины?;6;4;66,7;-0,25;плохо различает\r\n"
              "5А;Дроби;1;Запишите 0,5 обыкновенной дробью;6;2;33,3;0,00;плохо различает\r\n"
              "5А;Дроби;1;Какая дробь несократима?;6;3;50,0;0,24;\r\n"
              "5А;Дроби;1;Сколько будет 2 * 3?;6;5;83,3;0,29;\r\n"
              "5А;Дроби;1;Сколько будет 1/3 + 1/6?;6;0;0,0;;слишком трудный\r\n"
              "5А;Дроби;1;Что такое знаменатель?;6;6;100,0;;слишком лёгкий\r\n");
}

TEST(CsvField, QuotesAsRfc4180)
{
    Report report;
    report.nodes.push_back({});
    ReportNode& node = report.nodes.back();
    node.classPart = "5А";
    node.topic = "Дроби; \"часть 1\"";
    node.variant = "1";
    node.questions.push_back({"Первая строка\nвторая", 1, 1, 100, std::nullopt, 1, {}});
    EXPECT_TRUE(questionsCsv(report).contains("5А;\"Дроби; \"\"часть 1\"\"\";1;\"Первая строка\nвторая\";1;1;100,0;;\r\n"));
}

// A protocol names only 25 characters of the topic; it joins its register by them.
TEST(Joining, ProtocolsJoinTheirRegisterByTheTopicsStart)
{
    QTemporaryDir dir;
    const QString topic = QStringLiteral("Итоговый тест по алгебре за первое полугодие");
    const std::vector<QuizQuestion> one = {{QStringLiteral("Вопрос"), false}};
    writeSitting(dir.path(), one, {"Андреев Антон", "05 5 класс", topic, "1", {true}});
    writeSitting(dir.path(), one, {"Андреев Антон", "05 5 класс", topic, "2", {false}});
    const Report report = reportOf(dir.path());
    ASSERT_EQ(report.nodes.size(), 2u);
    EXPECT_EQ(report.nodes[0].topic, topic);
    EXPECT_EQ(report.nodes[0].protocols, 1);
    EXPECT_EQ(report.nodes[0].questions.at(0).right, 1);
    EXPECT_EQ(report.nodes[1].variant, "2");
    EXPECT_EQ(report.nodes[1].questions.at(0).right, 0);
}

TEST(Joining, AnAmbiguousStartIsDecidedByThePupilTheMomentOrShownApart)
{
    QTemporaryDir dir;
    const QString first = QStringLiteral("Итоговый тест по алгебре — первое полугодие");
    const QString second = QStringLiteral("Итоговый тест по алгебре — второе полугодие");
    const std::vector<QuizQuestion> one = {{QStringLiteral("Вопрос"), false}};
    const QDateTime morning(QDate(2026, 12, 8), QTime(10, 0));
    writeSitting(dir.path(), one, {"Андреев Антон", "05 5А", first, "1", {true}});
    writeSitting(dir.path(), one, {"Борисова Вера", "05 5А", second, "1", {true}});
    Report report = reportOf(dir.path());
    ASSERT_EQ(report.nodes.size(), 2u);
    EXPECT_EQ(report.nodes[0].protocols, 1);
    EXPECT_EQ(report.nodes[1].protocols, 1);

    // Her protocol of the first half-year takes the place of the second's: the moment tells.
    writeSitting(dir.path(), one, {"Борисова Вера", "05 5А", first, "1", {false}, morning});
    report = reportOf(dir.path());
    ASSERT_EQ(report.nodes.size(), 2u);
    EXPECT_EQ(report.nodes[0].topic, second);
    EXPECT_EQ(report.nodes[0].protocols, 0);
    EXPECT_EQ(report.nodes[1].protocols, 2);
    EXPECT_TRUE(report.problems.empty());

    writeSitting(dir.path(), one, {"Борисова Вера", "05 5А", second, "1", {false}, morning});
    report = reportOf(dir.path());
    ASSERT_EQ(report.nodes.size(), 3u);
    EXPECT_EQ(report.nodes[2].topic, "Итоговый тест по алгебре…");
    EXPECT_EQ(report.nodes[2].protocols, 1);
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_TRUE(report.problems[0].reason.startsWith("в имени протокола только начало темы, «Итоговый тест по алгебре»"));
}

TEST(SharedText, QuestionsOfOneTextAreOneRightOnlyWhenAllAre)
{
    QTemporaryDir dir;
    const std::vector<QuizQuestion> twins = {{QStringLiteral("Решите пример"), true}, {QStringLiteral("Решите пример"), true}};
    writeSitting(dir.path(), twins, {"Андреев Антон", "05 5А", "Дроби", "1", {true, true}});
    writeSitting(dir.path(), twins, {"Борисова Вера", "05 5А", "Дроби", "1", {true, false}});
    const ReportNode node = reportOf(dir.path()).nodes.at(0);
    ASSERT_EQ(node.questions.size(), 1u);
    EXPECT_EQ(node.questions[0].asked, 2);
    EXPECT_EQ(node.questions[0].right, 1);
    EXPECT_EQ(node.questions[0].sameText, 2);
}

TEST(ClassOrder, NumbersCountBeforeLetters)
{
    QStringList classes = {"10А", "9Б", "9А", "11", "учителя", "5 класс"};
    std::sort(classes.begin(), classes.end(), classBefore);
    EXPECT_EQ(classes, QStringList({"учителя", "5 класс", "9А", "9Б", "10А", "11"}));
}

} // namespace
