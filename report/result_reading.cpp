#include "report/result_reading.h"

#include "runtime/conversions.h"
#include "runtime/run_error.h"
#include "runtime/folder_walk.h"
#include "runtime/seqfile.h"

#include <QFileInfo>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <array>
#include <numeric>

namespace {

const QString kRight = QStringLiteral("Правильно:___");
const QString kWrong = QStringLiteral("Неправильно:_");
const QString kStatisticsHead = QStringLiteral("Статистика сдачи теста");
const QString kSummaryStart = QStringLiteral("Задано: ");
const QString kMomentForm = QStringLiteral("dd.MM.yyyy H:mm:ss");

// A file with hundreds of lines of another shape is no register: the first ones tell enough.
constexpr int kLinesListedPerFile = 10;
// Small enough that progress and a cancel come soon, large enough to keep both cores busy.
constexpr int kChunk = 64;

RegisterLineReading notAnEntry(const QString& reason)
{
    return {std::nullopt, reason};
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The length of the run of digits and minus signs at the start: a tick question's flags.
qsizetype flagsLength(QStringView text)
{
    qsizetype n = 0;
    while (n < text.size() && (isDigit(text[n]) || text[n] == u'-'))
        ++n;
    return n;
}

// This program writes no control characters (they become blanks), and a document
// of a word processor or an archive holds some in its very first bytes.
bool notTextStart(const QString& firstLine)
{
    return std::any_of(firstLine.begin(), firstLine.end(), [](QChar c) { return c.unicode() < 0x20 && c != u'\t'; });
}

QString notText(const QString& path)
{
    return QStringLiteral("не текстовый файл (например, документ Word), а не файл результатов программы: %1")
        .arg(QFileInfo(path).fileName());
}

QString withoutExtension(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    return name.left(name.lastIndexOf(u'.'));
}

} // namespace

RegisterLineReading readRegisterLine(const QString& line)
{
    const qsizetype percent = line.lastIndexOf(u'%');
    const QString finishedText = percent >= 0 ? line.mid(percent + 2) : QString();
    const QDateTime finished = QDateTime::fromString(finishedText, kMomentForm);
    if (percent < 0 || percent + 1 >= line.size() || line[percent + 1] != u' ' || !finished.isValid())
        return notAnEntry(QStringLiteral("в конце нет процента и времени окончания («75% 07.12.2026 9:05:03»)"));
    // The percentage: a blank or minus and at most five characters more, as written.
    qsizetype start = percent - 1;
    while (start >= 0 && start >= percent - 6 && line[start] != u' ' && line[start] != u'-')
        --start;
    bool isNumber = false;
    const double percentValue = start >= 0 ? line.mid(start, percent - start).trimmed().toDouble(&isNumber) : 0;
    if (start < 3 || !isNumber)
        return notAnEntry(QStringLiteral("нет процента выполнения перед знаком %"));
    const int mark = digitValue(line[start - 1]);
    if (line[start - 2] != u' ' || mark < 2 || mark > 5)
        return notAnEntry(QStringLiteral("нет оценки 2, 3, 4 или 5 перед процентом"));
    // The points: " 15" or "-3" after the blank that follows the variant.
    qsizetype p = start - 3;
    while (p >= 0 && isDigit(line[p]))
        --p;
    const qsizetype digitsFrom = p + 1;
    // Before the digits: the minus of a negative number, or the blank of any other.
    if (digitsFrom > start - 3 || p < 1 || (line[p] != u' ' && line[p] != u'-'))
        return notAnEntry(QStringLiteral("нет баллов перед оценкой"));
    const bool negative = line[p] == u'-';
    const qsizetype blank = p - 1; // written after the variant
    if (blank < 28 || line[blank] != u' ' || line[blank - 2] != u' ' || line[25] != u' ')
        return notAnEntry(QStringLiteral("нет имени ученика (25 знаков), класса и варианта перед баллами"));
    if (registerMark(line) != mark)
        return notAnEntry(QStringLiteral("оценку нельзя найти однозначно"));
    RegisterEntry entry;
    entry.pupil = trimBlanks(line.left(25));
    entry.classPart = line.mid(26, blank - 2 - 26);
    entry.variant = trimBlanks(line.mid(blank - 1, 1));
    entry.points = line.mid(digitsFrom, start - 2 - digitsFrom).toInt() * (negative ? -1 : 1);
    entry.mark = mark;
    entry.percentText = line.mid(start, percent - start).trimmed();
    entry.percent = percentValue;
    entry.finished = finished;
    entry.finishedText = finishedText;
    return {std::move(entry), {}};
}

RegisterReading readRegister(SeqReader& reader, const QString& path)
{
    RegisterReading reading;
    Register found;
    found.path = path;
    std::vector<Problem> otherLines;
    int lineNumber = 0;
    while (!reader.atEnd()) {
        const QString line = reader.lineInput();
        ++lineNumber;
        if (!reader.lastLineEnded())
            break;
        if (lineNumber == 1 && notTextStart(line)) {
            reading.problems.push_back({path, 0, notText(path)});
            return reading;
        }
        if (lineNumber == 1 && line == kStatisticsHead) {
            reading.statistics = true;
            return reading;
        }
        if (trimBlanks(line).isEmpty())
            continue;
        switch (registerMark(line)) {
        case 5: ++found.marks.count5; break;
        case 4: ++found.marks.count4; break;
        case 3: ++found.marks.count3; break;
        case 2: ++found.marks.count2; break;
        default: break;
        }
        RegisterLineReading read = readRegisterLine(line);
        if (read.entry) {
            read.entry->line = lineNumber;
            found.entries.push_back(std::move(*read.entry));
            continue;
        }
        QString reason = QStringLiteral("строка другого вида: ") + read.reason;
        if (const int mark = registerMark(line))
            reason += QStringLiteral("; её оценка %1 учтена в распределении оценок, как в файле статистики").arg(mark);
        otherLines.push_back({path, lineNumber, reason});
    }
    if (found.entries.empty()) {
        if (!otherLines.empty())
            reading.problems.push_back(
                {path, 0,
                 QStringLiteral("не журнал класса: ни одна из его строк (%1) не похожа на строку журнала; первая: %2")
                     .arg(QString::number(otherLines.size()), otherLines.front().reason)});
        return reading;
    }
    if (otherLines.size() > std::size_t(kLinesListedPerFile)) {
        const auto more = otherLines.size() - kLinesListedPerFile;
        otherLines.resize(kLinesListedPerFile);
        otherLines.push_back({path, 0, QStringLiteral("и ещё строк другого вида: %1").arg(more)});
    }
    reading.problems = std::move(otherLines);

    // <class>_<topic>_<variant>.doc; the class as the lines hold it tells where the topic starts.
    const QString name = withoutExtension(path);
    const qsizetype lastBreak = name.lastIndexOf(u'_');
    const QString classPrefix = safeFileName(found.entries.front().classPart) + u'_';
    found.classPart = found.entries.front().classPart;
    if (name.startsWith(classPrefix) && lastBreak >= classPrefix.size()) {
        found.topic = name.mid(classPrefix.size(), lastBreak - classPrefix.size());
        found.variant = name.mid(lastBreak + 1);
    } else {
        found.topic = name;
        found.variant = found.entries.front().variant;
    }
    reading.found = std::move(found);
    return reading;
}

ProtocolReading readProtocol(SeqReader& reader, const QString& path)
{
    ProtocolReading reading;
    const auto problem = [&](int line, const QString& reason) { reading.problems.push_back({path, line, reason}); };
    static const std::array<QString, 5> headStarts = {
        QStringLiteral("Ф.И.О.: "), QStringLiteral("Номер варианта: "), QStringLiteral("Класс: "),
        QStringLiteral("Начало работы: "), QStringLiteral("*************************")};
    std::array<QString, 5> head;
    if (reader.atEnd()) {
        problem(0, QStringLiteral("пустой файл: протокол не дописан или стёрт"));
        return reading;
    }
    for (int k = 0; k < 5; ++k) {
        head[std::size_t(k)] = reader.atEnd() ? QString() : reader.lineInput();
        if (k == 0 && notTextStart(head[0])) {
            problem(0, notText(path));
            return reading;
        }
        if (!head[std::size_t(k)].startsWith(headStarts[std::size_t(k)])) {
            problem(k + 1, QStringLiteral("заголовок протокола другого вида: ожидается строка «%1…»; протокол не учтён")
                               .arg(trimBlanks(headStarts[std::size_t(k)])));
            return reading;
        }
    }
    Protocol found;
    found.path = path;
    const QString name = head[0].mid(headStarts[0].size());
    found.pupil = trimBlanks(name);
    found.variant = trimBlanks(head[1].mid(headStarts[1].size()));
    found.classPart = head[2].mid(headStarts[2].size());
    const qsizetype end = head[3].indexOf(QStringLiteral("Конец работы : "));
    if (end > 0)
        found.finished = QDateTime::fromString(head[3].mid(end + 15), kMomentForm);

    // <class part>_<topic>_<pupil>_<variant>.otv: the head tells both ends, the topic lies between.
    const QString fileName = withoutExtension(path);
    const QString prefix = safeFileName(found.classPart) + u'_';
    const QString suffix = u'_' + safeFileName(found.pupil) + u'_' + safeFileName(found.variant);
    if (!fileName.startsWith(prefix) || !fileName.endsWith(suffix) || fileName.size() < prefix.size() + suffix.size()) {
        problem(0, QStringLiteral("имя файла не сходится с заголовком протокола (ожидается «%1<тема>%2.otv»): "
                                  "файл переименован; протокол не учтён")
                       .arg(prefix, suffix));
        return reading;
    }
    found.topic = fileName.mid(prefix.size(), fileName.size() - prefix.size() - suffix.size());

    bool summary = false;
    int lineNumber = 5;
    while (!reader.atEnd()) {
        const QString line = reader.lineInput();
        ++lineNumber;
        if (summary) {
            problem(lineNumber, QStringLiteral("строка после итоговой строки; не учтена"));
            continue;
        }
        if (line.startsWith(kSummaryStart)) {
            summary = true;
            continue;
        }
        const bool right = line.startsWith(kRight);
        if (!right && !line.startsWith(kWrong)) {
            problem(lineNumber, QStringLiteral("строка вопроса другого вида: в начале нет «%1» или «%2»; не учтена")
                                    .arg(kRight, kWrong));
            continue;
        }
        const QStringView rest = QStringView(line).mid(kRight.size());
        // A tick question: the key's flags and the pupil's, then its text.
        const qsizetype keyFlags = flagsLength(rest);
        if (keyFlags >= 6 && rest.mid(keyFlags).startsWith(u" * ")) {
            const QStringView afterKey = rest.mid(keyFlags + 3);
            const qsizetype answerFlags = flagsLength(afterKey);
            if (answerFlags >= 6 && afterKey.mid(answerFlags).startsWith(u" * ")) {
                found.answers.push_back({afterKey.mid(answerFlags + 3).toString(), right});
                continue;
            }
        }
        // A typed question: the answer, then the whole text. A text holds " * " (as in
        // «2 * 3») far more often than a pupil's answer, so the first one ends the answer.
        const qsizetype split = rest.indexOf(u" * ");
        if (split < 0) {
            problem(lineNumber, QStringLiteral("строка вопроса другого вида: нет « * » между ответом и вопросом; не учтена"));
            continue;
        }
        found.answers.push_back({rest.mid(split + 3).toString(), right});
    }
    if (!summary)
        problem(0, QStringLiteral("нет итоговой строки «Задано: …»; вопросы, что в нём есть, учтены"));
    reading.found = std::move(found);
    return reading;
}

QStringList findResultFiles(const QStringList& folders)
{
    return filesUnder(folders, {QStringLiteral("*.doc"), QStringLiteral("*.otv")});
}

namespace {

struct FileReading {
    std::optional<Register> reg;
    std::optional<Protocol> protocol;
    std::vector<Problem> problems;
    bool statistics = false;
};

FileReading readResultFile(const QString& path)
{
    FileReading result;
    try {
        InputFile file(path, TextSource::Ours);
        if (path.endsWith(QStringLiteral(".otv"), Qt::CaseInsensitive)) {
            ProtocolReading reading = readProtocol(file.reader(), path);
            result.protocol = std::move(reading.found);
            result.problems = std::move(reading.problems);
        } else {
            RegisterReading reading = readRegister(file.reader(), path);
            result.reg = std::move(reading.found);
            result.problems = std::move(reading.problems);
            result.statistics = reading.statistics;
        }
    } catch (const RunError& error) {
        result.problems.push_back({path, error.line(), error.description()});
    }
    return result;
}

} // namespace

ResultFiles readResultFiles(const QStringList& folders, const QStringList& files, const ReadProgress& progress)
{
    ResultFiles results;
    results.folders = folders;
    const int total = int(files.size());
    std::vector<FileReading> read(static_cast<std::size_t>(total));
    std::vector<int> chunk;
    for (int start = 0; start < total; start += kChunk) {
        if (progress.cancelled && progress.cancelled()) {
            results.cancelled = true;
            return results;
        }
        chunk.resize(std::size_t(std::min(kChunk, total - start)));
        std::iota(chunk.begin(), chunk.end(), start);
        QtConcurrent::blockingMap(chunk, [&](int i) { read[std::size_t(i)] = readResultFile(files[i]); });
        if (progress.step)
            progress.step(start + int(chunk.size()), total);
    }
    for (FileReading& file : read) {
        if (file.reg)
            results.registers.push_back(std::move(*file.reg));
        if (file.protocol)
            results.protocols.push_back(std::move(*file.protocol));
        if (file.statistics)
            ++results.statistics;
        std::move(file.problems.begin(), file.problems.end(), std::back_inserter(results.problems));
    }
    return results;
}
