#include "teacher/command_line.h"
#include "teacher/desktop.h"
#include "teacher/teacher_window.h"

#include "ui/qt_services.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>

#include <unistd.h>

int main(int argc, char** argv)
{
    // The command line runs without a display, on a server or over ssh.
    if (argc > 1) {
        QCoreApplication app(argc, argv);
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
    TeacherWindow window(services, desktop);
    window.show();
    return app.exec();
}
