#pragma once

#include "quiz/session.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// The main form's test state: created with the form, alive until the program ends.
struct Attempt {
    int currentQuestion = 0;
    Table2<std::int16_t, kMaxOptions, kBankSlots> correctFlags; // 1 must be ticked, 0 must not
    Table1<QString, kBankSlots> correctTyped;                    // upper case
    Table2<std::int16_t, kMaxOptions, kBankSlots> answerFlags;  // the pupil's ticks
    Table1<QString, kBankSlots> typedAnswers;
    Table1<int, kBankSlots> drawNumbers;
    double timeLeft = 0;
    QDateTime startTime;
    // 32 bits: the asked questions may carry more than 32767 points in all.
    std::int32_t pointsTotal = 0;
    std::int32_t pointsScored = 0;
    QString pictureName;
    // True from a successful test start on: the moves need a test on screen.
    bool quizRunning = false;
    // Set by the finishing as it begins: the button and the time-out must not run it twice.
    bool finished = false;
};
