#pragma once

#include <array>

class PictureCache;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QWidget;

// The main form's property that lets its key handler see keys before the
// focused control: on at the test start, off when the finishing begins.
inline constexpr char kKeyPreviewProperty[] = "keyPreview";

// The controls of the main form that the test start, the display, the moves, the
// time limit and the finishing work on. The main form hands them out, so nothing
// below the forms needs to know the form itself.
struct MainControls {
    QWidget& form;
    // Information block.
    QLineEdit& txtSpec;
    QLineEdit& txtTema;
    QLabel& LblProcent;
    QLabel& LblOcenka;
    QLineEdit& TxtVremya;
    QLineEdit& TxtVar;
    QLineEdit& TxtVsego;
    // Third row: the question number and the hidden holders.
    QLabel& LblVopros;
    QComboBox& Cbo5;
    QComboBox& Cbo4;
    QComboBox& Cbo3;
    QComboBox& CboBall;
    QLineEdit& TxtVid;
    QLineEdit& TxtOtvetov;
    // Question area and the six answer places.
    QPlainTextEdit& txtVopros;
    QLabel& ImgVopros;
    QLabel& LblZ;
    std::array<QCheckBox*, 6> Otv;
    std::array<QPlainTextEdit*, 6> TxtOtvets;
    std::array<QLabel*, 6> Img;
    // Bottom row and the timer.
    QLabel& LblNow1;
    QPushButton& cmdOpen;
    QPushButton& cmdBegin;
    QPushButton& cmdNalevo;
    QPushButton& cmdNapravo;
    QPushButton& cmdExit;
    QTimer& Tmr;
    // The form's pictures decoded ahead for the next moves.
    PictureCache& pictures;
};
