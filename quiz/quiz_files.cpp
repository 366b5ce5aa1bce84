#include "quiz/quiz_files.h"

#include "runtime/conversions.h"
#include "runtime/cp1251.h"
#include "runtime/run_error.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// Like SeqReader::fail, but for a line already read past.
[[noreturn]] void failAt(const SeqReader& reader, int line, int number, const QString& what)
{
    throw reader.failureAt(line, number, what);
}

// A line the file must hold. What is missing is put into words only when it is:
// a quiz is read line by line at every start and at every check.
template <typename Describe>
QString requiredLine(SeqReader& reader, const Describe& what)
{
    if (reader.atEnd())
        reader.fail(ErrorNumber::PastEndOfFile, what());
    return reader.lineInput();
}

struct HeaderNumber {
    std::int16_t value;
    int line;
};

HeaderNumber headerNumber(SeqReader& reader, const QString& name)
{
    const int line = reader.lineNumber();
    const Int16Field field = reader.int16Field();
    switch (field.status) {
    case Int16Field::Status::Ok:
        break;
    case Int16Field::Status::Missing:
        failAt(reader, line, ErrorNumber::PastEndOfFile, QStringLiteral("нет числа: %1").arg(name));
    case Int16Field::Status::NotNumber:
        failAt(reader, line, ErrorNumber::TypeMismatch,
               QStringLiteral("%1: «%2» — не число").arg(name, field.text));
    case Int16Field::Status::Overflow:
        failAt(reader, line, ErrorNumber::Overflow,
               QStringLiteral("%1: %2 выходит за пределы от -32768 до 32767").arg(name, field.text));
    }
    return {field.value, line};
}

template <typename Describe>
QString bodyLine(SeqReader& reader, int question, const Describe& what)
{
    return requiredLine(reader, [&] {
        return QStringLiteral("файл кончается внутри вопроса %1: нет строки %2").arg(QString::number(question), what());
    });
}

} // namespace

QString siblingFileName(const QString& testPath, QStringView extension)
{
    const qsizetype stem = trimBlanks(testPath).size() - 4;
    if (stem < 0)
        throw runError(ErrorNumber::InvalidCall,
                       QStringLiteral("имя файла теста «%1» слишком короткое, в нём нет расширения").arg(testPath));
    return testPath.left(stem).append(extension);
}

QString existingFileIgnoringCase(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists())
        return path;
    const QString wanted = info.fileName();
    const QStringList names = info.absoluteDir().entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return path.chopped(wanted.size()) + name;
    }
    return path;
}

void readQuizHeader(SeqReader& reader, PupilRecord& pupil, QuizHeader& header, HeaderAsWritten* written)
{
    HeaderAsWritten read;
    read.subject = requiredLine(reader, [] { return QStringLiteral("нет строки с названием предмета"); });
    pupil.subject = read.subject;
    read.topic = requiredLine(reader, [] { return QStringLiteral("нет строки с темой теста"); });
    pupil.topic = read.topic;
    read.variant = requiredLine(reader, [] { return QStringLiteral("нет строки с номером варианта"); });
    pupil.variantNo = read.variant;
    const HeaderNumber time = headerNumber(reader, QStringLiteral("время на вопрос в секундах"));
    header.timePerQuestion = time.value;
    read.timeLine = time.line;
    const HeaderNumber questions = headerNumber(reader, QStringLiteral("число вопросов в файле"));
    const HeaderNumber toAsk = headerNumber(reader, QStringLiteral("число задаваемых вопросов"));
    for (int i = 1; i <= 3; ++i) {
        const HeaderNumber threshold = headerNumber(reader, QStringLiteral("процент для оценки %1").arg(6 - i));
        header.markThresholds(i) = threshold.value;
        read.thresholdLines[std::size_t(i - 1)] = threshold.line;
    }
    read.questionCount = questions.value;
    read.questionCountLine = questions.line;
    read.askCount = toAsk.value;
    read.askCountLine = toAsk.line;
    if (written)
        *written = read;
    // The first question starts on the next line: whatever more stands on this one
    // would be read as its answer form and shift every line after it.
    if (!reader.atLineStart()) {
        const int line = reader.lineNumber();
        const QString rest = reader.lineInput();
        if (!QString(rest).remove(u',').trimmed().isEmpty())
            failAt(reader, line, ErrorNumber::TypeMismatch,
                   QStringLiteral("после процента для оценки 3 в строке лишнее: «%1»").arg(rest));
    }

    header.questionCount = std::min<std::int16_t>(questions.value, kMaxQuestions);
    header.askCount = std::min(toAsk.value, header.questionCount);
    // Nothing to ask would leave the pupil a test without a question on screen.
    if (header.questionCount <= 0)
        failAt(reader, questions.line, ErrorNumber::InvalidCall,
               QStringLiteral("число вопросов в файле %1, в тесте нечего задавать")
                   .arg(header.questionCount));
    if (header.askCount <= 0)
        failAt(reader, toAsk.line, ErrorNumber::InvalidCall,
               QStringLiteral("число задаваемых вопросов %1, в тесте нечего задавать").arg(header.askCount));
}

void readPoints(SeqReader& reader, int questionCount, QuestionBank& bank, std::vector<Int16Field>* fields)
{
    const int count = std::clamp(questionCount, 0, kMaxQuestions);
    for (int k = 1; k <= count; ++k)
        bank(k).points = 0;
    try {
        for (int k = 1; k <= count; ++k) {
            const Int16Field field = reader.int16Field();
            if (fields)
                fields->push_back(field);
            if (field.status == Int16Field::Status::Missing || field.status == Int16Field::Status::Overflow)
                return;
            bank(k).points = field.value; // a field that is no number is worth 0, and reading goes on
        }
    } catch (const RunError&) {
        // An unreadable points file only costs the points not yet read.
    }
}

void readQuestionBodies(SeqReader& reader, int questionCount, QuestionBank& bank, std::vector<BodyLines>* lines)
{
    const int count = std::min(questionCount, kMaxQuestions);
    for (int k = 1; k <= count; ++k) {
        QuestionRecord& question = bank(k);
        BodyLines at;
        const int formLine = reader.lineNumber();
        at.form = formLine;
        question.answerForm = firstChar(bodyLine(reader, k, [] { return QStringLiteral("с формой ответа"); }));
        if (digitValue(question.answerForm) < 0)
            failAt(reader, formLine, ErrorNumber::TypeMismatch,
                   QStringLiteral("у вопроса %1 форма ответа «%2», а должна быть цифра "
                                  "(1 — отметить варианты, 2 — набрать ответ)")
                       .arg(QString::number(k), QString(question.answerForm)));

        const int countLine = reader.lineNumber();
        at.optionCount = countLine;
        const QString countRaw = bodyLine(reader, k, [] { return QStringLiteral("с числом вариантов ответа"); });
        question.optionCount = firstChar(countRaw);
        const QString countText = trimBlanks(countRaw);
        int n = digitValue(question.optionCount);
        // "10" would otherwise read as one option and shift every line after it.
        const bool wholeNumber = !countText.isEmpty() && std::all_of(countText.begin(), countText.end(), [](QChar c) {
            return digitValue(c) >= 0;
        });
        bool fits = false;
        const bool manyDigits = wholeNumber && countText.size() > 1 && !(countText.toInt(&fits) <= kMaxOptions && fits);
        if (n > kMaxOptions || manyDigits)
            failAt(reader, countLine, ErrorNumber::InvalidCall,
                   QStringLiteral("у вопроса %1 вариантов ответа %2, а их может быть не больше шести")
                       .arg(QString::number(k), wholeNumber ? countText : QString::number(n)));
        if (n < 0) {
            // A tick question's options are shuffled by their count, which must be known.
            if (question.answerForm == u'1')
                failAt(reader, countLine, ErrorNumber::TypeMismatch,
                       QStringLiteral("у вопроса %1 число вариантов ответа «%2», а должна быть цифра от 0 до 6")
                           .arg(QString::number(k), QString(question.optionCount)));
            n = 0;
        }

        at.text = reader.lineNumber();
        question.questionText = bodyLine(reader, k, [] { return QStringLiteral("с текстом вопроса"); });
        for (int j = 1; j <= kMaxOptions; ++j) {
            if (j <= n)
                at.options[std::size_t(j - 1)] = reader.lineNumber();
            question.optionText(j) =
                j <= n ? bodyLine(reader, k, [j] { return QStringLiteral("с вариантом ответа %1").arg(j); }) : QString();
        }
        if (lines)
            lines->push_back(at);
    }
}

void readAnswerKey(SeqReader& reader, int questionCount, const QuestionBank& bank, Attempt& state,
                   std::vector<int>* lines)
{
    const int count = std::min(questionCount, kMaxQuestions);
    for (int k = 1; k <= count; ++k) {
        const int line = reader.lineNumber();
        const QString key = requiredLine(
            reader, [k] { return QStringLiteral("файл ключа кончается раньше: нет строки для вопроса %1").arg(k); });
        const QChar form = bank(k).answerForm;
        const int formValue = digitValue(form);
        if (formValue < 0)
            failAt(reader, line, ErrorNumber::TypeMismatch,
                   QStringLiteral("у вопроса %1 в файле теста форма ответа «%2», а должна быть цифра")
                       .arg(QString::number(k), QString(form)));
        if (formValue == 2) {
            state.correctTyped(k) = upperCase(key);
            for (int j = 1; j <= kMaxOptions; ++j)
                state.correctFlags(j, k) = 0;
            if (lines)
                lines->push_back(line);
            continue;
        }
        if (key.size() < kMaxOptions)
            failAt(reader, line, ErrorNumber::TypeMismatch,
                   QStringLiteral("в строке ключа меньше шести символов (вопрос %1)").arg(k));
        for (int j = 1; j <= kMaxOptions; ++j) {
            const int digit = digitValue(key[j - 1]);
            if (digit < 0)
                failAt(reader, line, ErrorNumber::TypeMismatch,
                       QStringLiteral("в строке ключа на месте %1 стоит «%2», а должна быть цифра (вопрос %3)")
                           .arg(QString::number(j), QString(key[j - 1]), QString::number(k)));
            state.correctFlags(j, k) = std::int16_t(digit - j);
        }
        state.correctTyped(k).clear();
        if (lines)
            lines->push_back(line);
    }
}
