#include "forms/frm_log.h"

#include "ui/controls.h"
#include "runtime/conversions.h"
#include "runtime/run_error.h"
#include "runtime/seqfile.h"
#include "runtime/services.h"
#include "ui/twips.h"
#include "ui/form_helpers.h"
#include "quiz/question_bank.h"
#include "results/class_list.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kClientWidth = 5715;
constexpr int kClientHeight = 1410;

constexpr ControlPlace kPlaces[] = {
    {"Label1", {120, 150, 1900, 300}},
    {"txtFIO", {2040, 90, 3555, 390}},
    {"lblGruppa", {120, 570, 1900, 300}},
    {"CboGruppa", {2040, 510, 3555, 390}},
    {"CmdOk", {2250, 960, 1215, 375}},
    {"cmdExit", {4380, 960, 1215, 375}},
};

} // namespace

FrmLog::FrmLog(PupilRecord& pupil, Services& services, QWidget* parent)
    : QDialog(parent), pupil_(pupil), services_(services)
{
    setObjectName(QStringLiteral("frmLog"));
    setWindowTitle(QStringLiteral("Программа школьника. Регистрация."));
    setFont(formFont(12));
    createControls();
    setClientSizeInTwips(*this, kClientWidth, kClientHeight);
    placeControls(*this, kPlaces);
    centreOnScreen(*this);
    for (QWidget* control : findChildren<QWidget*>())
        control->installEventFilter(this);
}

void FrmLog::createControls()
{
    const QFont labelFont = formFont(12, true);

    txtFIO = makeControl<QLineEdit>(this, QStringLiteral("txtFIO"));
    txtFIO->setToolTip(QStringLiteral("Введите полностью фамилию и имя. Поле обязательно для заполнения."));
    Label1 = makeControl<QLabel>(this, QStringLiteral("Label1"));
    Label1->setText(QStringLiteral("Фамилия, имя:"));
    Label1->setFont(labelFont);
    CboGruppa = makeControl<QComboBox>(this, QStringLiteral("CboGruppa"));
    CboGruppa->setEditable(true);
    // The class box keeps what was typed as it is: no completion, no list growing.
    CboGruppa->setCompleter(nullptr);
    CboGruppa->setInsertPolicy(QComboBox::NoInsert);
    CboGruppa->setToolTip(
        QStringLiteral("Нажав на кнопку ниспадающего меню выберите свой класс. Выбор класса обязателен."));
    CmdOk = makeControl<QPushButton>(this, QStringLiteral("CmdOk"));
    CmdOk->setText(QStringLiteral("Ok"));
    CmdOk->setToolTip(QStringLiteral("Если заполнены все поля, нажмите эту клавишу."));
    lblGruppa = makeControl<QLabel>(this, QStringLiteral("lblGruppa"));
    lblGruppa->setText(QStringLiteral("Выберите класс:"));
    lblGruppa->setFont(labelFont);
    cmdExit = makeControl<QPushButton>(this, QStringLiteral("cmdExit"));
    cmdExit->setText(QStringLiteral("Выход"));
    cmdExit->setToolTip(QStringLiteral("Досрочный выход из программы."));

    QWidget::setTabOrder(txtFIO, CboGruppa);
    QWidget::setTabOrder(CboGruppa, CmdOk);
    QWidget::setTabOrder(CmdOk, cmdExit);
    txtFIO->setFocus();

    connect(CmdOk, &QPushButton::clicked, this, &FrmLog::CmdOkClick);
    connect(cmdExit, &QPushButton::clicked, this, &FrmLog::cmdExitClick);
}

void FrmLog::load()
{
    CboGruppa->clear();
    try {
        InputFile file(kClassListName, TextSource::Authored);
        for (const ClassEntry& entry : readClassList(file.reader()))
            CboGruppa->addItem(entry.text);
    } catch (const RunError& error) {
        // The teacher has to know which folder the program looked in.
        throw RunError(error.number(),
                       QString(error.description()).replace(kClassListName, describeInCurrentFolder(kClassListName)));
    }
    CboGruppa->setCurrentIndex(-1);
    CboGruppa->setEditText({});
}

bool FrmLog::eventFilter(QObject* watched, QEvent* event)
{
    const auto isEnter = [](const QEvent* e) {
        const int key = static_cast<const QKeyEvent*>(e)->key();
        return key == Qt::Key_Return || key == Qt::Key_Enter;
    };
    if (event->type() == QEvent::KeyPress && isEnter(event)) {
        // Enter moves on like Tab; on a button it presses the button, as pupils expect.
        if (auto* button = qobject_cast<QPushButton*>(watched))
            button->click();
        else
            services_.sendTab();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FrmLog::keyPressEvent(QKeyEvent* event)
{
    // The form ends only by OK, the close box or «Выход».
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void FrmLog::CmdOkClick()
{
    pupil_.pupilName = blankControlCharacters(txtFIO->text());
    pupil_.pupilClass = blankControlCharacters(CboGruppa->currentText());
    accept();
}

void FrmLog::cmdExitClick()
{
    reject();
    services_.endProgram();
}
