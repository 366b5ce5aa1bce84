#pragma once

#include "quiz/attempt.h"
#include "quiz/question_bank.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// The six flags of a question joined in option order: "010100".
QString flagText(const Table2<std::int16_t, kMaxOptions, kBankSlots>& flags, int position);

// An answer as it is compared: upper case, blanks trimmed at both ends.
QString normalizedAnswer(const QString& text);

// The accepted answers of a normalized key. A "$" separates them, except in the
// first position, where it belongs to the first answer; each answer is trimmed.
QStringList answerAlternatives(const QString& key);

// True when the normalized typed answer equals one of the key's alternatives.
bool typedAnswerMatches(const QString& key, const QString& typed);

// True when the answer form reads as 2: the pupil types the answer.
bool isTypedQuestion(QChar answerForm);

struct Verdict {
    bool typed = false;
    bool correct = false;
    QString correctFlags; // C, tick questions
    QString answerFlags;  // A, tick questions
    QString typedAnswer;  // T, typed questions: upper case, trimmed
};

// Checks the question at a position. A typed question's key and answer are
// stored back normalized, so the protocol shows what was compared.
Verdict checkQuestion(const QuestionBank& bank, Attempt& attempt, int position);

struct Score {
    // 32 bits: 350 questions of up to 32767 points each do not fit in 16.
    std::int32_t pointsTotal = 0;
    std::int32_t pointsScored = 0;
    float percentDone = 0;
    int mark = 2;
};

// What the checking of all asked questions gives.
struct Checking {
    std::vector<Verdict> verdicts; // position i at index i - 1
    Score score;
};

// Checks positions 1..askCount and scores them. When the asked questions carry no
// points at all, each counts as one point, so the pupil still gets a result.
Checking checkAll(const QuestionBank& bank, const QuizHeader& header, Attempt& attempt);

// Scored over total in double precision, kept in single; 0 when nothing was asked.
float percentOf(std::int32_t scored, std::int32_t total);

// The first threshold reached in the order 5, 4, 3 decides; none reached gives 2.
int markFor(float percentDone, const Table1<std::int16_t, 3>& markThresholds);

// The percentage as a number text with a leading blank. Below 1 it keeps a zero
// before the point and never uses an exponent: " 0.5", " 0.0012".
QString percentText(float percentDone);

QString percentLabel(float percentDone); // "Выполнено:  75%"
QString markLabel(int mark);             // "Ваша оценка:  4"

// The result box: its title and the text for the mark.
QString resultTitle(const PupilRecord& pupil);
QString resultMessage(const QString& askedText, const Score& score, const Table1<std::int16_t, 3>& markThresholds);
