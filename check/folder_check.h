#pragma once

#include "check/finding.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// What a check covers: the quizzes (*.tst, whatever the letter case) and the
// class lists (Klass.txt) in folders and their subfolders.
struct CheckTargets {
    QStringList quizzes;
    QStringList classLists;
};

// Every quiz and class list below the folders, each once, in the order of their
// paths. A folder that does not exist, or is no folder, is thrown as RunError.
CheckTargets findTargets(const QStringList& folders);

struct CheckReport {
    std::vector<Finding> findings; // by quiz and class list in the targets' order
    int quizzes = 0;
    int classLists = 0;
    // Counted once, by the worst finding: a file with an error is not counted among those with warnings.
    int withErrors = 0;
    int withWarnings = 0;
    bool cancelled = false;
};

struct CheckProgress {
    // Called on the calling thread now and then: how many of all are checked.
    std::function<void(int done, int total)> step;
    // Asked between steps; true stops the check, whose report is then cancelled.
    std::function<bool()> cancelled;
};

// Checks every target, several side by side on the processor's cores.
CheckReport checkTargets(const CheckTargets& targets, const CheckProgress& progress = {});

// «12 тестов: 2 с ошибками, 3 с предупреждениями», with the class lists when there are any.
QString summaryText(const CheckReport& report);
