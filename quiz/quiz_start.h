#pragma once

#include "quiz/main_controls.h"
#include "quiz/session.h"
#include "quiz/attempt.h"

#include <functional>

class RunError;
class Services;

// "Начать": reads the chosen test, draws the pupil's variant, prepares the screen,
// shows the first question and starts the countdown. When the test cannot be read
// the teacher is told why in two message boxes and openSelection (the "Выбор теста"
// handler) brings the test selection back; nothing of the failed test is kept.
void startQuiz(const MainControls& controls, Session& session, Attempt& state, Services& services,
               const std::function<void()>& openSelection);

// The two message boxes about a test that could not be read; file is the file the
// failure is about.
void reportQuizFailure(Services& services, const RunError& failure, const QString& file);
