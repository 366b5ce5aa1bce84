#pragma once

#include "results/result_files.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class SeqReader;

// A line of a class register as this program writes it, read from its end: the
// finishing moment, the percentage, the mark, the points, the variant and the class.
struct RegisterEntry {
    QString pupil;       // the first 25 characters of the name, trimmed
    QString classPart;   // the class as the line holds it
    QString variant;     // one character, "" for a blank
    int points = 0;
    int mark = 0;
    QString percentText; // as written, trimmed: "75", "66.66"
    double percent = 0;
    QDateTime finished;
    QString finishedText; // as written: "07.12.2026 9:05:03"
    int line = 0;
};

struct RegisterLineReading {
    std::optional<RegisterEntry> entry;
    QString reason; // why there is no entry
};

// The entry a register line holds, or why it holds none. An entry's mark is the
// one registerMark finds, so that the report counts as the statistics file does.
RegisterLineReading readRegisterLine(const QString& line);

// Something in a result file that the report could not use, and why.
struct Problem {
    QString file;
    int line = 0; // 0 for the whole file
    QString reason;
};

struct Register {
    QString path;
    QString classPart;
    QString topic;   // from the file name, as written there
    QString variant; // from the file name
    std::vector<RegisterEntry> entries;
    MarkCounts marks; // of every whole line, as the statistics count them
};

struct ProtocolAnswer {
    QString question; // as the protocol names it: a tick question by its first 64 characters
    bool right = false;
};

struct Protocol {
    QString path;
    QString pupil;     // trimmed
    QString classPart; // the seven characters of the head, blanks kept
    QString variant;   // trimmed
    QString topic;     // from the file name: the first 25 characters of the topic, trimmed
    QDateTime finished; // from the head; invalid when it holds none
    std::vector<ProtocolAnswer> answers;
};

// What a register file (*.doc) turned out to be.
struct RegisterReading {
    std::optional<Register> found;
    bool statistics = false; // a statistics file, not a register
    std::vector<Problem> problems;
};

// Reads a register or statistics file. A last line without a line end is being
// appended by a pupil's computer right now: it is left out, as if not yet written.
RegisterReading readRegister(SeqReader& reader, const QString& path);

struct ProtocolReading {
    std::optional<Protocol> found;
    std::vector<Problem> problems;
};

// Reads a pupil's protocol (*.otv). A question line of another shape is listed
// and left out; a head of another shape leaves the whole protocol out.
ProtocolReading readProtocol(SeqReader& reader, const QString& path);

// Every register, statistics file and protocol read below some folders.
struct ResultFiles {
    QStringList folders;
    std::vector<Register> registers;
    std::vector<Protocol> protocols;
    std::vector<Problem> problems;
    int statistics = 0;
    bool cancelled = false;
};

// Every *.doc and *.otv (in any letter case) below the folders, each once, in
// the order of their paths. A folder that does not exist, or is no folder, is
// thrown as RunError.
QStringList findResultFiles(const QStringList& folders);

struct ReadProgress {
    // Called on the calling thread now and then: how many of all files are read.
    std::function<void(int done, int total)> step;
    // Asked between steps; true stops the reading, whose result is then cancelled.
    std::function<bool()> cancelled;
};

// Reads the files, several side by side on the processor's cores; never writes.
ResultFiles readResultFiles(const QStringList& folders, const QStringList& files, const ReadProgress& progress = {});
