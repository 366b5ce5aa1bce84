#include "forms/frm_gl.h"

#include "forms/frm_file.h"
#include "results/finishing.h"

#include "runtime/services.h"
#include "ui/accessibility.h"
#include "ui/controls.h"
#include "ui/form_helpers.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>

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
    {"LblProcent", {5500, 150, 2280, 300}},
    {"LblOcenka", {5500, 540, 2280, 300}},
    {"LblNow(0)", {7860, 150, 2640, 300}},
    {"TxtVremya", {10560, 90, 735, 375}},
    {"LblVariant", {7860, 540, 1120, 300}},
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
    // Nothing to do there: Tab passes them by.
    box->setFocusPolicy(Qt::NoFocus);
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
    box->setFocusPolicy(Qt::NoFocus);
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

// Enter (either key, any modifiers) does nothing in the answer boxes.
class AnswerKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// A text box's text exactly as it was set or typed.
QString textOf(const QPlainTextEdit& box)
{
    // The plain-text form would turn non-breaking spaces of a quiz into blanks.
    QString text = box.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

// Only the typing field takes Tab and typing; an option's text is read and may be clicked into.
void setTypingField(QPlainTextEdit& box, bool typing)
{
    box.setReadOnly(!typing);
    box.setFocusPolicy(typing ? Qt::StrongFocus : Qt::ClickFocus);
}

// What a screen reader says for tick box k: "Вариант 2: 5", or for a picture
// "Вариант 2: рисунок krug".
QString optionName(int k, const AnswerRow& row)
{
    const QString option = QStringLiteral("Вариант %1: ").arg(k + 1);
    if (row.picture)
        return option + QStringLiteral("рисунок ") + QFileInfo(row.text).completeBaseName();
    return option + row.text;
}

QString productNoticeTitle()
{
    return QStringLiteral("О программе «Школьник» (версия ") + QStringLiteral(SHKOLNIK_VERSION) + u')';
}

QString productNoticeText()
{
    return QStringLiteral("«Школьник» — программа ученика для компьютерного тестирования.\nВерсия ")
        + QStringLiteral(SHKOLNIK_VERSION);
}

} // namespace

FrmGl::FrmGl(QuizRun& run, Services& services, const DeskSetup& desk)
    : run_(run), services_(services), journal_(desk.journalFolder)
{
    installAccessibleRoles();
    setObjectName(QStringLiteral("frmGl"));
    setWindowTitle(QStringLiteral("Программа ученика. Тестирование. ") + desk.deploymentSentence);
    setBackground(*this, 192, 192, 192);
    createControls();
    setClientSizeInTwips(*this, kClientWidth, kClientHeight);
    placeControls(*this, kPlaces);
    centreOnScreen(*this);
    connect(cmdOpen, &QPushButton::clicked, this, &FrmGl::cmdOpenClick);
    connect(cmdBegin, &QPushButton::clicked, this, &FrmGl::cmdBeginClick);
    connect(cmdNapravo, &QPushButton::clicked, this, &FrmGl::cmdNapravoClick);
    connect(cmdNalevo, &QPushButton::clicked, this, &FrmGl::cmdNalevoClick);
    connect(cmdExit, &QPushButton::clicked, this, &FrmGl::cmdExitClick);
    connect(Tmr, &QTimer::timeout, this, &FrmGl::TmrTimer);
    typingPause_ = new QTimer(this);
    typingPause_->setSingleShot(true);
    typingPause_->setInterval(1000);
    connect(typingPause_, &QTimer::timeout, this, &FrmGl::keepJournal);
    connect(TxtOtvets[0], &QPlainTextEdit::textChanged, this, [this] {
        if (!typingPause_->isActive())
            typingPause_->start();
    });
    for (QCheckBox* tick : Otv)
        connect(tick, &QCheckBox::clicked, this, &FrmGl::keepJournal);
    auto* answerKeys = new AnswerKeyFilter(this);
    for (QPlainTextEdit* box : TxtOtvets)
        box->installEventFilter(answerKeys);
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
        TxtOtvets[k]->setTabChangesFocus(true);
        setTypingField(*TxtOtvets[k], false);
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
    LblNow1 = makeControl<StatusLabel>(this, QStringLiteral("LblNow1"));
    LblNow1->setFont(labelFont);
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

    // During a quiz Tab goes from the question through its answers to the moves.
    const std::array<QWidget*, 13> tabOrder{cmdOpen, cmdBegin, txtVopros, Otv[0], Otv[1], Otv[2], Otv[3],
                                            Otv[4], Otv[5], TxtOtvets[0], cmdNalevo, cmdNapravo, cmdExit};
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    cmdOpen->setFocus();
}

void FrmGl::load()
{
    if (!loadMainForm(run_)) {
        // The start-up drops the form unseen.
        services_.endProgram();
        return;
    }
    for (QWidget* shown : std::initializer_list<QWidget*>{LblSpec, txtSpec, lblTema, txtTema, LblProcent, LblOcenka})
        shown->show();
    for (QPlainTextEdit* box : TxtOtvets)
        setTypingField(*box, false);
    LblVariant->setText(QStringLiteral("Вариант:"));
    LblVsego->setText(QStringLiteral("Заданий:"));
    showRun();
}

void FrmGl::showRun()
{
    showHeader();
    showQuestion();
    applyMode(run_.stage);
}

void FrmGl::showHeader()
{
    const HeaderScreen& shown = run_.headerScreen;
    showPadded(*txtSpec, shown.subject);
    showPadded(*txtTema, shown.topic);
    TxtVar->setText(shown.variant);
    TxtVsego->setText(shown.asked);
    TxtVremya->setText(shown.timePerQuestion);
    Cbo5->setEditText(shown.thresholds[0]);
    Cbo4->setEditText(shown.thresholds[1]);
    Cbo3->setEditText(shown.thresholds[2]);
}

void FrmGl::showQuestion()
{
    const QuestionScreen& screen = run_.screen;
    TxtVid->setText(screen.answerForm);
    CboBall->setEditText(screen.points);
    TxtOtvetov->setText(screen.optionCount);
    LblZ->setText(screen.instruction);
    txtVopros->setPlainText(screen.questionText);
    txtVopros->setAccessibleName(QStringLiteral("Задание %1").arg(run_.attempt.currentQuestion));
    ImgVopros->setVisible(screen.pictureLayout && run_.stage != QuizStage::BeforeStart);
    if (screen.pictureLayout)
        setLeftWidthInTwips(*txtVopros, 3500, 7795);
    else
        setLeftWidthInTwips(*txtVopros, 120, 11175);
    for (int k = 0; k < kMaxOptions; ++k) {
        const AnswerRow& row = screen.rows[std::size_t(k)];
        TxtOtvets[k]->setPlainText(row.text);
        TxtOtvets[k]->setVisible(row.textShown);
        Otv[k]->setCheckState(row.ticked ? Qt::Checked : Qt::Unchecked);
        Otv[k]->setVisible(row.tickShown);
        Otv[k]->setAccessibleName(optionName(k, row));
        if (row.picture)
            Otv[k]->setText({});
    }
    switch (screen.firstRow) {
    case FirstRowLayout::Design: break;
    case FirstRowLayout::Tick:
        setLeftWidthInTwips(*TxtOtvets[0], 360, 5295);
        setTypingField(*TxtOtvets[0], false);
        TxtOtvets[0]->setAccessibleName({});
        break;
    case FirstRowLayout::Typed:
        setLeftWidthInTwips(*TxtOtvets[0], 120, 11175);
        setTypingField(*TxtOtvets[0], true);
        TxtOtvets[0]->setAccessibleName(QStringLiteral("Ответ"));
        break;
    }
    LblVopros->setText(screen.position);

    // Every picture not of this question is emptied; the seven may be large
    // photographs, so they are decoded together.
    clearPicture(*ImgVopros);
    for (QLabel* image : Img)
        clearPicture(*image);
    const auto loadsOf = [this](const QuestionPictures& pictures) {
        std::vector<PictureLoad> loads;
        if (!pictures.question.isEmpty())
            loads.push_back({ImgVopros, pictures.question});
        for (int k = 0; k < kMaxOptions; ++k)
            if (!pictures.options[std::size_t(k)].isEmpty())
                loads.push_back({Img[k], pictures.options[std::size_t(k)]});
        return loads;
    };
    const int current = run_.attempt.currentQuestion;
    if (run_.stage == QuizStage::BeforeStart || current < 1 || current > kMaxQuestions)
        return;
    pictures_.show(loadsOf(picturesAt(run_, current)));
    // A move reaches only the questions before and after this one.
    std::vector<PictureLoad> ahead;
    for (const int position : neighbourPositions(run_)) {
        const std::vector<PictureLoad> loads = loadsOf(picturesAt(run_, position));
        ahead.insert(ahead.end(), loads.begin(), loads.end());
    }
    pictures_.prefetch(ahead);
}

void FrmGl::applyMode(QuizStage stage)
{
    const bool started = stage != QuizStage::BeforeStart;
    for (QWidget* questionArea : std::initializer_list<QWidget*>{txtVopros, LblZ, LblVopros, LblNow1, cmdNalevo,
                                                                 cmdNapravo, cmdExit})
        questionArea->setVisible(started);
    switch (stage) {
    case QuizStage::BeforeStart:
        keyPreview_ = false;
        Tmr->stop();
        break;
    case QuizStage::Running:
        keyPreview_ = true;
        cmdOpen->hide();
        cmdOpen->setEnabled(false);
        cmdBegin->hide();
        if (!Tmr->isActive())
            Tmr->start();
        break;
    case QuizStage::Finished:
        keyPreview_ = false;
        Tmr->stop();
        LblZ->hide();
        LblProcent->show();
        LblOcenka->show();
        break;
    }
}

PupilAnswers FrmGl::answersOnScreen() const
{
    PupilAnswers answers;
    for (int k = 0; k < kMaxOptions; ++k)
        answers.ticked[std::size_t(k)] = Otv[k]->checkState() == Qt::Checked;
    answers.typed = textOf(*TxtOtvets[0]);
    return answers;
}

void FrmGl::cmdOpenClick()
{
    cmdOpen->hide();
    auto* frmFile = new FrmFile(run_.pupil, services_, this);
    connect(frmFile, &FrmFile::quizChosen, cmdBegin, &QWidget::show);
    // Closed without a quiz: the pupil must still have a way to one.
    connect(frmFile, &FrmFile::closedWithoutQuiz, this, [this] {
        cmdOpen->setEnabled(true);
        cmdOpen->show();
        cmdOpen->setFocus();
    });
    frmFile->show();
}

void FrmGl::cmdBeginClick()
{
    cmdOpen->hide();
    cmdBegin->hide();
    if (run_.pupil.testPath.isEmpty())
        return;
    keyPreview_ = true;
    const QString quizPath = run_.pupil.testPath;
    if (takeUpInterrupted(quizPath))
        return;
    QuizStart start;
    {
        const WaitCursor busy(*this);
        start = startQuiz(run_, services_);
        if (start.outcome == QuizStart::Outcome::Started)
            showRun();
    }
    if (start.outcome == QuizStart::Outcome::Failed) {
        reportQuizFailure(services_, *start.failure, start.failedFile);
        cmdOpenClick();
        return;
    }
    journal_.begin(run_, quizPath);
    keepJournal();
}

bool FrmGl::takeUpInterrupted(const QString& quizPath)
{
    const std::optional<InterruptedQuiz> found = journal_.interrupted(run_.pupil, quizPath, services_.now());
    if (!found)
        return false;
    const double timeLeft = std::max(found->run->attempt.timeLeft, 0.0);
    const auto minutes = qint64(timeLeft) / 60;
    const bool takeUp =
        services_.askYesNo(QStringLiteral("Продолжить прерванную работу? Осталось %1 мин. %2 с.")
                               .arg(minutes)
                               .arg(qint64(timeLeft) - 60 * minutes))
        || !services_.askYesNo(QStringLiteral("Начатая работа будет потеряна. Начать заново?"));
    if (!takeUp) {
        journal_.discard(run_.pupil, quizPath);
        return false;
    }
    resumeQuiz(run_, *found->run);
    journal_.begin(run_, quizPath);
    showRun();
    LblNow1->setText(timeCaption(run_.attempt.timeLeft));
    LblNow1->setAccessibleName(timeStatus(run_.attempt.timeLeft));
    return true;
}

void FrmGl::keepJournal()
{
    journal_.save(run_, answersOnScreen(), services_.now());
}

void FrmGl::cmdNapravoClick()
{
    if (moveNext(run_, answersOnScreen())) {
        showQuestion();
        keepJournal();
    }
}

void FrmGl::cmdNalevoClick()
{
    if (movePrevious(run_, answersOnScreen())) {
        showQuestion();
        keepJournal();
    }
}

void FrmGl::cmdExitClick()
{
    const std::optional<FinishedQuiz> finished = finishQuiz(run_, answersOnScreen(), services_);
    if (!finished)
        return;
    applyMode(QuizStage::Finished);
    LblProcent->setText(finished->percentLabel);
    LblOcenka->setText(finished->markLabel);
    writeResults(run_, *finished, services_);
    journal_.remove();
    showResult(run_, *finished, services_);
}

void FrmGl::TmrTimer()
{
    if (timerTick(run_) == TimeTick::TimeUp) {
        cmdExitClick();
        return;
    }
    LblNow1->setText(timeCaption(run_.attempt.timeLeft));
    // The name, not the caption, is announced: once a minute, not every second.
    LblNow1->setAccessibleName(timeStatus(run_.attempt.timeLeft));
    // Kept every second, so that a pupil taken up again has the time left to the second.
    keepJournal();
}

void FrmGl::keyDown(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_PageUp)
        cmdNalevoClick();
    else if (key == Qt::Key_PageDown)
        cmdNapravoClick();
    const Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (key == Qt::Key_F1 && held == (Qt::ControlModifier | Qt::AltModifier))
        services_.messageBox(productNoticeText(), MessageIcon::Information, productNoticeTitle());
}

bool FrmGl::eventFilter(QObject* watched, QEvent* event)
{
    // A key that a control ignores travels on to its parents; only its first
    // receiver, the focused control, counts, so that no key is handled twice.
    const QWidget* focused = QApplication::focusWidget();
    const bool firstReceiver = watched == focused || (watched == this && !isAncestorOf(focused));
    if (event->type() == QEvent::KeyPress && firstReceiver && keyPreview_) {
        const auto* key = static_cast<QKeyEvent*>(event);
        keyDown(Qt::Key(key->key()), key->modifiers());
    }
    return QWidget::eventFilter(watched, event);
}

void FrmGl::closeEvent(QCloseEvent* event)
{
    // Closed by mistake during a quiz: what is on the screen can be taken up again.
    keepJournal();
    event->accept();
    if (!services_.endRequested())
        services_.endProgram();
}
