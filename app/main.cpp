#include "app/startup.h"

#include "ui/qt_services.h"
#include "ui/form_helpers.h"
#include "quiz/session.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    installFontSubstitutes();
    QtServices services;
    // The pupil record and the question bank live for the whole run.
    const auto session = std::make_unique<Session>();
    const std::unique_ptr<FrmGl> frmGl = runStartup(*session, services);
    if (!frmGl)
        return 0;
    return app.exec();
}
