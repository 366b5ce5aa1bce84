#pragma once

#include "quiz/quiz_journal.h"
#include "quiz/quiz_run.h"

#include "ui/picture.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QCloseEvent;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class Services;

// What the main form needs of the computer and school it runs at.
struct DeskSetup {
    QString journalFolder;      // where the running quiz is kept on this computer
    QString deploymentSentence; // the title's second sentence, naming the schools
};

// The main form: shows the running quiz and passes the pupil's clicks, ticks,
// typing and keys to it.
class FrmGl : public QWidget {
    Q_OBJECT
public:
    FrmGl(QuizRun& run, Services& services, const DeskSetup& desk);

    // The load step, run by the start-up before the form is shown. A pupil name
    // beginning with "*" ends the program here, and the form must not be shown.
    void load();
    // Shows what the running quiz says: the header, the question and what its stage offers.
    void showRun();
    // While on, the form's key handler sees every key typed on the form before the
    // focused control does: from "Начать" until the finishing begins.
    bool keyPreview() const { return keyPreview_; }
    // Waits until the pictures of the questions a move can reach are decoded, as
    // they are once the pupil has read a moment.
    void waitForPicturesAhead() { pictures_.waitForPrefetch(); }

protected:
    // Closing the main form ends the program; nothing is evaluated or written.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void showHeader();
    void showQuestion();
    void applyMode(QuizStage stage);
    PupilAnswers answersOnScreen() const;
    // Keeps the running quiz on this computer, with what is on the screen.
    void keepJournal();
    // Offers to take up an interrupted quiz; true when it was taken up.
    bool takeUpInterrupted(const QString& quizPath);

    void cmdOpenClick();
    void cmdBeginClick();
    void cmdNapravoClick();
    void cmdNalevoClick();
    void cmdExitClick();
    void TmrTimer();
    void keyDown(Qt::Key key, Qt::KeyboardModifiers modifiers);

    QuizRun& run_;
    Services& services_;
    bool keyPreview_ = false;
    PictureCache pictures_;
    QuizJournal journal_;
    // Typing is kept a second after it pauses, not at every key.
    QTimer* typingPause_;

    // Information block.
    QLabel* LblSpec;
    QLineEdit* txtSpec;
    QLabel* lblTema;
    QLineEdit* txtTema;
    QLabel* LblProcent;
    QLabel* LblOcenka;
    std::array<QLabel*, 1> LblNow;
    QLineEdit* TxtVremya;
    QLabel* LblVariant;
    QLineEdit* TxtVar;
    QLabel* LblVsego;
    QLineEdit* TxtVsego;
    // Third row: the question number and the holders that are never shown.
    QLabel* LblVopros;
    QLabel* LblKrit;
    QComboBox* Cbo5;
    QComboBox* Cbo4;
    QComboBox* Cbo3;
    QLabel* LblBall;
    QComboBox* CboBall;
    QLabel* LblVid;
    QLineEdit* TxtVid;
    QLabel* LblOtvetu;
    QLineEdit* TxtOtvetov;
    // Question area.
    QPlainTextEdit* txtVopros;
    QLabel* ImgVopros;
    QLabel* LblZ;
    // Answer places: 0, 2, 4 the left column, 1, 3, 5 the right.
    std::array<QCheckBox*, kMaxOptions> Otv;
    std::array<QPlainTextEdit*, kMaxOptions> TxtOtvets;
    std::array<QLabel*, kMaxOptions> Img;
    // Bottom row. Line1 is a control array whose only element is 1.
    QFrame* Line1;
    QLabel* LblNow1;
    QPushButton* cmdOpen;
    QPushButton* cmdBegin;
    QPushButton* cmdNalevo;
    QPushButton* cmdNapravo;
    QPushButton* cmdExit;
    QTimer* Tmr;
};
