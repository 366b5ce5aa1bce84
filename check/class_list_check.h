#pragma once

#include "check/finding.h"

#include <QString>

#include <vector>

// The findings about a class list, read as the registration reads Klass.txt; the
// class of each entry is judged as the result file names will hold it.
std::vector<Finding> checkClassList(const QString& path);
