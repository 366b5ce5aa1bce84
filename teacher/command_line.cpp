#include "teacher/command_line.h"

#include "check/folder_check.h"
#include "runtime/run_error.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

namespace {

const QString kHelp = QStringLiteral(
    "Использование: %1 check ПАПКА... [--format text|json] [--class-list ФАЙЛ]\n"
    "       %1            (без аргументов: окно «Школьник: учитель»)\n"
    "\n"
    "Проверяет тесты (*.tst с файлами баллов, ключами и рисунками) и списки классов\n"
    "Klass.txt в папках и их подпапках так, как их прочтёт программа ученика.\n"
    "\n"
    "  --format text|json   вид вывода: строки «файл:строка: ошибка: ...» (text,\n"
    "                       по умолчанию) или массив JSON {file, line, severity,\n"
    "                       code, message}\n"
    "  --class-list ФАЙЛ    проверить и этот список классов\n"
    "  -h, --help           показать эту справку\n"
    "  -v, --version        показать версию\n"
    "\n"
    "Код выхода: 0 — ошибок нет, 1 — найдена хотя бы одна ошибка, 2 — проверить\n"
    "не удалось (нет папки, неверный ключ).\n");

// Shown once a check has run this long, and renewed no more often than this.
constexpr qint64 kProgressAfterMs = 500;
constexpr qint64 kProgressEveryMs = 100;

int cannotCheck(Console& console, const QString& message)
{
    console.err << QCoreApplication::applicationName() << QStringLiteral(": ") << message << Qt::endl;
    return kCannotCheck;
}

// The progress line on a terminal, written over itself and wiped at the end.
class ProgressLine {
public:
    explicit ProgressLine(Console& console) : console_(console) { clock_.start(); }
    ~ProgressLine()
    {
        if (width_ > 0)
            console_.err << u'\r' << QString(width_, u' ') << u'\r' << Qt::flush;
    }

    void show(int done, int total)
    {
        if (!console_.errIsTerminal || clock_.elapsed() < kProgressAfterMs
            || clock_.elapsed() - shownAt_ < kProgressEveryMs)
            return;
        shownAt_ = clock_.elapsed();
        const QString line = QStringLiteral("Проверено %1 из %2").arg(done).arg(total);
        width_ = std::max(width_, int(line.size()));
        console_.err << u'\r' << line.leftJustified(width_) << Qt::flush;
    }

private:
    Console& console_;
    QElapsedTimer clock_;
    qint64 shownAt_ = 0;
    int width_ = 0;
};

} // namespace

void nameTheProgram()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Shkolnik"));
    QCoreApplication::setApplicationName(QStringLiteral("shkolnik-teacher"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SHKOLNIK_VERSION));
}

int runCommandLine(const QStringList& arguments, Console& console)
{
    QCommandLineParser parser;
    const QCommandLineOption format(QStringLiteral("format"), {}, QStringLiteral("text|json"), QStringLiteral("text"));
    const QCommandLineOption classList(QStringLiteral("class-list"), {}, QStringLiteral("file"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, {});
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, {});
    parser.addOptions({format, classList, help, version});
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        return cannotCheck(console, unknown.isEmpty()
                                        ? QStringLiteral("у ключа нет значения или есть лишнее; справка: --help")
                                        : QStringLiteral("неизвестный ключ «%1%2»; справка: --help")
                                              .arg(unknown.first().size() > 1 ? QStringLiteral("--") : QStringLiteral("-"),
                                                   unknown.first()));
    }
    if (parser.isSet(help)) {
        console.out << kHelp.arg(QCoreApplication::applicationName()) << Qt::flush;
        return kNoError;
    }
    if (parser.isSet(version)) {
        console.out << QCoreApplication::applicationName() << u' ' << QCoreApplication::applicationVersion()
                    << Qt::endl;
        return kNoError;
    }

    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty() || positional.first() != QStringLiteral("check"))
        return cannotCheck(console, positional.isEmpty()
                                        ? QStringLiteral("не названа команда; справка: --help")
                                        : QStringLiteral("неизвестная команда «%1»; справка: --help").arg(positional.first()));
    const QStringList folders = positional.mid(1);
    if (folders.isEmpty())
        return cannotCheck(console, QStringLiteral("не названа ни одна папка; справка: --help"));
    const QString shape = parser.value(format);
    if (shape != QStringLiteral("text") && shape != QStringLiteral("json"))
        return cannotCheck(console, QStringLiteral("вид вывода «%1» неизвестен: бывает text или json").arg(shape));

    CheckTargets targets;
    try {
        targets = findTargets(folders);
    } catch (const RunError& error) {
        return cannotCheck(console, error.description());
    }
    for (const QString& list : parser.values(classList)) {
        if (!QFileInfo::exists(list))
            return cannotCheck(console, QStringLiteral("нет списка классов %1").arg(list));
        targets.classLists << list;
    }

    CheckReport report;
    {
        ProgressLine progress(console);
        report = checkTargets(targets, {[&](int done, int total) { progress.show(done, total); }, {}});
    }
    if (shape == QStringLiteral("json")) {
        console.out << QString::fromUtf8(findingsJson(report.findings)) << Qt::flush;
    } else {
        for (const Finding& finding : report.findings)
            console.out << findingText(finding) << u'\n';
        console.out << summaryText(report) << Qt::endl;
    }
    return report.withErrors > 0 ? kErrorsFound : kNoError;
}
