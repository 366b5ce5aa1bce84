#include "teacher/command_line.h"
#include "teacher/desktop.h"
#include "teacher/teacher_window.h"

#include "runtime/school_settings.h"
#include "ui/qt_services.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include <memory>

#include <unistd.h>

int main(int argc, char** argv)
{
    // The command line runs without a display, on a server or over ssh: the report
    // draws its charts off the screen, and the check needs no drawing at all.
    if (argc > 1) {
        QStringList arguments;
        for (int k = 0; k < argc; ++k)
            arguments << QString::fromLocal8Bit(argv[k]);
        std::unique_ptr<QCoreApplication> app;
        if (commandOf(arguments) == QStringLiteral("report")) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            app = std::make_unique<QGuiApplication>(argc, argv);
        } else {
            app = std::make_unique<QCoreApplication>(argc, argv);
        }
        nameTheProgram();
        QTextStream out(stdout);
        QTextStream err(stderr);
        Console console{out, err, ::isatty(STDERR_FILENO) == 1};
        return runCommandLine(QCoreApplication::arguments(), console);
    }
    QApplication app(argc, argv);
    nameTheProgram();
    QtServices services;
    QtDesktop desktop;
    // The school's classroom, as the pupils' program starts in it; a folder named
    // but missing is said at once, and the teacher chooses another.
    const QString settingsFile = schoolSettingsFile();
    QString classroom = QDir::currentPath();
    try {
        classroom = startFolder({}, readSchoolSettings(settingsFile), settingsFile);
    } catch (const RunError& error) {
        services.messageBox(error.description(), MessageIcon::Critical, QStringLiteral("Школьник: учитель"));
    }
    TeacherWindow window(services, desktop, classroom);
    window.show();
    return app.exec();
}
