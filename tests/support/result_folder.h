#pragma once

#include <QDateTime>
#include <QString>

#include <vector>

// A question of a quiz as the protocol names it.
struct QuizQuestion {
    QString text;
    bool typed = false;
};

// A pupil's finished quiz.
struct Sitting {
    QString name;
    QString pupilClass = QStringLiteral("05 5А"); // as the class list gives it, with its sorting prefix
    QString topic = QStringLiteral("Дроби");
    QString variant = QStringLiteral("1");
    std::vector<bool> right; // of each question, in the order asked
    QDateTime finished{QDate(2026, 12, 7), QTime(9, 5, 3)};
};

// Writes in the folder what the pupil's program writes at the finish, with its
// own writers: the protocol, the register line and the statistics. One point a
// question; marks from 85, 65 and 45 per cent.
void writeSitting(const QString& folder, const std::vector<QuizQuestion>& questions, const Sitting& sitting);
