#include "check/class_list_check.h"

#include "quiz/question_bank.h"
#include "results/class_list.h"
#include "results/result_files.h"
#include "runtime/conversions.h"
#include "runtime/seqfile.h"

#include <QFileInfo>
#include <QHash>

namespace {

// The class as a teacher tells classes apart: letter case and blanks do not count.
QString classIdentity(const QString& classPart)
{
    QString identity = classPart.toCaseFolded();
    identity.removeIf([](QChar c) { return c.isSpace(); });
    return identity;
}

} // namespace

std::vector<Finding> checkClassList(const QString& path)
{
    std::vector<Finding> found;
    const auto add = [&](int line, Severity severity, const QString& code, const QString& message) {
        found.push_back({path, line, severity, code, message});
    };
    if (const QString name = QFileInfo(path).fileName(); name != kClassListName)
        if (name.compare(kClassListName, Qt::CaseInsensitive) == 0)
            add(0, Severity::Error, QStringLiteral("class-list.letter-case"),
                QStringLiteral("список классов назван «%1», а программа ученика ищет «%2»: на Linux она его не найдёт")
                    .arg(name, kClassListName));

    std::vector<ClassEntry> entries;
    try {
        InputFile file(path, TextSource::Authored);
        if (file.encoding() == TextEncoding::Utf8)
            add(0, Severity::Note, QStringLiteral("encoding.utf8"),
                QStringLiteral("файл сохранён в кодировке UTF-8, а не Windows-1251; он прочитан как UTF-8"));
        entries = readClassList(file.reader());
    } catch (const RunError& error) {
        add(error.line(), Severity::Error, QStringLiteral("class-list.refused"), error.description());
        return found;
    }
    if (entries.empty())
        add(0, Severity::Warning, QStringLiteral("class-list.empty"),
            QStringLiteral("список классов пуст: ученику придётся набирать класс самому"));

    QHash<QString, ClassEntry> seen; // a class and where it first stood
    for (const ClassEntry& entry : entries) {
        PupilRecord pupil;
        pupil.pupilClass = entry.text;
        const QString classPart = trimBlanks(entry.text.mid(3));
        const QString inFileNames = registerClassPart(pupil);
        if (classPart.isEmpty()) {
            add(entry.line, Severity::Warning, QStringLiteral("class-list.short-entry"),
                QStringLiteral("запись «%1» не длиннее трёх символов, а первые три — порядковый номер: класса в ней "
                               "нет, и имена файлов результатов начинаются с «_»")
                    .arg(entry.text));
            continue;
        }
        if (inFileNames != classPart)
            add(entry.line, Severity::Warning, QStringLiteral("class-list.long-class"),
                QStringLiteral("класс «%1» длиннее десяти символов: в именах файлов результатов он обрезан до «%2»")
                    .arg(classPart, inFileNames));
        const QString identity = classIdentity(classPart);
        if (const auto earlier = seen.constFind(identity); earlier != seen.cend())
            add(entry.line, Severity::Warning, QStringLiteral("class-list.duplicate"),
                QStringLiteral("класс «%1» уже есть в строке %2 («%3»)")
                    .arg(classPart, QString::number(earlier->line), earlier->text));
        else
            seen.insert(identity, {classPart, entry.line});
    }
    return found;
}
