#include "results/result_files.h"

#include "runtime/conversions.h"

namespace {

const QString kRight = QStringLiteral("Правильно:___");
const QString kWrong = QStringLiteral("Неправильно:_");

QString percentPart(const Score& score)
{
    return percentText(score.percentDone).left(6);
}

} // namespace

QString safeFileName(const QString& name)
{
    static const QString refused = QStringLiteral("\\/:*?\"<>|");
    QString safe = name;
    for (QChar& c : safe) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || refused.contains(c))
            c = QLatin1Char('_');
    }
    return safe;
}

QString protocolClassPart(const PupilRecord& pupil)
{
    return pupil.pupilClass10.text().mid(3, 7);
}

QString registerClassPart(const PupilRecord& pupil)
{
    return trimBlanks(pupil.pupilClass.mid(3, 10));
}

QString variantText(const PupilRecord& pupil)
{
    const QChar v = pupil.variantNo.text().front();
    // A variant that is no digit keeps its place in the line instead of failing the whole result.
    return digitValue(v) >= 0 ? strInt(digitValue(v)) : QLatin1Char(' ') + QString(v);
}

QString protocolFileName(const PupilRecord& pupil, const QString& temaText)
{
    return safeFileName(protocolClassPart(pupil) + QLatin1Char('_') + trimBlanks(temaText.left(25)) + QLatin1Char('_')
                        + trimBlanks(pupil.pupilName.text()) + QLatin1Char('_') + trimBlanks(pupil.variantNo.text())
                        + QStringLiteral(".otv"));
}

QString registerFileName(const PupilRecord& pupil)
{
    return safeFileName(registerClassPart(pupil) + QLatin1Char('_') + trimBlanks(pupil.topic.text()) + QLatin1Char('_')
                        + trimBlanks(pupil.variantNo.text()) + QStringLiteral(".doc"));
}

QString statisticsFileName(const PupilRecord& pupil)
{
    return safeFileName(registerClassPart(pupil) + QStringLiteral("_S_") + trimBlanks(pupil.topic.text())
                        + QLatin1Char('_') + trimBlanks(pupil.variantNo.text()) + QStringLiteral(".doc"));
}

QString inTestFolder(const PupilRecord& pupil, const QString& fileName)
{
    return pupil.testFolder + fileName;
}

QStringList protocolHead(const PupilRecord& pupil, const QString& startTime, const QString& finishTime)
{
    return {
        QStringLiteral("Ф.И.О.: ") + pupil.pupilName.text(),
        QStringLiteral("Номер варианта: ") + variantText(pupil),
        QStringLiteral("Класс: ") + protocolClassPart(pupil),
        QStringLiteral("Начало работы: ") + startTime + QStringLiteral(" Конец работы : ") + finishTime,
        QStringLiteral("*************************"),
    };
}

QString protocolLine(const Verdict& verdict, const QString& questionText)
{
    const QString& word = verdict.correct ? kRight : kWrong;
    if (!verdict.typed)
        return word + verdict.correctFlags + QStringLiteral(" * ") + verdict.answerFlags + QStringLiteral(" * ")
               + questionText.left(64);
    // A pasted answer may hold line breaks; they would split the protocol's one line per question.
    QString answer = verdict.correct ? QString() : verdict.typedAnswer;
    for (const char16_t lineBreak : {u'\r', u'\n', u'\u2028', u'\u2029'})
        answer.replace(lineBreak, u' ');
    return word + answer + QStringLiteral(" * ") + questionText;
}

QString protocolSummary(const QString& askedText, const Score& score)
{
    return QStringLiteral("Задано: ") + askedText + QStringLiteral(" заданий. Всего баллов: ") + strInt(score.pointsTotal)
           + QStringLiteral(" Из них набрано: ") + strInt(score.pointsScored) + QStringLiteral("  Правильно выполнено: ")
           + percentPart(score) + QStringLiteral("% задания. Ваша оценка: ") + strInt(score.mark);
}

QString registerLine(const PupilRecord& pupil, const Score& score, const QString& finishTime)
{
    return pupil.pupilName.text().left(25) + QLatin1Char(' ') + registerClassPart(pupil) + variantText(pupil)
           + QLatin1Char(' ') + strInt(score.pointsScored) + strInt(score.mark) + percentPart(score) + QStringLiteral("% ")
           + finishTime;
}

int registerMark(const QString& line)
{
    const double mark = val(line.mid(39, 2));
    return mark == 5 || mark == 4 || mark == 3 || mark == 2 ? int(mark) : 0;
}

MarkCounts countMarks(SeqReader& reader)
{
    MarkCounts counts;
    while (!reader.atEnd()) {
        switch (registerMark(reader.lineInput())) {
        case 5: ++counts.count5; break;
        case 4: ++counts.count4; break;
        case 3: ++counts.count3; break;
        case 2: ++counts.count2; break;
        default: break;
        }
    }
    return counts;
}

QStringList statisticsLines(const MarkCounts& counts)
{
    const std::int64_t total = counts.total();
    if (total == 0)
        return {};
    const auto line = [&](const char* mark, std::int64_t count) {
        return QLatin1String(mark) + QStringLiteral(": ") + strInt(count) + QStringLiteral("  ")
               + strDouble(100.0 * double(count) / double(total)) + QLatin1Char('%');
    };
    return {
        QStringLiteral("Статистика сдачи теста"),
        line("5", counts.count5),
        line("4", counts.count4),
        line("3", counts.count3),
        line("2", counts.count2),
        QStringLiteral("Всего: ") + strInt(total),
    };
}
