#pragma once

#include "check/finding.h"

#include <QString>

#include <vector>

// Every finding about one quiz: its quiz file, points file, answer key and
// pictures, in the order of those files and their lines. What would stop a pupil
// comes from the pupil's own loadQuiz, with its description, file and line; the
// rest is found with the same readers, on everything they could read.
std::vector<Finding> checkQuiz(const QString& quizPath);
