#include "results/checking.h"

#include "quiz/quiz_run.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Answers {
    std::unique_ptr<QuizRun> quiz = std::make_unique<QuizRun>();
    std::unique_ptr<Attempt> state = std::make_unique<Attempt>();

    Answers()
    {
        quiz->header.markThresholds(1) = 80;
        quiz->header.markThresholds(2) = 60;
        quiz->header.markThresholds(3) = 40;
    }
    void typed(int position, const QString& key, const QString& answer, std::int16_t points = 1)
    {
        quiz->questionBank(position).answerForm = u'2';
        quiz->questionBank(position).points = points;
        state->correctTyped(position) = key;
        state->typedAnswers(position) = answer;
    }
    // Flags as digit texts, option 1 first: "101000".
    void ticks(int position, const char* correct, const char* answer, std::int16_t points = 1)
    {
        quiz->questionBank(position).answerForm = u'1';
        quiz->questionBank(position).points = points;
        for (int j = 1; j <= kMaxOptions; ++j) {
            state->correctFlags(j, position) = std::int16_t(correct[j - 1] - '0');
            state->answerFlags(j, position) = std::int16_t(answer[j - 1] - '0');
        }
    }
};

struct TypedRow {
    const char* name;
    QString key;
    QString answer;
    bool correct;
};

class TypedAnswerTest : public ::testing::TestWithParam<TypedRow> {};

TEST_P(TypedAnswerTest, ComparesUpperCasedTrimmedAlternatives)
{
    Answers t;
    t.typed(1, GetParam().key, GetParam().answer);
    EXPECT_EQ(checkQuestion(t.quiz->questionBank, *t.state, 1).correct, GetParam().correct);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TypedAnswerTest,
    ::testing::Values(TypedRow{"SecondAlternativeWithBlanks", "Москва$ Moscow", "  moscow ", true},
                      TypedRow{"FirstAlternativeCyrillicCase", "Москва$ Moscow", "мОСКВА", true},
                      TypedRow{"NoAlternativeMatches", "Москва$ Moscow", "Питер", false},
                      TypedRow{"DollarInFirstPlaceIsPartOfAnswer", "$5", "$5", true},
                      TypedRow{"DollarInFirstPlaceDoesNotSeparate", "$5", "5", false},
                      TypedRow{"TwoBlanksBetweenWords", "Северный полюс", "северный  полюс", false},
                      TypedRow{"OneBlankBetweenWords", "Северный полюс", "северный полюс", true},
                      TypedRow{"NeverTypedAgainstPlainKey", "Москва", "", false},
                      TypedRow{"NeverTypedAgainstTrailingDollar", "Москва$", "", true},
                      TypedRow{"NeverTypedAgainstDoubleDollar", "А$$Б", "", true},
                      TypedRow{"NeverTypedAgainstEmptyKey", "", "", true},
                      TypedRow{"YoUpperCased", "ёлка", "ЁЛКА", true},
                      TypedRow{"LastLetterUpperCased", "семья", "СЕМЬЯ", true},
                      TypedRow{"TenthAlternativeAfterNinthSeparator", "1$2$3$4$5$6$7$8$9$10", "10", true},
                      TypedRow{"NinthAlternative", "1$2$3$4$5$6$7$8$9$10", "9", true},
                      TypedRow{"TabIsNotTrimmed", "да", "да\t", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AnswerAlternatives, SplitAtEveryDollarButTheFirstCharacter)
{
    EXPECT_EQ(answerAlternatives(QStringLiteral("$5")), QStringList{QStringLiteral("$5")});
    EXPECT_EQ(answerAlternatives(QStringLiteral("$$")), (QStringList{QStringLiteral("$"), QString()}));
    EXPECT_EQ(answerAlternatives(QStringLiteral("А $ Б$")), (QStringList{QStringLiteral("А"), QStringLiteral("Б"), QString()}));
}

TEST(CheckQuestion, StoresTheNormalizedKeyAndAnswerBack)
{
    Answers t;
    t.typed(3, QStringLiteral(" москва$Moscow "), QStringLiteral("  moscow "));
    const Verdict verdict = checkQuestion(t.quiz->questionBank, *t.state, 3);
    EXPECT_TRUE(verdict.typed);
    EXPECT_EQ(verdict.typedAnswer, QStringLiteral("MOSCOW"));
    EXPECT_EQ(t.state->typedAnswers(3), QStringLiteral("MOSCOW"));
    EXPECT_EQ(t.state->correctTyped(3), QStringLiteral("МОСКВА$MOSCOW"));
}

struct TickRow {
    const char* name;
    const char* correct;
    const char* answer;
    bool right;
};

class TickAnswerTest : public ::testing::TestWithParam<TickRow> {};

TEST_P(TickAnswerTest, AllSixFlagsMustAgree)
{
    Answers t;
    t.ticks(1, GetParam().correct, GetParam().answer);
    t.quiz->questionBank(1).optionCount = u'4';
    const Verdict verdict = checkQuestion(t.quiz->questionBank, *t.state, 1);
    EXPECT_FALSE(verdict.typed);
    EXPECT_EQ(verdict.correctFlags, QLatin1String(GetParam().correct));
    EXPECT_EQ(verdict.answerFlags, QLatin1String(GetParam().answer));
    EXPECT_EQ(verdict.correct, GetParam().right);
}

INSTANTIATE_TEST_SUITE_P(Rows, TickAnswerTest,
                         ::testing::Values(TickRow{"Exact", "010100", "010100", true},
                                           TickRow{"OneTooMany", "010100", "110100", false},
                                           TickRow{"OneMissing", "010100", "010000", false},
                                           TickRow{"NeverOpenedNothingToTick", "000000", "000000", true},
                                           TickRow{"NeverOpenedSomethingToTick", "100000", "000000", false},
                                           TickRow{"FlagBeyondOptionCountCounts", "000001", "000000", false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ScoreRow {
    const char* name;
    int asked;
    int correct;
    std::int16_t points;
    std::int16_t t5, t4, t3;
    std::int32_t total;
    std::int32_t scored;
    const char* percent; // the label's number part
    int mark;
};

class ScoreTest : public ::testing::TestWithParam<ScoreRow> {};

TEST_P(ScoreTest, TotalsPercentageAndMark)
{
    const ScoreRow& row = GetParam();
    Answers t;
    t.quiz->header.askCount = std::int16_t(row.asked);
    t.quiz->header.markThresholds(1) = row.t5;
    t.quiz->header.markThresholds(2) = row.t4;
    t.quiz->header.markThresholds(3) = row.t3;
    for (int i = 1; i <= row.asked; ++i)
        t.ticks(i, "100000", i <= row.correct ? "100000" : "000000", row.points);
    const Checking checking = checkAll(t.quiz->questionBank, t.quiz->header, *t.state);
    EXPECT_EQ(checking.verdicts.size(), std::size_t(row.asked));
    EXPECT_EQ(checking.score.pointsTotal, row.total);
    EXPECT_EQ(checking.score.pointsScored, row.scored);
    EXPECT_EQ(percentText(checking.score.percentDone), QLatin1String(row.percent));
    EXPECT_EQ(checking.score.mark, row.mark);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ScoreTest,
    ::testing::Values(ScoreRow{"FifteenOfTwenty", 20, 15, 1, 80, 60, 40, 20, 15, " 75", 4},
                      ScoreRow{"SevenOfTwenty", 20, 7, 1, 80, 60, 40, 20, 7, " 35", 2},
                      ScoreRow{"TwoOfThree", 3, 2, 1, 80, 60, 40, 3, 2, " 66.66666", 4},
                      ScoreRow{"ThresholdsOutOfOrder", 20, 11, 1, 50, 60, 40, 20, 11, " 55", 5},
                      ScoreRow{"ExactlyAtMarkFive", 20, 16, 1, 80, 60, 40, 20, 16, " 80", 5},
                      ScoreRow{"ExactlyAtMarkFour", 20, 12, 1, 80, 60, 40, 20, 12, " 60", 4},
                      ScoreRow{"ExactlyAtMarkThree", 20, 8, 1, 80, 60, 40, 20, 8, " 40", 3},
                      ScoreRow{"NothingGainedMarkThreeAtZero", 5, 0, 2, 80, 60, 0, 10, 0, " 0", 3},
                      ScoreRow{"NothingGained", 5, 0, 2, 80, 60, 40, 10, 0, " 0", 2},
                      ScoreRow{"NoPointsEachQuestionCountsOne", 4, 3, 0, 80, 60, 40, 4, 3, " 75", 4},
                      ScoreRow{"BelowOnePercent", 350, 1, 1, 80, 60, 40, 350, 1, " 0.2857143", 2},
                      ScoreRow{"BeyondSixteenBits", 350, 350, 32767, 80, 60, 40, 11468450, 11468450, " 100", 5},
                      ScoreRow{"NothingAsked", 0, 0, 1, 80, 60, 40, 0, 0, " 0", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CheckAll, AQuestionOfNoPointsAddsNothingWhileOthersCarryPoints)
{
    Answers t;
    t.quiz->header.askCount = 3;
    t.ticks(1, "100000", "100000", 2);
    t.ticks(2, "100000", "100000", 0);
    t.ticks(3, "100000", "000000", 2);
    const Score score = checkAll(t.quiz->questionBank, t.quiz->header, *t.state).score;
    EXPECT_EQ(score.pointsTotal, 4);
    EXPECT_EQ(score.pointsScored, 2);
    EXPECT_EQ(score.mark, 3);
}

struct PercentRow {
    const char* name;
    float percent;
    const char* text;
};

class PercentTextTest : public ::testing::TestWithParam<PercentRow> {};

TEST_P(PercentTextTest, LeadingBlankAndZeroBeforeThePoint)
{
    EXPECT_EQ(percentText(GetParam().percent), QLatin1String(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Rows, PercentTextTest,
                         ::testing::Values(PercentRow{"Whole", 75.0f, " 75"}, PercentRow{"Zero", 0.0f, " 0"},
                                           PercentRow{"Half", 0.5f, " 0.5"},
                                           PercentRow{"Tiny", 1e-5f, " 0.00001"},
                                           PercentRow{"JustUnderOne", 0.9999999f, " 0.9999999"},
                                           PercentRow{"NegativeBelowOne", -0.25f, "-0.25"},
                                           PercentRow{"Hundred", 100.0f, " 100"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ResultTexts, TwoOfThreeCutWithoutRounding)
{
    Table1<std::int16_t, 3> thresholds;
    thresholds(1) = 80;
    thresholds(2) = 60;
    thresholds(3) = 40;
    const Score score{3, 2, percentOf(2, 3), 4};
    EXPECT_EQ(percentLabel(score.percentDone), QStringLiteral("Выполнено:  66.666%"));
    EXPECT_EQ(markLabel(score.mark), QStringLiteral("Ваша оценка:  4"));
    EXPECT_TRUE(resultMessage(QStringLiteral("3"), score, thresholds)
                    .contains(QStringLiteral(". Правильно выполнено:  66.66% задания. ")));
}

} // namespace
