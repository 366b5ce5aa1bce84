#include "testing/test_start.h"

#include "testing/display.h"
#include "testing/navigation.h"
#include "testing/test_loader.h"

#include "platform/conversions.h"
#include "platform/services.h"
#include "platform/ui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

void reportTestFailure(Services& services, const RunError& failure, const QString& file)
{
    services.messageBox(QStringLiteral("Ошибка: ") + plainInt(failure.number()) + u' ' + failure.description(),
                        Icon::Information);
    if (failure.number() == ErrorNumber::FileNotFound)
        services.messageBox(QStringLiteral("Не найден файл: ") + file, Icon::None);
    else if (failure.number() == ErrorNumber::DeviceIo)
        services.messageBox(QStringLiteral("Ошибка ввода-вывода: ") + file, Icon::None);
    else
        services.messageBox(QStringLiteral("Необрабатываемая ошибка. Ошибка при чтении файлов теста."),
                            Icon::Information);
}

void startTest(const MainControls& c, Session& session, TestState& state, Services& services,
               const std::function<void()>& openSelection)
{
    c.cmdOpen.hide();
    c.cmdBegin.hide();
    if (session.pupil.testPath.isEmpty())
        return;
    c.form.setProperty(kKeyPreviewProperty, true);
    setMousePointer(c.form, 11);

    // Everything is read and drawn on the side first, so a test that fails half-way
    // leaves nothing behind on the screen or in the session.
    const LoadResult loaded = loadTest(session.pupil.testPath, services);
    if (loaded.failure) {
        setMousePointer(c.form, 0);
        reportTestFailure(services, *loaded.failure, loaded.failedFile);
        openSelection();
        return;
    }
    commitLoadedTest(loaded, session, state);

    const PupilRecord& pupil = session.pupil;
    const TestCounters& counters = session.counters;
    c.Cbo5.setEditText(strInt(counters.markThresholds(1)));
    c.Cbo4.setEditText(strInt(counters.markThresholds(2)));
    c.Cbo3.setEditText(strInt(counters.markThresholds(3)));
    showPadded(c.txtSpec, pupil.subject.text());
    showPadded(c.txtTema, pupil.topic.text());
    c.TxtVar.setText(pupil.variantNo.text());
    c.TxtVsego.setText(plainInt(counters.askCount));
    c.TxtVremya.setText(plainInt(counters.timePerQuestion));
    state.timeLeft = double(counters.askCount) * double(counters.timePerQuestion);
    for (int k = 0; k < kMaxOptions; ++k) {
        c.Otv[k]->hide();
        c.TxtOtvets[k]->hide();
    }

    c.cmdOpen.setEnabled(false);
    c.txtVopros.show();
    c.Tmr.start();
    for (QWidget* shown : {static_cast<QWidget*>(&c.cmdNalevo), static_cast<QWidget*>(&c.cmdNapravo),
                           static_cast<QWidget*>(&c.cmdExit), static_cast<QWidget*>(&c.LblZ),
                           static_cast<QWidget*>(&c.ImgVopros)})
        shown->show();
    state.currentQuestion = 0;
    state.startTime = services.now();
    c.LblVopros.show();

    state.testRunning = true;
    moveNext(c, session, state);
    setInstruction(c.LblZ, session.questionBank(state.currentQuestion).answerForm);
    c.LblNow1.show();
    setMousePointer(c.form, 0);
}
