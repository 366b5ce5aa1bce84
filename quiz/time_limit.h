#pragma once

#include "quiz/attempt.h"

#include <QString>

class QLabel;

// What one tick of Tmr leaves to its caller.
enum class TimeTick {
    Counting, // LblNow1 shows the time left
    TimeUp,   // the budget is spent: run the finishing, as "Проверить и выйти" does
};

// The time left as LblNow1 shows it: 599 gives " 9 мин. 59 с.".
QString timeCaption(double timeLeft);

// One second of the test: counts timeLeft down and shows it, or reports that the
// time is up without touching the caption.
[[nodiscard]] TimeTick timerTick(Attempt& state, QLabel& LblNow1);
