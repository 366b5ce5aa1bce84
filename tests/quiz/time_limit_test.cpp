#include "quiz/quiz_run.h"

#include <gtest/gtest.h>

namespace {

struct CaptionCase {
    const char* name;
    double timeLeft;
    const char16_t* caption;
};

class TimeCaption : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(TimeCaption, ShowsMinutesAndSecondsEachAfterABlank)
{
    EXPECT_EQ(timeCaption(GetParam().timeLeft), QString::fromUtf16(GetParam().caption));
}

INSTANTIATE_TEST_SUITE_P(TimeLimit, TimeCaption,
                         ::testing::Values(CaptionCase{"nineFiftyNine", 599, u" 9 мин. 59 с."},
                                           CaptionCase{"oneMinute", 60, u" 1 мин. 0 с."},
                                           CaptionCase{"lastSecond", 0, u" 0 мин. 0 с."},
                                           CaptionCase{"hourAndASecond", 3601, u" 60 мин. 1 с."},
                                           CaptionCase{"longestTest", 350.0 * 32767, u" 191140 мин. 50 с."}),
                         [](const auto& info) { return std::string(info.param.name); });

// What a screen reader announces changes with the minute, not with the second.
TEST(TimeStatus, InWholeMinutesThenLessThanAMinute)
{
    EXPECT_EQ(timeStatus(599), QStringLiteral("Осталось 9 мин."));
    EXPECT_EQ(timeStatus(540), QStringLiteral("Осталось 9 мин."));
    EXPECT_EQ(timeStatus(59), QStringLiteral("Осталось меньше минуты."));
}

TEST(TimerTick, CountsDownThenReportsTheEnd)
{
    QuizRun run;
    run.attempt.timeLeft = 20 * 30;
    EXPECT_EQ(timerTick(run), TimeTick::Counting);
    EXPECT_EQ(timeCaption(run.attempt.timeLeft), QStringLiteral(" 9 мин. 59 с."));
    run.attempt.timeLeft = 1;
    EXPECT_EQ(timerTick(run), TimeTick::Counting);
    EXPECT_EQ(timeCaption(run.attempt.timeLeft), QStringLiteral(" 0 мин. 0 с."));
    EXPECT_EQ(timerTick(run), TimeTick::TimeUp);
    EXPECT_EQ(run.attempt.timeLeft, -1);
}

TEST(TimerTick, NoTimePerQuestionEndsAtTheFirstTick)
{
    QuizRun run;
    run.attempt.timeLeft = 5 * 0;
    EXPECT_EQ(timerTick(run), TimeTick::TimeUp);
}

} // namespace
