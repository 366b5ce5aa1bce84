#include "app/startup.h"

#include "quiz/quiz_run.h"
#include "ui/form_helpers.h"
#include "ui/qt_services.h"

#include <QApplication>
#include <QStandardPaths>

#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("shkolnik"));
    installFontSubstitutes();
    QtServices services;
    // The pupil record and the running quiz live for the whole run.
    const auto run = std::make_unique<QuizRun>();
    const std::unique_ptr<FrmGl> frmGl =
        runStartup(*run, services, QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    if (!frmGl)
        return 0;
    return app.exec();
}
