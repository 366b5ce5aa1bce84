#pragma once

#include "quiz/attempt.h"
#include "quiz/question_bank.h"
#include "quiz/quiz_run.h"

#include "runtime/run_error.h"
#include "runtime/services.h"

#include <QString>

#include <optional>

// What the start reads and draws, held apart from the running quiz until all of
// it has succeeded.
struct LoadedQuiz {
    std::optional<RunError> failure; // none when the quiz is ready to start
    bool headerFailure = false;      // the quiz file could not be opened or its header read
    QString failedFile;              // the file the failure is about
    // The pupil's subject, topic, variantNo and testPath (now the answer-key file).
    PupilRecord pupil;
    QuizHeader header;
    // As the pupil will be asked them.
    QuestionBank questionBank;
    // correctFlags, correctTyped and drawNumbers; answerFlags all 0.
    Attempt attempt;
};

// Reads the quiz file, the points file and the answer key beside it, draws the
// questions, exchanges them into place and shuffles the tick options. Nothing
// outside the result is changed, so a failure leaves the program as it was.
LoadedQuiz loadQuiz(const QString& testPath, Services& services);

// Puts a successful result into the running quiz; a failed one changes nothing.
void commitLoadedQuiz(const LoadedQuiz& result, QuizRun& run);
