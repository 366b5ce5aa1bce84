#pragma once

#include "testing/session.h"
#include "testing/test_state.h"

#include "platform/run_error.h"
#include "platform/services.h"

#include <QString>

#include <optional>

// What the test start reads and draws, held apart from the running program until
// all of it has succeeded.
struct LoadResult {
    std::optional<RunError> failure; // none when the test is ready to start
    bool headerFailure = false;      // the test file could not be opened or its header read
    QString failedFile;              // the file the failure is about
    // The pupil's subject, topic, variantNo and testPath (now the answer-key file),
    // the counters and the question bank as the pupil will be asked them.
    Session session;
    // correctFlags, correctTyped and drawNumbers; answerFlags all 0.
    TestState state;
};

// Reads the test file, the points file and the answer key beside it, draws the
// questions, exchanges them into place and shuffles the tick options. Nothing
// outside the result is changed, so a failure leaves the program as it was.
LoadResult loadTest(const QString& testPath, Services& services);

// Puts a successful result into the session and the main form's state; a failed one changes nothing.
void commitLoadedTest(const LoadResult& result, Session& session, TestState& state);
