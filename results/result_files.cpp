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
               + protocolQuestionText(false, questionText);
    // A pasted answer may hold line breaks; they would split the protocol's one line per question.
    QString answer = verdict.correct ? QString() : verdict.typedAnswer;
    for (const char16_t lineBreak : {u'\r', u'\n', u'\u2028', u'\u2029'})
        answer.replace(lineBreak, u' ');
    return word + answer + QStringLiteral(" * ") + protocolQuestionText(true, questionText);
}

QString protocolQuestionText(bool typed, const QString& questionText)
{
    return typed ? questionText : questionText.left(64);
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

namespace {

bool digitsAt(QStringView text, std::initializer_list<qsizetype> positions)
{
    for (const qsizetype i : positions)
        if (!text[i].isDigit())
            return false;
    return true;
}

// The finishing moment as this program writes it: "07.12.2026 9:05:03", the hour with one or two digits.
bool isMomentText(QStringView text)
{
    if (text.size() != 18 && text.size() != 19)
        return false;
    const qsizetype h = text.size() - 18; // 1 when the hour has two digits
    return digitsAt(text, {0, 1, 3, 4, 6, 7, 8, 9, 11 + h, 13 + h, 14 + h, 16 + h, 17 + h}) && text[2] == u'.'
           && text[5] == u'.' && text[10] == u' ' && text[12 + h] == u':' && text[15 + h] == u':'
           && (h == 0 || text[11].isDigit());
}

// The mark of a line this program wrote, found from its end: the moment, "% ",
// the percentage (a blank or minus and at most five more characters) and the
// mark before it; 0 for a line of any other shape.
int writtenMark(QStringView line)
{
    const qsizetype percent = line.lastIndexOf(u'%');
    if (percent < 0 || percent + 1 >= line.size() || line[percent + 1] != u' '
        || !isMomentText(line.mid(percent + 2)))
        return 0;
    qsizetype start = percent - 1;
    while (start >= 0 && start >= percent - 6 && line[start] != u' ' && line[start] != u'-')
        --start;
    if (start < 28 || start < percent - 6 || line[start - 2] != u' ' || line[25] != u' ')
        return 0;
    const int mark = digitValue(line[start - 1]);
    return mark >= 2 && mark <= 5 ? mark : 0;
}

} // namespace

int registerMark(const QString& line)
{
    if (const int mark = writtenMark(line))
        return mark;
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
