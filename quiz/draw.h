#pragma once

#include "quiz/question_bank.h"
#include "quiz/attempt.h"

#include "runtime/services.h"

// The random selection of the asked questions and the shuffling of tick options.

// A number in 1..m from r in [0, 1): (m - 1) * r + 1 rounded to nearest, halves to
// even, so 1 and m come out half as often as the others. The question draw computes
// in single precision, the option draw in double; for m = 0 the result is 0 or 1.
int drawQuestionNumber(double r, int m);
int drawOptionNumber(double r, int m);

// After this many repeats in a row a draw takes the smallest number not yet drawn:
// a uniform generator never gets here, a stuck one would otherwise loop for ever.
constexpr int kMaxRedraws = 10000;

// Reseeds, then draws askCount different numbers in 1..questionCount into
// drawNumbers(1..askCount). Needs 1 <= askCount <= questionCount <= 350, else 5.
void drawQuestions(Services& services, const QuizHeader& header, Attempt& state);

// For p = 1..askCount in turn, exchanges position p with position drawNumbers(p):
// the question record, its option flags and its typed answer move together.
void exchangeDrawnQuestions(const QuizHeader& header, QuestionBank& bank, Attempt& state);

// Reseeds, then shuffles the options of every asked tick question (answer form 1),
// each option text with its flag. Other questions keep their order. An answer
// form, or a tick question's option count, that is no digit is 13; above 6 it is 5.
void shuffleOptions(Services& services, const QuizHeader& header, QuestionBank& bank, Attempt& state);
