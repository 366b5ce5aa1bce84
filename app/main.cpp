#include "app/startup.h"

#include "quiz/quiz_run.h"
#include "runtime/school_settings.h"
#include "ui/form_helpers.h"
#include "ui/qt_services.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>
#include <memory>

namespace {

void describe(QCommandLineParser& parser)
{
    QCoreApplication::setApplicationName(QStringLiteral("shkolnik"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SHKOLNIK_VERSION));
    parser.setApplicationDescription(QStringLiteral("Школьник: программа ученика для компьютерного тестирования."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("папка"),
                                 QStringLiteral("Папка класса со списком Klass.txt; без неё — ClassroomFolder из %1 "
                                                "или текущая папка.")
                                     .arg(schoolSettingsFile()),
                                 QStringLiteral("[папка]"));
}

} // namespace

int main(int argc, char** argv)
{
    // Read before any window is possible: --help, --version and a wrong option
    // answer in the terminal, also where there is no screen.
    QCommandLineParser parser;
    describe(parser);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        return 1;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();

    QApplication app(argc, argv);
    installFontSubstitutes();
    QtServices services;
    const QString settingsFile = schoolSettingsFile();
    const SchoolSettings settings = readSchoolSettings(settingsFile);
    try {
        QDir::setCurrent(startFolder(parser.positionalArguments().value(0), settings, settingsFile));
    } catch (const RunError& error) {
        reportAndEnd(services, error);
        return 1;
    }
    const DeskSetup desk{QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation),
                         settings.deploymentSentence.isEmpty() ? QStringLiteral(SHKOLNIK_DEPLOYMENT_SENTENCE)
                                                               : settings.deploymentSentence};
    // The pupil record and the running quiz live for the whole run.
    const auto run = std::make_unique<QuizRun>();
    const std::unique_ptr<FrmGl> frmGl = runStartup(*run, services, desk);
    if (!frmGl)
        return 0;
    return app.exec();
}
