#pragma once

#include "testing/session.h"

#include <QString>

#include <cstdint>

// The main form's test state: created with the form, alive until the program ends.
struct TestState {
    int currentQuestion = 0;
    Table2<std::int16_t, kMaxOptions, kBankSlots> correctFlags; // 1 must be ticked, 0 must not
    Table1<QString, kBankSlots> correctTyped;                    // upper case
    Table2<std::int16_t, kMaxOptions, kBankSlots> answerFlags;  // the pupil's ticks
    Table1<QString, kBankSlots> typedAnswers;
    Table1<int, kBankSlots> drawNumbers;
    double timeLeft = 0;
    QString startTime;
    std::int16_t pointsTotal = 0;
    std::int16_t pointsScored = 0;
    QString pictureName;
    // True from a successful test start on: the moves need a test on screen.
    bool testRunning = false;
};
