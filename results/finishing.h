#pragma once

#include "results/checking.h"

#include "quiz/quiz_run.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>

class Services;

// The checked quiz, as the finishing shows and writes it.
struct FinishedQuiz {
    QStringList protocol; // every line of the pupil's protocol
    Score score;
    QString percentLabel; // LblProcent
    QString markLabel;    // LblOcenka
};

// "Проверить и выйти" and the time-out, up to the result on the form: the quiz
// stops, the question on the screen is taken over, every asked question is
// checked and scored. Nothing when the quiz had finished already: the button
// and the time-out must not run it twice.
std::optional<FinishedQuiz> finishQuiz(QuizRun& run, const PupilAnswers& onScreen, Services& services);

// The rest of the finishing, in two steps: the protocol, the register line and the
// statistics are written; lockWait is how long a register held by another
// computer is waited for before the pupil is asked.
void writeResults(const QuizRun& run, const FinishedQuiz& finished, Services& services,
                  std::chrono::milliseconds lockWait = std::chrono::seconds(10));
// Then the beep, the result box, and the end of the program.
void showResult(const QuizRun& run, const FinishedQuiz& finished, Services& services);
