#pragma once

#include "quiz/tables.h"

#include "runtime/conversions.h"

#include <QChar>
#include <QString>

#include <cstdint>

constexpr int kMaxQuestions = 350;
// One slot more than questions: the scratch place of an exchange.
constexpr int kBankSlots = 351;
constexpr int kMaxOptions = 6;

// The pupil and the chosen quiz, alive for the whole run.
struct PupilRecord {
    QString pupilClass;   // as it stood in the class box at OK
    QString testPath;     // the quiz file; after the start the answer-key file
    QString testFolder;   // ends in exactly one separator once set
    FixedText<30> pupilName;
    FixedText<75> subject;
    FixedText<75> topic;
    FixedText<10> pupilClass10;
    FixedText<1> variantNo;
};

// A one-character field keeps the first character of what is assigned, or a blank.
inline QChar firstChar(const QString& text)
{
    return text.isEmpty() ? QChar(u' ') : text.front();
}

// The numeric value of a one-character field: its digit, or -1 when it is no digit.
inline int digitValue(QChar c)
{
    return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : -1;
}

struct QuestionRecord {
    QChar answerForm = u' ';   // "1" tick options, "2" type the answer
    QChar optionCount = u' ';  // "0" to "6"
    QString questionText;
    Table1<QString, kMaxOptions> optionText;
    std::int16_t points = 0;
};

using QuestionBank = Table1<QuestionRecord, kBankSlots>;

// Read from the quiz file's header.
struct QuizHeader {
    std::int16_t timePerQuestion = 0;
    std::int16_t questionCount = 0;
    std::int16_t askCount = 0;
    Table1<std::int16_t, 3> markThresholds; // lowest percentages for marks 5, 4, 3
};
