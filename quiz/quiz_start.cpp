#include "quiz/quiz_start.h"

#include "quiz/display.h"
#include "quiz/navigation.h"
#include "quiz/quiz_loader.h"

#include "runtime/conversions.h"
#include "runtime/services.h"
#include "ui/form_helpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

void reportQuizFailure(Services& services, const RunError& failure, const QString& file)
{
    services.messageBox(QStringLiteral("Ошибка: ") + plainInt(failure.number()) + u' ' + failure.description(),
                        MessageIcon::Information);
    if (failure.number() == ErrorNumber::FileNotFound)
        services.messageBox(QStringLiteral("Не найден файл: ") + file, MessageIcon::None);
    else if (failure.number() == ErrorNumber::DeviceIo)
        services.messageBox(QStringLiteral("Ошибка ввода-вывода: ") + file, MessageIcon::None);
    else
        services.messageBox(QStringLiteral("Необрабатываемая ошибка. Ошибка при чтении файлов теста."),
                            MessageIcon::Information);
}

void startQuiz(const MainControls& c, Session& session, Attempt& state, Services& services,
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
    const LoadedQuiz loaded = loadQuiz(session.pupil.testPath, services);
    if (loaded.failure) {
        setMousePointer(c.form, 0);
        reportQuizFailure(services, *loaded.failure, loaded.failedFile);
        openSelection();
        return;
    }
    commitLoadedQuiz(loaded, session, state);

    const PupilRecord& pupil = session.pupil;
    const QuizHeader& header = session.header;
    c.Cbo5.setEditText(strInt(header.markThresholds(1)));
    c.Cbo4.setEditText(strInt(header.markThresholds(2)));
    c.Cbo3.setEditText(strInt(header.markThresholds(3)));
    showPadded(c.txtSpec, pupil.subject.text());
    showPadded(c.txtTema, pupil.topic.text());
    c.TxtVar.setText(pupil.variantNo.text());
    c.TxtVsego.setText(plainInt(header.askCount));
    c.TxtVremya.setText(plainInt(header.timePerQuestion));
    state.timeLeft = double(header.askCount) * double(header.timePerQuestion);
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

    state.quizRunning = true;
    moveNext(c, session, state);
    setInstruction(c.LblZ, session.questionBank(state.currentQuestion).answerForm);
    c.LblNow1.show();
    setMousePointer(c.form, 0);
}
