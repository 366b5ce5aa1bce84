#include "quiz/draw.h"

#include "tests/support/recording_services.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

QuizHeader counted(int questionCount, int askCount)
{
    QuizHeader header;
    header.questionCount = std::int16_t(questionCount);
    header.askCount = std::int16_t(askCount);
    return header;
}

const auto rowName = [](const auto& info) { return std::string(info.param.name); };

struct NumberRow {
    const char* name;
    double r;
    int m;
    int single;
    int dbl;
};

class DrawNumberTest : public ::testing::TestWithParam<NumberRow> {};

TEST_P(DrawNumberTest, RoundsHalvesToEven)
{
    EXPECT_EQ(drawQuestionNumber(GetParam().r, GetParam().m), GetParam().single);
    EXPECT_EQ(drawOptionNumber(GetParam().r, GetParam().m), GetParam().dbl);
}

INSTANTIATE_TEST_SUITE_P(
    Draw, DrawNumberTest,
    ::testing::Values(NumberRow{"ZeroGivesOne", 0.0, 10, 1, 1}, NumberRow{"TopGivesM", 0.99999, 10, 10, 10},
                      NumberRow{"HalfDownToEven", 0.5, 4, 2, 2}, NumberRow{"HalfUpToEven", 0.5, 6, 4, 4},
                      NumberRow{"JustBelowHalf", 0.4999, 4, 2, 2},
                      // In single precision r is 0.5 and 0.375 exactly, so x is 2.5 there.
                      NumberRow{"SinglePrecisionMakesAHalf", 0.5 + 1e-9, 4, 2, 3},
                      NumberRow{"SinglePrecisionMakesAnotherHalf", 0.375 + 1e-9, 5, 2, 3},
                      // 37 * r is 25.5000002 in double, 25.5 in single precision.
                      NumberRow{"ProductInSinglePrecision", 0.689189196, 38, 26, 27},
                      NumberRow{"OneQuestionAlwaysOne", 0.9, 1, 1, 1}, NumberRow{"NoOptionsSmall", 0.4, 0, 1, 1},
                      NumberRow{"NoOptionsLarge", 0.6, 0, 0, 0},
                      NumberRow{"StrayOneStaysInRange", 1.0, 10, 10, 10},
                      NumberRow{"StrayNegativeStaysInRange", -0.5, 10, 1, 1}),
    rowName);

struct QuestionDrawRow {
    const char* name;
    int questionCount;
    int askCount;
    std::vector<double> randoms;
    std::vector<int> drawn;
};

class QuestionDrawTest : public ::testing::TestWithParam<QuestionDrawRow> {};

TEST_P(QuestionDrawTest, DrawsDifferentNumbers)
{
    const QuestionDrawRow& row = GetParam();
    RecordingServices services;
    services.randomValues.assign(row.randoms.begin(), row.randoms.end());
    const QuizHeader header = counted(row.questionCount, row.askCount);
    Attempt state;
    drawQuestions(services, header, state);
    std::vector<int> drawn;
    for (int p = 1; p <= row.askCount; ++p)
        drawn.push_back(state.drawNumbers(p));
    EXPECT_EQ(drawn, row.drawn);
    EXPECT_EQ(services.randomizeCalls, 1);
    EXPECT_TRUE(services.randomValues.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Draw, QuestionDrawTest,
    ::testing::Values(QuestionDrawRow{"OneOfOne", 1, 1, {0.7}, {1}},
                      QuestionDrawRow{"ThreeThenOne", 3, 2, {0.99, 0.1}, {3, 1}},
                      QuestionDrawRow{"RepeatsDrawnAgain", 3, 3, {0.5, 0.5, 0.74, 0.0, 0.9}, {2, 1, 3}}),
    rowName);

// A generator stuck on one value: every draw after the first repeats.
class StuckServices : public RecordingServices {
public:
    double rnd() override
    {
        ++draws;
        return 0.0;
    }
    long draws = 0;
};

TEST(QuestionDraw, AStuckGeneratorTakesTheSmallestUnusedNumber)
{
    StuckServices services;
    const QuizHeader header = counted(350, 350);
    Attempt state;
    drawQuestions(services, header, state);
    for (int p = 1; p <= 350; ++p)
        ASSERT_EQ(state.drawNumbers(p), p);
    EXPECT_EQ(services.draws, 1 + 349L * (kMaxRedraws + 1));
}

TEST(QuestionDraw, NothingToAskIs5)
{
    RecordingServices services;
    QuizHeader header;
    header.questionCount = 3;
    Attempt state;
    try {
        drawQuestions(services, header, state);
        FAIL() << "drawn";
    } catch (const RunError& e) {
        EXPECT_EQ(e.number(), 5);
    }
}

QuestionRecord question(const QString& text, QChar form, QChar count)
{
    QuestionRecord q;
    q.questionText = text;
    q.answerForm = form;
    q.optionCount = count;
    return q;
}

TEST(Exchange, ThreeThenOneAsksTheSecondAndThirdQuestions)
{
    const QuizHeader header = counted(3, 2);
    QuestionBank bank;
    Attempt state;
    for (int k = 1; k <= 3; ++k) {
        bank(k) = question(QStringLiteral("Q%1").arg(k), u'2', u'0');
        bank(k).points = std::int16_t(k);
        state.correctFlags(k, k) = 1;
        state.correctTyped(k) = QStringLiteral("A%1").arg(k);
    }
    state.drawNumbers(1) = 3;
    state.drawNumbers(2) = 1;
    exchangeDrawnQuestions(header, bank, state);
    const std::vector<int> file = {2, 3, 1};
    for (int p = 1; p <= 3; ++p) {
        const int k = file[std::size_t(p - 1)];
        EXPECT_EQ(bank(p).questionText, QStringLiteral("Q%1").arg(k));
        EXPECT_EQ(bank(p).points, k);
        EXPECT_EQ(state.correctTyped(p), QStringLiteral("A%1").arg(k));
        for (int j = 1; j <= 3; ++j)
            EXPECT_EQ(state.correctFlags(j, p), j == k ? 1 : 0) << "position " << p << " option " << j;
    }
}

struct ShuffleRow {
    const char* name;
    std::vector<double> randoms;
};

class ShuffleTest : public ::testing::TestWithParam<ShuffleRow> {};

TEST_P(ShuffleTest, EachFlagFollowsItsText)
{
    RecordingServices services;
    services.randomValues.assign(GetParam().randoms.begin(), GetParam().randoms.end());
    const QuizHeader header = counted(2, 2);
    QuestionBank bank;
    Attempt state;
    bank(1) = question("tick", u'1', u'4');
    bank(2) = question("typed", u'2', u'3');
    const QStringList texts = {"A", "B", "C", "D"};
    for (int j = 1; j <= 4; ++j) {
        bank(1).optionText(j) = texts[j - 1];
        bank(2).optionText(j) = texts[j - 1];
    }
    state.correctFlags(2, 1) = 1; // only B must be ticked
    shuffleOptions(services, header, bank, state);

    QStringList shown;
    for (int j = 1; j <= 4; ++j) {
        shown << bank(1).optionText(j);
        EXPECT_EQ(state.correctFlags(j, 1), bank(1).optionText(j) == "B" ? 1 : 0);
        EXPECT_EQ(bank(2).optionText(j), texts[j - 1]);
    }
    shown.sort();
    EXPECT_EQ(shown, texts);
    EXPECT_EQ(services.randomizeCalls, 1);
    EXPECT_TRUE(services.randomValues.empty()); // the typed question draws nothing
}

INSTANTIATE_TEST_SUITE_P(Draw, ShuffleTest,
                         ::testing::Values(ShuffleRow{"InOrder", {0.0, 0.34, 0.67, 0.99}},
                                           ShuffleRow{"Reversed", {0.99, 0.67, 0.34, 0.0}},
                                           ShuffleRow{"WithRepeats", {0.5, 0.5, 0.2, 0.0, 0.0, 0.99, 0.7}},
                                           ShuffleRow{"Rotated", {0.99, 0.0, 0.5, 0.7}}),
                         rowName);

TEST(Shuffle, ExchangesInOrderOfThePlaces)
{
    RecordingServices services;
    services.randomValues = {0.99, 0.0, 0.5, 0.7}; // option order 4, 1, 2, 3
    const QuizHeader header = counted(1, 1);
    QuestionBank bank;
    Attempt state;
    bank(1) = question("tick", u'1', u'4');
    for (int j = 1; j <= 4; ++j)
        bank(1).optionText(j) = QString(QChar(u'A' + j - 1));
    shuffleOptions(services, header, bank, state);
    EXPECT_EQ(QStringList({bank(1).optionText(1), bank(1).optionText(2), bank(1).optionText(3), bank(1).optionText(4)}),
              QStringList({"B", "C", "A", "D"}));
}

TEST(Shuffle, NoOrOneOptionDrawsOnceAndKeepsEverything)
{
    RecordingServices services;
    services.randomValues = {0.6, 0.3};
    const QuizHeader header = counted(2, 2);
    QuestionBank bank;
    Attempt state;
    bank(1) = question("none", u'1', u'0');
    bank(2) = question("one", u'1', u'1');
    bank(2).optionText(1) = "A";
    state.correctFlags(1, 2) = 1;
    shuffleOptions(services, header, bank, state);
    EXPECT_TRUE(services.randomValues.empty());
    EXPECT_EQ(bank(2).optionText(1), "A");
    EXPECT_EQ(state.correctFlags(1, 2), 1);
}

TEST(Shuffle, AStuckGeneratorDoesNotHang)
{
    StuckServices services;
    const QuizHeader header = counted(1, 1);
    QuestionBank bank;
    Attempt state;
    bank(1) = question("tick", u'1', u'6');
    for (int j = 1; j <= 6; ++j)
        bank(1).optionText(j) = QString::number(j);
    shuffleOptions(services, header, bank, state);
    for (int j = 1; j <= 6; ++j)
        EXPECT_EQ(bank(1).optionText(j), QString::number(j));
}

struct ShuffleFailureRow {
    const char* name;
    QChar form;
    QChar count;
    int number;
};

class ShuffleFailureTest : public ::testing::TestWithParam<ShuffleFailureRow> {};

TEST_P(ShuffleFailureTest, NeedsDigits)
{
    RecordingServices services;
    const QuizHeader header = counted(1, 1);
    QuestionBank bank;
    Attempt state;
    bank(1) = question("q", GetParam().form, GetParam().count);
    try {
        shuffleOptions(services, header, bank, state);
        FAIL() << "shuffled";
    } catch (const RunError& e) {
        EXPECT_EQ(e.number(), GetParam().number);
        EXPECT_TRUE(e.description().contains(QStringLiteral("у задаваемого вопроса 1")));
    }
}

INSTANTIATE_TEST_SUITE_P(Draw, ShuffleFailureTest,
                         ::testing::Values(ShuffleFailureRow{"AnswerFormNoDigit", u'x', u'4', 13},
                                           ShuffleFailureRow{"OptionCountNoDigit", u'1', u' ', 13},
                                           ShuffleFailureRow{"OptionCountNine", u'1', u'9', 5}),
                         rowName);

} // namespace
