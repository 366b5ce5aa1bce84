#pragma once

#include "results/checking.h"

#include "runtime/seqfile.h"
#include "quiz/question_bank.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// A file name part with every character a file system refuses or reads as a
// path (\ / : * ? " < > | and control characters) replaced by "_".
QString safeFileName(const QString& name);

// The class in the protocol: characters 4 to 10 of the 10-character class, blanks kept.
QString protocolClassPart(const PupilRecord& pupil);
// The class in the register: characters 4 to 13 of the class text, trimmed.
QString registerClassPart(const PupilRecord& pupil);
// The variant as a number text with its leading blank: " 1".
QString variantText(const PupilRecord& pupil);

// File names without the folder; temaText is the topic as the form shows it.
QString protocolFileName(const PupilRecord& pupil, const QString& temaText);
QString registerFileName(const PupilRecord& pupil);
QString statisticsFileName(const PupilRecord& pupil);
// The file of that name inside the test's folder.
QString inTestFolder(const PupilRecord& pupil, const QString& fileName);

// The five head lines of the protocol.
QStringList protocolHead(const PupilRecord& pupil, const QString& startTime, const QString& finishTime);
// The protocol line of one checked question.
QString protocolLine(const Verdict& verdict, const QString& questionText);
// The question as its protocol line names it: a tick question by its first 64 characters.
QString protocolQuestionText(bool typed, const QString& questionText);
// The last line of the protocol; askedText is the number of asked questions as the form shows it.
QString protocolSummary(const QString& askedText, const Score& score);

// The pupil's line in the class register.
QString registerLine(const PupilRecord& pupil, const Score& score, const QString& finishTime);

struct MarkCounts {
    std::int64_t count5 = 0;
    std::int64_t count4 = 0;
    std::int64_t count3 = 0;
    std::int64_t count2 = 0;
    std::int64_t total() const { return count5 + count4 + count3 + count2; }
};

// The mark a register line carries: found by the line's structure in a line this
// program wrote, whatever the class length and the points; in columns 40 and 41
// in a line of any other shape; 0 when there is none.
int registerMark(const QString& line);
// Counts the marks of every line of a register.
MarkCounts countMarks(SeqReader& reader);
// The statistics file's lines; none when no line carried a mark.
QStringList statisticsLines(const MarkCounts& counts);
