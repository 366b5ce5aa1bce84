#pragma once

#include "quiz/main_controls.h"
#include "quiz/session.h"
#include "quiz/attempt.h"

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

// The main testing form.
class FrmGl : public QWidget {
    Q_OBJECT
public:
    FrmGl(Session& session, Services& services);

    MainControls controls();
    Attempt& state() { return state_; }

    // The load step, run by the start-up before the form is shown. A pupil name
    // beginning with "*" ends the program here, and the form must not be shown.
    void load();
    // Opens the test selection; the test start runs it again after a failed start.
    void cmdOpenClick();
    // "Начать": the test start.
    void cmdBeginClick();
    // "Проверить и выйти", and the time-out: checks, writes the results and ends.
    void cmdExitClick();
    // One second of the countdown.
    void TmrTimer();

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
    std::array<QCheckBox*, 6> Otv;
    std::array<QPlainTextEdit*, 6> TxtOtvets;
    std::array<QLabel*, 6> Img;
    // Bottom row. Line1 is a control array whose only element is 1.
    QFrame* Line1;
    QLabel* LblNow1;
    QPushButton* cmdOpen;
    QPushButton* cmdBegin;
    QPushButton* cmdNalevo;
    QPushButton* cmdNapravo;
    QPushButton* cmdExit;
    QTimer* Tmr;

protected:
    // Closing the main form ends the program; nothing is evaluated or written.
    void closeEvent(QCloseEvent* event) override;
    // The key preview: while it is on, the form's key handler sees every key
    // typed on the form before the focused control does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();

    Session& session_;
    Services& services_;
    Attempt state_;
    PictureCache pictures_;
};
