#pragma once

#include "quiz/question_bank.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// The pupil's run through the asked questions: the key in asking order, the
// answers, the position and the time.
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
};
