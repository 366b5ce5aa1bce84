#pragma once

#include "report/result_reading.h"

#include <array>
#include <optional>
#include <vector>

// A register line in the report, with the pupil's attempt when the pupil finished the quiz more than once.
struct PupilRow {
    RegisterEntry entry;
    QString topic;
    QString variant;
    int attempt = 1;
    int attempts = 1;
};

enum class QuestionFlag { TooHard, TooEasy, PoorlyDiscriminating };

// «слишком трудный», «слишком лёгкий», «плохо различает».
QString questionFlagText(QuestionFlag flag);

// Thresholds of the flags: facility in percent, discrimination as a correlation.
constexpr double kTooHardBelow = 20;
constexpr double kTooEasyAbove = 90;
constexpr double kPoorDiscriminationBelow = 0.2;
// Fewer pupils than this give no discrimination.
constexpr int kFewestForDiscrimination = 5;

// One question of a quiz over the protocols that hold it; questions that share a text are one.
struct QuestionStats {
    QString text;
    int asked = 0;      // protocols that hold the question
    int right = 0;      // protocols where it was answered right
    double facility = 0; // right ÷ asked, in percent
    // The correlation between getting it right and the share of the pupil's other
    // questions answered right; none with fewer than 5 pupils or no spread.
    std::optional<double> discrimination;
    int sameText = 1; // the most lines of this text in one protocol
    std::vector<QuestionFlag> flags;
};

// One class, topic and variant: its register lines, its marks and its questions.
struct ReportNode {
    QString classPart;
    QString topic;
    QString variant;
    std::vector<PupilRow> pupils; // by name, then by the moment of finishing
    MarkCounts marks;             // of every whole register line, as the statistics file counts them
    std::array<int, 10> percentBins{}; // pupils by percentage: 0–9, 10–19, ..., 90–100
    int protocols = 0;
    // Worst first: the lowest discrimination (negative first), those without one at the end.
    std::vector<QuestionStats> questions;
};

struct Report {
    QStringList folders;
    std::vector<ReportNode> nodes; // by class, topic and variant
    std::vector<Problem> problems;
    int registers = 0;
    int protocols = 0;
    int statistics = 0;
};

// Joins each protocol to the register of its class, topic and variant and
// analyses every node. A protocol names only the first 25 characters of the
// topic: it joins the register of its folder, class and variant whose topic
// starts so; where several do, the one that holds the pupil's line, and of
// those the one whose line was written within ten minutes after the protocol's
// finish; where that does not decide, it stays in a node of its own and the
// report says why.
Report makeReport(ResultFiles files);

// The pupils, marks and percentages of several nodes together (no questions):
// what the window shows for a class or a topic.
ReportNode mergedNode(const std::vector<const ReportNode*>& nodes);

// The ordering of classes: the class number first, so that 9А comes before 10А.
bool classBefore(const QString& a, const QString& b);
