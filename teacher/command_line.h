#pragma once

#include <QStringList>
#include <QTextStream>

// Where the command line writes: the findings to out, messages and the progress line to err.
struct Console {
    QTextStream& out;
    QTextStream& err;
    bool errIsTerminal = false; // only a person at a terminal is shown the progress line
};

// The program's name, its maker and its version, as --version and the settings know them.
void nameTheProgram();

enum ExitStatus { kNoError = 0, kErrorsFound = 1, kCannotCheck = 2 };

// The teacher's program on the command line (arguments[0] is the program):
//   shkolnik-teacher check FOLDER... [--format text|json] [--class-list FILE]
// and --help, --version. Returns the exit status.
int runCommandLine(const QStringList& arguments, Console& console);
