#pragma once

#include "quiz/question_bank.h"
#include "quiz/attempt.h"

#include "runtime/seqfile.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <vector>

// The three files of a test: the test file (header and question bodies), the
// points file and the answer-key file. Every failure is a RunError whose
// description names the file and the line and says in Russian what is wrong.

// The file beside the test file with the given extension (".tsb", ".ts1"): the
// test path without its last four characters (counted on the path trimmed of
// blanks) and the extension. 5 when the path is too short to have an extension.
QString siblingFileName(const QString& testPath, QStringView extension);

// The path itself when it exists; otherwise a file in the same folder whose name
// differs only in letter case, as tests copied from Windows arrive; otherwise the path.
QString existingFileIgnoringCase(const QString& path);

// What the readers met on the way, for the teacher's checker: the header as written
// before its limits, and the line where each part stood. The pupil's program asks
// for none of it.
struct HeaderAsWritten {
    QString subject, topic, variant; // lines 1 to 3 whole, before their fields cut them
    std::int16_t questionCount = 0;  // before the limit of 350
    std::int16_t askCount = 0;       // before the limit of the questions in the file
    int timeLine = 0;
    int questionCountLine = 0;
    int askCountLine = 0;
    std::array<int, 3> thresholdLines{}; // the marks 5, 4, 3
};
struct BodyLines {
    int form = 0;
    int optionCount = 0;
    int text = 0;
    std::array<int, kMaxOptions> options{}; // 0 past the option count
};

// The header: subject, topic, variant and the six numbers, then the limits (at most
// 350 questions, at most as many to ask as there are). A missing line or number is
// 62, a field that is no number 13, a number beyond 16 bits 6, and a header that
// leaves nothing to ask 5. The reader is left at the first line of the first body.
void readQuizHeader(SeqReader& reader, PupilRecord& pupil, QuizHeader& header, HeaderAsWritten* written = nullptr);

// The points of questions 1..questionCount; those not read are 0. Never fails:
// the points file is optional, so reading stops silently at its first problem.
// fields receives every field read, in order.
void readPoints(SeqReader& reader, int questionCount, QuestionBank& bank, std::vector<Int16Field>* fields = nullptr);

// Exactly questionCount question bodies into positions 1..questionCount; points
// are kept. A file ending inside them is 62, an option count of 7 to 9 is 5, and
// an answer form or a tick question's option count that is no digit is 13.
// lines receives the lines of each body read whole.
void readQuestionBodies(SeqReader& reader, int questionCount, QuestionBank& bank,
                        std::vector<BodyLines>* lines = nullptr);

// Line k of the key for question k = 1..questionCount: an upper-cased answer for a
// typed question, six option flags (digit - place) for any other. A key that ends
// early is 62; a short line, a non-digit flag or answer form is 13. lines receives
// the line of each question's key read whole.
void readAnswerKey(SeqReader& reader, int questionCount, const QuestionBank& bank, Attempt& state,
                   std::vector<int>* lines = nullptr);
