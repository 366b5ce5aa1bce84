#include "forms/frm_gl.h"

#include "forms/frm_file.h"
#include "results/finishing.h"
#include "quiz/display.h"
#include "quiz/navigation.h"
#include "quiz/quiz_start.h"
#include "quiz/time_limit.h"
#include "ui/controls.h"
#include "runtime/conversions.h"
#include "runtime/services.h"
#include "ui/twips.h"
#include "ui/form_helpers.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kClientWidth = 11400;
constexpr int kClientHeight = 8265;

// Answer place k: rows of 1080 twips, the left column for even k, the right for odd.
constexpr int placeTop(int k) { return 4080 + (k / 2) * 1200; }
constexpr int placeLeft(int k) { return k % 2 == 0 ? 120 : 5760; }

constexpr ControlPlace kPlaces[] = {
    {"LblSpec", {120, 150, 1000, 300}},
    {"txtSpec", {1150, 90, 4200, 375}},
    {"lblTema", {120, 540, 1000, 300}},
    {"txtTema", {1150, 480, 4200, 375}},
    {"LblProcent", {5500, 150, 2400, 300}},
    {"LblOcenka", {5500, 540, 2400, 300}},
    {"LblNow(0)", {7980, 150, 2520, 300}},
    {"TxtVremya", {10560, 90, 735, 375}},
    {"LblVariant", {7980, 540, 1000, 300}},
    {"TxtVar", {8990, 480, 435, 375}},
    {"LblVsego", {9480, 540, 1020, 300}},
    {"TxtVsego", {10560, 480, 735, 375}},
    {"LblVopros", {120, 930, 2000, 300}},
    {"LblKrit", {2280, 930, 1800, 300}},
    {"Cbo5", {4080, 900, 615, 315}},
    {"Cbo4", {4740, 900, 615, 315}},
    {"Cbo3", {5400, 900, 615, 315}},
    {"LblBall", {6120, 930, 600, 300}},
    {"CboBall", {6720, 900, 615, 315}},
    {"LblVid", {7440, 930, 1080, 300}},
    {"TxtVid", {8520, 900, 375, 315}},
    {"LblOtvetu", {9000, 930, 960, 300}},
    {"TxtOtvetov", {9960, 900, 375, 315}},
    {"txtVopros", {120, 1290, 11175, 2340}},
    {"ImgVopros", {120, 1290, 3300, 2340}},
    {"LblZ", {120, 3690, 11175, 330}},
    {"Otv(0)", {placeLeft(0), placeTop(0), 240, 1080}},
    {"Otv(1)", {placeLeft(1), placeTop(1), 240, 1080}},
    {"Otv(2)", {placeLeft(2), placeTop(2), 240, 1080}},
    {"Otv(3)", {placeLeft(3), placeTop(3), 240, 1080}},
    {"Otv(4)", {placeLeft(4), placeTop(4), 240, 1080}},
    {"Otv(5)", {placeLeft(5), placeTop(5), 240, 1080}},
    {"TxtOtvets(0)", {placeLeft(0) + 250, placeTop(0), 5285, 1080}},
    {"TxtOtvets(1)", {placeLeft(1) + 250, placeTop(1), 5285, 1080}},
    {"TxtOtvets(2)", {placeLeft(2) + 250, placeTop(2), 5285, 1080}},
    {"TxtOtvets(3)", {placeLeft(3) + 250, placeTop(3), 5285, 1080}},
    {"TxtOtvets(4)", {placeLeft(4) + 250, placeTop(4), 5285, 1080}},
    {"TxtOtvets(5)", {placeLeft(5) + 250, placeTop(5), 5285, 1080}},
    {"Img(0)", {placeLeft(0) + 250, placeTop(0), 5285, 1080}},
    {"Img(1)", {placeLeft(1) + 250, placeTop(1), 5285, 1080}},
    {"Img(2)", {placeLeft(2) + 250, placeTop(2), 5285, 1080}},
    {"Img(3)", {placeLeft(3) + 250, placeTop(3), 5285, 1080}},
    {"Img(4)", {placeLeft(4) + 250, placeTop(4), 5285, 1080}},
    {"Img(5)", {placeLeft(5) + 250, placeTop(5), 5285, 1080}},
    {"Line1(1)", {120, 7650, 11175, 30}},
    {"LblNow1", {120, 7800, 2360, 330}},
    {"cmdOpen", {2600, 7740, 1600, 420}},
    {"cmdBegin", {4300, 7740, 1600, 420}},
    {"cmdNalevo", {6000, 7740, 1600, 420}},
    {"cmdNapravo", {7700, 7740, 1600, 420}},
    {"cmdExit", {9400, 7740, 1895, 420}},
};

QString indexed(const char* array, int k)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(k);
}

QLabel* label(QWidget* form, const char* name, const QString& caption, const QFont& font)
{
    auto* l = makeControl<QLabel>(form, QLatin1String(name));
    l->setText(caption);
    l->setFont(font);
    return l;
}

// A read-only information box whose design text is also its tooltip.
QLineEdit* infoBox(QWidget* form, const char* name, const QString& text, const QFont& font)
{
    auto* box = makeControl<QLineEdit>(form, QLatin1String(name));
    box->setReadOnly(true);
    box->setText(text);
    box->setToolTip(text);
    box->setFont(font);
    return box;
}

QComboBox* holder(QWidget* form, const char* name, const QString& text)
{
    auto* box = makeControl<QComboBox>(form, QLatin1String(name));
    box->setEditable(true);
    box->setEditText(text);
    box->hide();
    return box;
}

QPushButton* button(QWidget* form, const char* name, const QString& caption, const QString& tip,
                    const QFont& font)
{
    auto* b = makeControl<QPushButton>(form, QLatin1String(name));
    b->setText(caption);
    b->setToolTip(tip);
    b->setFont(font);
    b->setAutoDefault(false);
    return b;
}

} // namespace

FrmGl::FrmGl(Session& session, Services& services) : session_(session), services_(services)
{
    setObjectName(QStringLiteral("frmGl"));
    setWindowTitle(QStringLiteral("Программа ученика. Тестирование. ") + QStringLiteral(SHKOLNIK_DEPLOYMENT_SENTENCE));
    setBackground(*this, 192, 192, 192);
    createControls();
    setClientSizeInTwips(*this, kClientWidth, kClientHeight);
    placeControls(*this, kPlaces);
    centreOnScreen(*this);
    connect(cmdOpen, &QPushButton::clicked, this, &FrmGl::cmdOpenClick);
    connect(cmdBegin, &QPushButton::clicked, this, &FrmGl::cmdBeginClick);
    connect(cmdNapravo, &QPushButton::clicked, this, [this] { moveNext(controls(), session_, state_); });
    connect(cmdNalevo, &QPushButton::clicked, this, [this] { movePrevious(controls(), session_, state_); });
    connect(cmdExit, &QPushButton::clicked, this, &FrmGl::cmdExitClick);
    connect(Tmr, &QTimer::timeout, this, &FrmGl::TmrTimer);
    installAnswerKeyFilter(controls());
    setProperty(kKeyPreviewProperty, false);
    installEventFilter(this);
    for (QWidget* control : findChildren<QWidget*>())
        control->installEventFilter(this);
}

void FrmGl::createControls()
{
    const QFont labelFont = formFont(11.25, true);
    const QFont buttonFont = formFont(9.75);
    const QFont questionFont = formFont(14.25);
    const QFont answerFont = formFont(12, true);

    LblSpec = label(this, "LblSpec", QStringLiteral("Предмет:"), labelFont);
    txtSpec = infoBox(this, "txtSpec", {}, labelFont);
    txtSpec->setToolTip(QStringLiteral("Наименование предмета"));
    lblTema = label(this, "lblTema", QStringLiteral("Тема:"), labelFont);
    txtTema = infoBox(this, "txtTema", {}, labelFont);
    txtTema->setToolTip(QStringLiteral("Название теста"));
    LblProcent = label(this, "LblProcent", {}, labelFont);
    LblProcent->setToolTip(QStringLiteral("Процент выполнения теста"));
    LblOcenka = label(this, "LblOcenka", {}, labelFont);
    LblOcenka->setToolTip(QStringLiteral("Ваша оценка согласно критерия"));
    LblNow[0] = label(this, "LblNow(0)", QStringLiteral("Время на 1 задание (в с.):"), labelFont);
    TxtVremya = infoBox(this, "TxtVremya", QStringLiteral("Время отведенное на выполнение одного задания теста"),
                        labelFont);
    LblVariant = label(this, "LblVariant", QStringLiteral("Вариант:"), labelFont);
    TxtVar = infoBox(this, "TxtVar", QStringLiteral("Номер варианта"), labelFont);
    LblVsego = label(this, "LblVsego", QStringLiteral("Заданий:"), labelFont);
    TxtVsego = infoBox(this, "TxtVsego", QStringLiteral("Количество задаваемых вопросов"), labelFont);

    LblVopros = label(this, "LblVopros", {}, labelFont);
    LblVopros->setToolTip(QStringLiteral("Номер текущего задания"));
    LblVopros->hide();
    LblKrit = label(this, "LblKrit", QStringLiteral("Критерий оценки:"), labelFont);
    LblKrit->hide();
    Cbo5 = holder(this, "Cbo5", QStringLiteral("80"));
    Cbo4 = holder(this, "Cbo4", QStringLiteral("60"));
    Cbo3 = holder(this, "Cbo3", QStringLiteral("40"));
    LblBall = label(this, "LblBall", QStringLiteral("Балл:"), labelFont);
    LblBall->hide();
    CboBall = holder(this, "CboBall", {});
    CboBall->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
    CboBall->setEditText(QStringLiteral("1"));
    LblVid = label(this, "LblVid", QStringLiteral("Форма з-я:"), labelFont);
    LblVid->hide();
    TxtVid = infoBox(this, "TxtVid", QStringLiteral("Форма задания"), labelFont);
    TxtVid->hide();
    LblOtvetu = label(this, "LblOtvetu", QStringLiteral("Ответов:"), labelFont);
    LblOtvetu->hide();
    TxtOtvetov = infoBox(this, "TxtOtvetov", QStringLiteral("Ответов для выбора"), labelFont);
    TxtOtvetov->hide();

    txtVopros = makeControl<QPlainTextEdit>(this, QStringLiteral("txtVopros"));
    txtVopros->setReadOnly(true);
    txtVopros->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtVopros->setTabChangesFocus(true);
    txtVopros->setFont(questionFont);
    txtVopros->setToolTip(QStringLiteral("Задание для выполнения"));
    setBackground(*txtVopros, 255, 255, 192);
    txtVopros->hide();
    ImgVopros = makeControl<QLabel>(this, QStringLiteral("ImgVopros"));
    ImgVopros->setAlignment(Qt::AlignCenter);
    ImgVopros->hide();
    LblZ = label(this, "LblZ", {}, labelFont);
    LblZ->hide();

    for (int k = 0; k < 6; ++k) {
        Otv[k] = makeControl<QCheckBox>(this, indexed("Otv", k));
        // A click ticks and unticks; the greyed state would read as not ticked.
        Otv[k]->setTristate(false);
        Otv[k]->hide();
        TxtOtvets[k] = makeControl<QPlainTextEdit>(this, indexed("TxtOtvets", k));
        TxtOtvets[k]->setFont(answerFont);
        TxtOtvets[k]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        TxtOtvets[k]->setReadOnly(true);
        TxtOtvets[k]->setFocusPolicy(Qt::ClickFocus);
        setBackground(*TxtOtvets[k], 192, 192, 255);
        TxtOtvets[k]->hide();
        Img[k] = makeControl<QLabel>(this, indexed("Img", k));
        Img[k]->setAlignment(Qt::AlignCenter);
        // Clicks and the scroll bar belong to the text box beneath an empty picture.
        Img[k]->setAttribute(Qt::WA_TransparentForMouseEvents);
        // The picture lies over the text box of its place.
        Img[k]->raise();
    }
    Otv[0]->setToolTip(QStringLiteral("Поставьте здесь галочку, если Вы выбираете этот ответ"));

    Line1 = makeControl<QFrame>(this, QStringLiteral("Line1(1)"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    LblNow1 = label(this, "LblNow1", {}, labelFont);
    LblNow1->setAlignment(Qt::AlignCenter);
    LblNow1->setToolTip(QStringLiteral("Время, оставшееся до конца тестирования"));
    LblNow1->hide();
    cmdOpen = button(this, "cmdOpen", QStringLiteral("Выбор теста"),
                     QStringLiteral("Нажмите эту клавишу для чтения теста"), buttonFont);
    cmdBegin = button(this, "cmdBegin", QStringLiteral("Начать"),
                      QStringLiteral("При нажатии этой клавиши начинается тестирование по выбранной теме"),
                      buttonFont);
    cmdBegin->hide();
    cmdNalevo = button(this, "cmdNalevo", QStringLiteral("Предыдущий"),
                       QStringLiteral("Переход на предыдущий вопрос. Тот же переход делает и нажатие клавиши PageUp"),
                       buttonFont);
    cmdNalevo->hide();
    cmdNapravo = button(this, "cmdNapravo", QStringLiteral("Следующий"),
                        QStringLiteral("Переход на следующий вопрос. Тот же переход делает и нажатие клавиши PageDown"),
                        buttonFont);
    cmdNapravo->hide();
    cmdExit = button(this, "cmdExit", QStringLiteral("Проверить и выйти"),
                     QStringLiteral("Выход из программы тестирования до конца отведенного времени. "), buttonFont);
    cmdExit->hide();

    Tmr = new QTimer(this);
    Tmr->setObjectName(QStringLiteral("Tmr"));
    Tmr->setInterval(1000);
    Tmr->setTimerType(Qt::PreciseTimer);

    QWidget::setTabOrder(cmdOpen, cmdBegin);
    QWidget::setTabOrder(cmdBegin, cmdNalevo);
    QWidget::setTabOrder(cmdNalevo, cmdNapravo);
    QWidget::setTabOrder(cmdNapravo, cmdExit);
    QWidget::setTabOrder(cmdExit, Otv[0]);
    for (int k = 1; k < 6; ++k)
        QWidget::setTabOrder(Otv[k - 1], Otv[k]);
    QWidget::setTabOrder(Otv[5], txtVopros);
    cmdOpen->setFocus();
}

MainControls FrmGl::controls()
{
    return MainControls{*this,      *txtSpec,    *txtTema,    *LblProcent, *LblOcenka, *TxtVremya,
                        *TxtVar,    *TxtVsego,   *LblVopros,  *Cbo5,       *Cbo4,      *Cbo3,
                        *CboBall,   *TxtVid,     *TxtOtvetov, *txtVopros,  *ImgVopros, *LblZ,
                        Otv,        TxtOtvets,   Img,         *LblNow1,    *cmdOpen,   *cmdBegin,
                        *cmdNalevo, *cmdNapravo, *cmdExit,    *Tmr,      pictures_};
}

void FrmGl::load()
{
    PupilRecord& pupil = session_.pupil;
    if (pupil.pupilName.text().startsWith(u'*')) {
        // The start-up drops the form unseen.
        services_.endProgram();
        return;
    }
    state_.currentQuestion = 1;
    for (QWidget* shown : std::initializer_list<QWidget*>{LblSpec, txtSpec, lblTema, txtTema, LblProcent, LblOcenka})
        shown->show();
    for (QPlainTextEdit* box : TxtOtvets)
        box->setReadOnly(true);
    LblVariant->setText(QStringLiteral("Вариант:"));
    LblVsego->setText(QStringLiteral("Заданий:"));
    showPadded(*txtSpec, pupil.subject.text());
    showPadded(*txtTema, pupil.topic.text());
    pupil.pupilClass10 = pupil.pupilClass;
    TxtVar->setText(QStringLiteral("1"));
    TxtVid->setText(QStringLiteral("1"));
    TxtOtvetov->setText(QStringLiteral("1"));
    TxtVsego->setText(QStringLiteral("1"));
    TxtVremya->setText(QStringLiteral("30"));
    // Position 351 is the scratch slot of the draw and keeps what it has.
    for (int position = 1; position <= kMaxQuestions; ++position)
        for (int option = 1; option <= kMaxOptions; ++option)
            state_.correctFlags(option, position) = 0;
    pupil.variantNo = TxtVar->text();
    pupil.subject = txtSpec->text();
    pupil.topic = txtTema->text();
    session_.header.timePerQuestion = toInt16(val(TxtVremya->text())).value_or(0);
    session_.header.askCount = toInt16(val(TxtVsego->text())).value_or(0);
    txtVopros->hide();
    for (int k = 0; k < 6; ++k) {
        TxtOtvets[k]->clear();
        Otv[k]->hide();
        TxtOtvets[k]->hide();
    }
}

void FrmGl::cmdOpenClick()
{
    cmdOpen->hide();
    auto* frmFile = new FrmFile(session_.pupil, *cmdBegin, services_, this);
    frmFile->show();
}

void FrmGl::cmdBeginClick()
{
    startQuiz(controls(), session_, state_, services_, [this] { cmdOpenClick(); });
}

void FrmGl::cmdExitClick()
{
    finishQuiz(controls(), session_, state_, services_);
}

void FrmGl::TmrTimer()
{
    if (timerTick(state_, *LblNow1) == TimeTick::TimeUp)
        cmdExitClick();
}

bool FrmGl::eventFilter(QObject* watched, QEvent* event)
{
    // A key that a control ignores travels on to its parents; only its first
    // receiver, the focused control, counts, so that no key is handled twice.
    const QWidget* focused = QApplication::focusWidget();
    const bool firstReceiver = watched == focused || (watched == this && !isAncestorOf(focused));
    if (event->type() == QEvent::KeyPress && firstReceiver && property(kKeyPreviewProperty).toBool()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        keyDown(keyCode(*key), shiftState(*key), controls(), session_, state_, services_);
    }
    return QWidget::eventFilter(watched, event);
}

void FrmGl::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!services_.endRequested())
        services_.endProgram();
}
