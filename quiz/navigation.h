#pragma once

#include "quiz/main_controls.h"
#include "quiz/session.h"
#include "quiz/attempt.h"

#include <QString>

class Services;

// The moves between the questions of the running test, wrapping around at both
// ends. They do nothing until a test has started (Attempt::quizRunning).
// moveNext from position 0 shows question 1 without saving anything.
void moveNext(const MainControls& controls, Session& session, Attempt& state);
void movePrevious(const MainControls& controls, Session& session, Attempt& state);

// The main form's key handler, with the key code and the modifier state (1 Shift,
// 2 Ctrl, 4 Alt, summed). It never consumes the key: the focused control still
// receives it afterwards.
void keyDown(int keyCode, int shiftState, const MainControls& controls, Session& session, Attempt& state,
             Services& services);

// The product notice of Ctrl+Alt+F1.
QString productNoticeTitle();
QString productNoticeText();
