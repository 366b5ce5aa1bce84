#include "quiz/quiz_loader.h"

#include "tests/support/files.h"
#include "tests/support/recording_services.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Three questions: a tick question with B to tick, a typed one and a tick question with one option.
struct Classroom {
    QTemporaryDir dir;
    QString testPath = dir.filePath("Algebra.tst");

    void writeTest(const QString& name = QStringLiteral("Algebra"))
    {
        writeLines(dir.filePath(name + ".tst"),
                   {"Алгебра", "Дроби", "2", "60,3,2", "80,60,40", //
                    "1", "4", "Какая дробь больше половины?", "1/3", "3/4", "1/4", "1/5", //
                    "2", "0", "Сократите 2/4", //
                    "1", "1", "Отметьте ответ", "да"});
    }
    void writePoints(const QString& name = QStringLiteral("Algebra")) { writeLines(dir.filePath(name + ".tsb"), {"1,2,3"}); }
    void writeKey(const QString& name = QStringLiteral("Algebra"))
    {
        writeLines(dir.filePath(name + ".ts1"), {"133456", "1/2", "223456"});
    }
};

TEST(LoadTest, ReadsDrawsExchangesAndShuffles)
{
    Classroom room;
    room.writeTest();
    room.writePoints();
    room.writeKey();
    RecordingServices services;
    // Questions 3 then 1; one draw for the single option of question 3.
    services.randomValues = {0.99, 0.1, 0.7};
    const LoadedQuiz result = loadQuiz(room.testPath, services);
    ASSERT_FALSE(result.failure) << result.failure->description().toStdString();

    EXPECT_EQ(result.pupil.subject.text().trimmed(), "Алгебра");
    EXPECT_EQ(result.pupil.variantNo.text(), "2");
    EXPECT_EQ(result.pupil.testPath, room.dir.filePath("Algebra.ts1"));
    EXPECT_EQ(result.header.askCount, 2);
    EXPECT_EQ(result.attempt.drawNumbers(1), 3);
    EXPECT_EQ(result.attempt.drawNumbers(2), 1);

    // The exchanges leave the file's questions 2 and 3 at positions 1 and 2.
    EXPECT_EQ(result.questionBank(1).questionText, "Сократите 2/4");
    EXPECT_EQ(result.questionBank(1).points, 2);
    EXPECT_EQ(result.attempt.correctTyped(1), "1/2");
    EXPECT_EQ(result.questionBank(2).questionText, "Отметьте ответ");
    EXPECT_EQ(result.questionBank(2).points, 3);
    EXPECT_EQ(result.attempt.correctFlags(1, 2), 1);
    // Position 3 is not asked, so its options keep the file's order.
    EXPECT_EQ(result.questionBank(3).optionText(2), "3/4");
    EXPECT_EQ(result.attempt.correctFlags(2, 3), 1);
    EXPECT_EQ(services.randomizeCalls, 2);
    EXPECT_TRUE(services.randomValues.empty());

    const auto run = std::make_unique<QuizRun>();
    run->pupil.pupilName = QStringLiteral("Иванов Пётр");
    run->attempt.answerFlags(1, 1) = 1;
    commitLoadedQuiz(result, *run);
    EXPECT_EQ(run->questionBank(2).questionText, "Отметьте ответ");
    EXPECT_EQ(run->pupil.testPath, room.dir.filePath("Algebra.ts1"));
    EXPECT_EQ(run->pupil.pupilName.text().trimmed(), "Иванов Пётр");
    EXPECT_EQ(run->attempt.answerFlags(1, 1), 0);
    EXPECT_EQ(run->attempt.correctTyped(1), "1/2");
}

TEST(LoadTest, WithoutPointsFileEveryQuestionIsWorthZero)
{
    Classroom room;
    room.writeTest();
    room.writeKey();
    RecordingServices services;
    services.randomValues = {0.99, 0.1, 0.7};
    const LoadedQuiz result = loadQuiz(room.testPath, services);
    ASSERT_FALSE(result.failure);
    for (int p = 1; p <= 3; ++p)
        EXPECT_EQ(result.questionBank(p).points, 0);
}

TEST(LoadTest, FindsCompanionsDifferingInLetterCase)
{
    Classroom room;
    room.writeTest("TEST");
    room.writePoints("TEST");
    QFile::rename(room.dir.filePath("TEST.tsb"), room.dir.filePath("TEST.TSB"));
    room.writeKey("TEST");
    QFile::rename(room.dir.filePath("TEST.ts1"), room.dir.filePath("TEST.TS1"));
    RecordingServices services;
    // Questions 1, then 3 after a repeat; four draws for the options of question 1, one for question 3.
    services.randomValues = {0.0, 0.0, 0.99, 0.99, 0.0, 0.5, 0.7, 0.3};
    const LoadedQuiz result = loadQuiz(room.dir.filePath("TEST.tst"), services);
    ASSERT_FALSE(result.failure) << result.failure->description().toStdString();
    EXPECT_EQ(result.pupil.testPath, room.dir.filePath("TEST.TS1"));
    EXPECT_EQ(result.questionBank(1).points, 1);
}

struct FailureRow {
    const char* name;
    bool testFile;
    bool keyFile;
    QStringList keyLines;
    bool headerFailure;
    int number;
    const char* failedFile;
    QString descriptionPart;
};

class LoadFailureTest : public ::testing::TestWithParam<FailureRow> {};

TEST_P(LoadFailureTest, TellsTheHeaderFromLaterFailures)
{
    const FailureRow& row = GetParam();
    Classroom room;
    if (row.testFile)
        room.writeTest();
    if (row.keyFile)
        writeLines(room.dir.filePath("Algebra.ts1"), row.keyLines);
    RecordingServices services;
    const LoadedQuiz result = loadQuiz(room.testPath, services);
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.headerFailure, row.headerFailure);
    EXPECT_EQ(result.failure->number(), row.number);
    EXPECT_EQ(result.failedFile, room.dir.filePath(row.failedFile));
    EXPECT_TRUE(result.failure->description().contains(row.descriptionPart))
        << result.failure->description().toStdString();
    EXPECT_EQ(services.randomizeCalls, 0);

    const auto run = std::make_unique<QuizRun>();
    commitLoadedQuiz(result, *run);
    EXPECT_EQ(run->header.askCount, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadFailureTest,
    ::testing::Values(
        FailureRow{"NoTestFile", false, true, {}, true, 53, "Algebra.tst", "Файл не найден"},
        FailureRow{"NoKeyFile", true, false, {}, false, 53, "Algebra.ts1", "(файл ключа к тесту)"},
        FailureRow{"ShortKey", true, true, {"133456", "1/2"}, false, 62, "Algebra.ts1", "строка 3"},
        FailureRow{"BadKeyLine", true, true, {"13345", "1/2", "223456"}, false, 13, "Algebra.ts1",
                   "меньше шести символов"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoadTest, QuestionsBeyond350AreNeverRead)
{
    QTemporaryDir dir;
    QStringList test = {"Алгебра", "Дроби", "1", "10,400,30,80,60,40"};
    QStringList key;
    for (int k = 1; k <= 350; ++k) {
        test << "2" << "0" << QStringLiteral("Вопрос %1").arg(k);
        key << QStringLiteral("ответ %1").arg(k);
    }
    test << "1" << "9" << "читать нельзя";
    key << "плохо";
    writeLines(dir.filePath("big.tst"), test);
    writeLines(dir.filePath("big.ts1"), key);
    RecordingServices services;
    for (int p = 1; p <= 30; ++p)
        services.randomValues.push_back(p / 31.0);
    const LoadedQuiz result = loadQuiz(dir.filePath("big.tst"), services);
    ASSERT_FALSE(result.failure) << result.failure->description().toStdString();
    EXPECT_EQ(result.header.questionCount, 350);
    EXPECT_EQ(result.header.askCount, 30);
    EXPECT_EQ(result.questionBank(1).questionText, "Вопрос 12"); // 349/31 + 1 = 12.26
    EXPECT_EQ(result.attempt.correctTyped(1), "ОТВЕТ 12");
}

} // namespace
