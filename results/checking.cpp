#include "results/checking.h"

#include "runtime/conversions.h"
#include "runtime/cp1251.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

QString flagText(const Table2<std::int16_t, kMaxOptions, kBankSlots>& flags, int position)
{
    QString text;
    for (int j = 1; j <= kMaxOptions; ++j)
        text += trimBlanks(strInt(flags(j, position)));
    return text;
}

QString normalizedAnswer(const QString& text)
{
    return trimBlanks(upperCase(text));
}

QStringList answerAlternatives(const QString& key)
{
    // Every alternative counts, also after an eighth "$": a teacher's ninth or
    // tenth accepted answer must not turn a right answer wrong.
    QStringList alternatives;
    qsizetype start = 0;
    for (qsizetype i = 1; i < key.size(); ++i) {
        if (key[i] == u'$') {
            alternatives << trimBlanks(key.mid(start, i - start));
            start = i + 1;
        }
    }
    alternatives << trimBlanks(key.mid(start));
    return alternatives;
}

bool typedAnswerMatches(const QString& key, const QString& typed)
{
    return answerAlternatives(key).contains(typed);
}

bool isTypedQuestion(QChar answerForm)
{
    return val(QString(answerForm)) == 2;
}

Verdict checkQuestion(const QuestionBank& bank, Attempt& attempt, int position)
{
    Verdict verdict;
    verdict.typed = isTypedQuestion(bank(position).answerForm);
    if (verdict.typed) {
        attempt.correctTyped(position) = normalizedAnswer(attempt.correctTyped(position));
        attempt.typedAnswers(position) = normalizedAnswer(attempt.typedAnswers(position));
        verdict.typedAnswer = attempt.typedAnswers(position);
        verdict.correct = typedAnswerMatches(attempt.correctTyped(position), verdict.typedAnswer);
    } else {
        verdict.correctFlags = flagText(attempt.correctFlags, position);
        verdict.answerFlags = flagText(attempt.answerFlags, position);
        verdict.correct = verdict.correctFlags == verdict.answerFlags;
    }
    return verdict;
}

Checking checkAll(const QuestionBank& bank, const QuizHeader& header, Attempt& attempt)
{
    const int askCount = std::min<int>(header.askCount, kMaxQuestions);
    std::int32_t pointsInBank = 0;
    for (int i = 1; i <= askCount; ++i)
        pointsInBank += bank(i).points;
    // A test without a points file is legal; dividing by its zero total would lose the result.
    const auto pointsOf = [&](int i) -> std::int32_t {
        return pointsInBank == 0 ? 1 : bank(i).points;
    };

    Checking checking;
    checking.verdicts.reserve(std::size_t(std::max(askCount, 0)));
    Score& score = checking.score;
    for (int i = 1; i <= askCount; ++i)
        score.pointsTotal += pointsOf(i);
    for (int i = 1; i <= askCount; ++i) {
        checking.verdicts.push_back(checkQuestion(bank, attempt, i));
        if (checking.verdicts.back().correct)
            score.pointsScored += pointsOf(i);
    }
    score.percentDone = percentOf(score.pointsScored, score.pointsTotal);
    score.mark = markFor(score.percentDone, header.markThresholds);
    return checking;
}

float percentOf(std::int32_t scored, std::int32_t total)
{
    if (total == 0)
        return 0.0f;
    return float(double(scored) / double(total) * 100.0);
}

int markFor(float percentDone, const Table1<std::int16_t, 3>& markThresholds)
{
    if (percentDone >= float(markThresholds(1)))
        return 5;
    if (percentDone >= float(markThresholds(2)))
        return 4;
    if (percentDone >= float(markThresholds(3)))
        return 3;
    return 2;
}

QString percentText(float percentDone)
{
    const double value = percentDone;
    if (value == 0 || std::fabs(value) >= 1 || !std::isfinite(value))
        return strSingle(percentDone);
    // Seven significant digits as in the usual form, but "0.5" rather than ".5"
    // or "5E-01": a pupil or teacher reads it at a glance.
    const int decimals = 6 - int(std::floor(std::log10(std::fabs(value))));
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    QString text = QString::fromLatin1(buffer);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return value < 0 ? text : QLatin1Char(' ') + text;
}

QString percentLabel(float percentDone)
{
    return QStringLiteral("Выполнено: ") + percentText(percentDone).left(7) + QLatin1Char('%');
}

QString markLabel(int mark)
{
    return QStringLiteral("Ваша оценка: ") + strInt(mark);
}

QString resultTitle(const PupilRecord& pupil)
{
    return QStringLiteral("Школьник: ") + pupil.pupilName.text();
}

QString resultMessage(const QString& askedText, const Score& score, const Table1<std::int16_t, 3>& markThresholds)
{
    const QString start = QStringLiteral("Задано: ") + askedText + QStringLiteral(" заданий. Всего возможных баллов: ")
                          + strInt(score.pointsTotal);
    const QString end = QStringLiteral("Ваша оценка: ") + strInt(score.mark);
    if (score.mark == 2)
        return start + QStringLiteral(". Из них Вы набрали менее: ") + strInt(markThresholds(3)) + QStringLiteral("%. ")
               + end;
    return start + QStringLiteral(". Из них набрано: ") + strInt(score.pointsScored)
           + QStringLiteral(". Правильно выполнено: ") + percentText(score.percentDone).left(6)
           + QStringLiteral("% задания. ") + end;
}
