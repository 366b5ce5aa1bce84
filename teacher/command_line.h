#pragma once

#include <QStringList>
#include <QTextStream>

struct Report;

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
//   shkolnik-teacher report FOLDER... [-o FILE] [--csv FOLDER]
// and --help, --version. Returns the exit status: for report, 1 when some file or
// line could not be read (the report lists them).
int runCommandLine(const QStringList& arguments, Console& console);

// The command the arguments name ("check", "report"), "" when none: report draws
// charts, and so needs a QGuiApplication, where check runs on Qt Core alone.
QString commandOf(const QStringList& arguments);

// Writes the file whole or not at all (an earlier one stays then); why it failed, "" when written.
QString saveFile(const QString& path, const QByteArray& bytes);

// «Прочитано журналов: 3, протоколов: 40, файлов статистики: 3», and what could not be read.
QString readSummary(const Report& report);
