#include "teacher/command_line.h"

#include "teacher/report_html.h"

#include "check/folder_check.h"
#include "report/analysis.h"
#include "report/report_csv.h"
#include "report/result_reading.h"
#include "runtime/run_error.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString kHelp = QStringLiteral(
    "Использование: %1 check ПАПКА... [--format text|json] [--class-list ФАЙЛ]\n"
    "       %1 report ПАПКА... [-o ОТЧЁТ.html] [--csv ПАПКА]\n"
    "       %1            (без аргументов: окно «Школьник: учитель»)\n"
    "\n"
    "check проверяет тесты (*.tst с файлами баллов, ключами и рисунками) и списки\n"
    "классов Klass.txt в папках и их подпапках так, как их прочтёт программа ученика.\n"
    "\n"
    "  --format text|json   вид вывода: строки «файл:строка: ошибка: ...» (text,\n"
    "                       по умолчанию) или массив JSON {file, line, severity,\n"
    "                       code, message}\n"
    "  --class-list ФАЙЛ    проверить и этот список классов\n"
    "\n"
    "report читает журналы классов (*.doc) и протоколы учеников (*.otv) в папках и\n"
    "их подпапках, ничего в них не меняя, и составляет отчёт: ученики, оценки,\n"
    "проценты и разбор вопросов по каждому классу, теме и варианту.\n"
    "\n"
    "  -o ФАЙЛ              записать отчёт (HTML) в этот файл; без -o и --csv\n"
    "                       отчёт выводится на стандартный вывод\n"
    "  --csv ПАПКА          записать в папку таблицы pupils.csv и questions.csv\n"
    "\n"
    "  -h, --help           показать эту справку\n"
    "  -v, --version        показать версию\n"
    "\n"
    "Код выхода check: 0 — ошибок нет, 1 — найдена хотя бы одна ошибка.\n"
    "Код выхода report: 0 — прочитано всё, 1 — отчёт составлен, но что-то\n"
    "прочитать не удалось (это перечислено в отчёте).\n"
    "2 — выполнить не удалось (нет папки, неверный ключ, файл не записан).\n");

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
    // done: «Проверено» or «Прочитано».
    ProgressLine(Console& console, QString done) : console_(console), done_(std::move(done)) { clock_.start(); }
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
        const QString line = QStringLiteral("%1 %2 из %3").arg(done_, QString::number(done), QString::number(total));
        width_ = std::max(width_, int(line.size()));
        console_.err << u'\r' << line.leftJustified(width_) << Qt::flush;
    }

private:
    Console& console_;
    QString done_;
    QElapsedTimer clock_;
    qint64 shownAt_ = 0;
    int width_ = 0;
};


struct Options {
    QCommandLineOption format{QStringLiteral("format"), {}, QStringLiteral("text|json"), QStringLiteral("text")};
    QCommandLineOption classList{QStringLiteral("class-list"), {}, QStringLiteral("file")};
    QCommandLineOption output{QStringList{QStringLiteral("o"), QStringLiteral("output")}, {}, QStringLiteral("file")};
    QCommandLineOption csv{QStringLiteral("csv"), {}, QStringLiteral("folder")};
    QCommandLineOption help{QStringList{QStringLiteral("h"), QStringLiteral("help")}, {}};
    QCommandLineOption version{QStringList{QStringLiteral("v"), QStringLiteral("version")}, {}};

    explicit Options(QCommandLineParser& parser) { parser.addOptions({format, classList, output, csv, help, version}); }
};

int runCheck(const QCommandLineParser& parser, const Options& options, const QStringList& folders, Console& console)
{
    const QString shape = parser.value(options.format);
    if (shape != QStringLiteral("text") && shape != QStringLiteral("json"))
        return cannotCheck(console, QStringLiteral("вид вывода «%1» неизвестен: бывает text или json").arg(shape));

    CheckTargets targets;
    try {
        targets = findTargets(folders);
    } catch (const RunError& error) {
        return cannotCheck(console, error.description());
    }
    for (const QString& list : parser.values(options.classList)) {
        if (!QFileInfo::exists(list))
            return cannotCheck(console, QStringLiteral("нет списка классов %1").arg(list));
        targets.classLists << list;
    }

    CheckReport report;
    {
        ProgressLine progress(console, QStringLiteral("Проверено"));
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

int runReport(const QCommandLineParser& parser, const Options& options, const QStringList& folders, Console& console)
{
    const QString output = parser.value(options.output);
    const QString csvFolder = parser.value(options.csv);
    // A report put in place of a result file would destroy it, and would be read as one next time.
    for (const QString& ending : {QStringLiteral(".doc"), QStringLiteral(".otv")})
        if (output.endsWith(ending, Qt::CaseInsensitive))
            return cannotCheck(console, QStringLiteral("отчёт не пишется в файл %1: так называются файлы результатов")
                                            .arg(ending));

    Report report;
    try {
        const QStringList files = findResultFiles(folders);
        ProgressLine progress(console, QStringLiteral("Прочитано"));
        report = makeReport(readResultFiles(folders, files, {[&](int done, int total) { progress.show(done, total); }, {}}));
    } catch (const RunError& error) {
        return cannotCheck(console, error.description());
    }

    if (!output.isEmpty() || csvFolder.isEmpty()) {
        const QByteArray html = reportHtml(report, QDateTime::currentDateTime());
        if (output.isEmpty()) {
            console.out << QString::fromUtf8(html) << Qt::flush;
        } else if (const QString failure = saveFile(output, html); !failure.isEmpty()) {
            return cannotCheck(console, QStringLiteral("не удалось записать %1: %2").arg(QDir::toNativeSeparators(output), failure));
        }
    }
    if (!csvFolder.isEmpty()) {
        if (!QDir().mkpath(csvFolder))
            return cannotCheck(console, QStringLiteral("не удалось создать папку %1").arg(QDir::toNativeSeparators(csvFolder)));
        const QDir into(csvFolder);
        for (const auto& [name, bytes] : {std::pair{QStringLiteral("pupils.csv"), pupilsCsv(report)},
                                          std::pair{QStringLiteral("questions.csv"), questionsCsv(report)}})
            if (const QString failure = saveFile(into.filePath(name), bytes); !failure.isEmpty())
                return cannotCheck(console, QStringLiteral("не удалось записать %1: %2")
                                                .arg(QDir::toNativeSeparators(into.filePath(name)), failure));
    }
    console.err << readSummary(report) << Qt::endl;
    return report.problems.empty() ? kNoError : kErrorsFound;
}

} // namespace

QString saveFile(const QString& path, const QByteArray& bytes)
{
    const QDir folder = QFileInfo(path).absoluteDir();
    if (!folder.exists())
        return QStringLiteral("нет папки %1").arg(QDir::toNativeSeparators(folder.path()));
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return {};
    return file.errorString();
}

QString readSummary(const Report& report)
{
    QString summary = QStringLiteral("Прочитано журналов: %1, протоколов: %2, файлов статистики: %3")
                          .arg(QString::number(report.registers), QString::number(report.protocols),
                               QString::number(report.statistics));
    if (!report.problems.empty())
        summary += QStringLiteral("; не удалось прочитать файлов или строк: %1 (они перечислены в отчёте)")
                       .arg(report.problems.size());
    return summary;
}

void nameTheProgram()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Shkolnik"));
    QCoreApplication::setApplicationName(QStringLiteral("shkolnik-teacher"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SHKOLNIK_VERSION));
}

QString commandOf(const QStringList& arguments)
{
    QCommandLineParser parser;
    const Options options(parser);
    parser.parse(arguments);
    return parser.positionalArguments().value(0);
}

int runCommandLine(const QStringList& arguments, Console& console)
{
    QCommandLineParser parser;
    const Options options(parser);
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        return cannotCheck(console, unknown.isEmpty()
                                        ? QStringLiteral("у ключа нет значения или есть лишнее; справка: --help")
                                        : QStringLiteral("неизвестный ключ «%1%2»; справка: --help")
                                              .arg(unknown.first().size() > 1 ? QStringLiteral("--") : QStringLiteral("-"),
                                                   unknown.first()));
    }
    if (parser.isSet(options.help)) {
        console.out << kHelp.arg(QCoreApplication::applicationName()) << Qt::flush;
        return kNoError;
    }
    if (parser.isSet(options.version)) {
        console.out << QCoreApplication::applicationName() << u' ' << QCoreApplication::applicationVersion()
                    << Qt::endl;
        return kNoError;
    }

    const QStringList positional = parser.positionalArguments();
    const QString command = positional.value(0);
    if (command != QStringLiteral("check") && command != QStringLiteral("report"))
        return cannotCheck(console, positional.isEmpty()
                                        ? QStringLiteral("не названа команда; справка: --help")
                                        : QStringLiteral("неизвестная команда «%1»; справка: --help").arg(command));
    const QStringList folders = positional.mid(1);
    if (folders.isEmpty())
        return cannotCheck(console, QStringLiteral("не названа ни одна папка; справка: --help"));
    // Each command has its own options.
    const bool check = command == QStringLiteral("check");
    const std::pair<const QCommandLineOption*, bool> ofCheck[] = {
        {&options.format, true}, {&options.classList, true}, {&options.output, false}, {&options.csv, false}};
    for (const auto& [option, forCheck] : ofCheck) {
        const QString name = option->names().first();
        if (parser.isSet(*option) && forCheck != check)
            return cannotCheck(console, QStringLiteral("ключ «%1%2» бывает только у команды %3; справка: --help")
                                            .arg(name.size() > 1 ? QStringLiteral("--") : QStringLiteral("-"), name,
                                                 forCheck ? QStringLiteral("check") : QStringLiteral("report")));
    }
    return check ? runCheck(parser, options, folders, console) : runReport(parser, options, folders, console);
}
