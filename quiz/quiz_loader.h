#pragma once

#include "quiz/session.h"
#include "quiz/attempt.h"

#include "runtime/run_error.h"
#include "runtime/services.h"

#include <QString>

#include <optional>

// What the test start reads and draws, held apart from the running program until
// all of it has succeeded.
struct LoadedQuiz {
    std::optional<RunError> failure; // none when the test is ready to start
    bool headerFailure = false;      // the test file could not be opened or its header read
    QString failedFile;              // the file the failure is about
    // The pupil's subject, topic, variantNo and testPath (now the answer-key file),
    // the header and the question bank as the pupil will be asked them.
    Session session;
    // correctFlags, correctTyped and drawNumbers; answerFlags all 0.
    Attempt state;
};

// Reads the test file, the points file and the answer key beside it, draws the
// questions, exchanges them into place and shuffles the tick options. Nothing
// outside the result is changed, so a failure leaves the program as it was.
LoadedQuiz loadQuiz(const QString& testPath, Services& services);

// Puts a successful result into the session and the main form's state; a failed one changes nothing.
void commitLoadedQuiz(const LoadedQuiz& result, Session& session, Attempt& state);
