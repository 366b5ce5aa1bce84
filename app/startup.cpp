#include "app/startup.h"

#include "forms/frm_log.h"
#include "runtime/conversions.h"
#include "runtime/run_error.h"
#include "runtime/services.h"
#include "quiz/quiz_run.h"

namespace {

// The one check of a registration: only the latest OK counts, since it overwrites both fields.
bool registrationHolds(const PupilRecord& pupil)
{
    return !trimBlanks(pupil.pupilName.text()).isEmpty() && !pupil.pupilClass.isEmpty();
}

} // namespace

std::unique_ptr<FrmGl> runStartup(QuizRun& run, Services& services, const DeskSetup& desk)
{
    services.messageBox(QStringLiteral("Вы запустили программу школьника. "), MessageIcon::Information,
                        QStringLiteral("Программа школьника."));
    if (services.endRequested())
        return nullptr;

    bool registrationPending = true;
    while (registrationPending) {
        FrmLog frmLog(run.pupil, services);
        try {
            frmLog.load();
        } catch (const RunError& error) {
            reportAndEnd(services, error);
            return nullptr;
        }
        frmLog.exec();
        if (services.endRequested())
            return nullptr;
        registrationPending = !registrationHolds(run.pupil);
    }

    auto frmGl = std::make_unique<FrmGl>(run, services, desk);
    frmGl->load();
    if (services.endRequested())
        return nullptr;
    frmGl->show();
    services.messageBox(QStringLiteral("Начните работу с нажатием командной кнопки 'Выбор теста' (внизу)"),
                        MessageIcon::Information, QStringLiteral("Как начать работу?"));
    if (services.endRequested())
        return nullptr;
    return frmGl;
}
