#include "quiz/time_limit.h"

#include "runtime/conversions.h"

#include <QLabel>

#include <cmath>

QString timeCaption(double timeLeft)
{
    const double minutes = std::floor(timeLeft / 60);
    return strDouble(minutes) + QStringLiteral(" мин.") + strDouble(timeLeft - 60 * minutes) + QStringLiteral(" с.");
}

TimeTick timerTick(Attempt& state, QLabel& LblNow1)
{
    state.timeLeft -= 1;
    if (state.timeLeft < 0)
        return TimeTick::TimeUp;
    LblNow1.setText(timeCaption(state.timeLeft));
    return TimeTick::Counting;
}
