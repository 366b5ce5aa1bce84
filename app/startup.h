#pragma once

#include "forms/frm_gl.h"

#include <memory>

class Services;
struct QuizRun;

// The start-up: greets the pupil, registers them, opens the main form and tells
// them how to begin. Returns the main form, or nullptr when the program ended.
std::unique_ptr<FrmGl> runStartup(QuizRun& run, Services& services, const DeskSetup& desk);
