#pragma once

#include "quiz/main_controls.h"
#include "quiz/session.h"
#include "quiz/attempt.h"

#include <chrono>

class Services;

// Takes the question on the screen over into its record and the answer tables.
void takeOverQuestion(const MainControls& controls, Session& session, Attempt& state);

// "Проверить и выйти" and the time-out: checks every asked question, shows the
// percentage and the mark, writes the protocol, the register line and the
// statistics, shows the result and ends the program. Runs once; a second call
// returns at once. lockWait is how long a register held by another computer is
// waited for before the pupil is asked.
void finishQuiz(const MainControls& controls, Session& session, Attempt& state, Services& services,
                std::chrono::milliseconds lockWait = std::chrono::seconds(10));
