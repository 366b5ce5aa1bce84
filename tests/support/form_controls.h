#pragma once

#include "ui/file_lists.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

// The control of a form under its object name; a missing one fails the test.
template <typename W>
W& control(const QObject& form, const QString& name)
{
    W* found = form.findChild<W*>(name);
    if (!found) {
        ADD_FAILURE() << "No control " << name.toStdString() << " on " << form.objectName().toStdString();
        throw std::runtime_error("missing control");
    }
    return *found;
}

template <typename W, std::size_t N>
std::array<W*, N> controlArray(const QObject& form, const char* array)
{
    std::array<W*, N> controls{};
    for (std::size_t k = 0; k < N; ++k)
        controls[k] = &control<W>(form, QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(k));
    return controls;
}

// The controls of the main form that the tests read and work.
struct MainForm {
    explicit MainForm(const QWidget& f)
        : LblSpec(control<QLabel>(f, "LblSpec")), txtSpec(control<QLineEdit>(f, "txtSpec")), txtTema(control<QLineEdit>(f, "txtTema")),
          LblProcent(control<QLabel>(f, "LblProcent")), LblOcenka(control<QLabel>(f, "LblOcenka")),
          TxtVremya(control<QLineEdit>(f, "TxtVremya")), TxtVar(control<QLineEdit>(f, "TxtVar")),
          TxtVsego(control<QLineEdit>(f, "TxtVsego")), LblVariant(control<QLabel>(f, "LblVariant")),
          LblVsego(control<QLabel>(f, "LblVsego")), LblVopros(control<QLabel>(f, "LblVopros")),
          Cbo5(control<QComboBox>(f, "Cbo5")), Cbo3(control<QComboBox>(f, "Cbo3")),
          CboBall(control<QComboBox>(f, "CboBall")), TxtVid(control<QLineEdit>(f, "TxtVid")),
          TxtOtvetov(control<QLineEdit>(f, "TxtOtvetov")), txtVopros(control<QPlainTextEdit>(f, "txtVopros")),
          ImgVopros(control<QLabel>(f, "ImgVopros")), LblZ(control<QLabel>(f, "LblZ")),
          Otv(controlArray<QCheckBox, 6>(f, "Otv")), TxtOtvets(controlArray<QPlainTextEdit, 6>(f, "TxtOtvets")),
          Img(controlArray<QLabel, 6>(f, "Img")), LblNow1(control<QLabel>(f, "LblNow1")),
          cmdOpen(control<QPushButton>(f, "cmdOpen")), cmdBegin(control<QPushButton>(f, "cmdBegin")),
          cmdNalevo(control<QPushButton>(f, "cmdNalevo")), cmdNapravo(control<QPushButton>(f, "cmdNapravo")),
          cmdExit(control<QPushButton>(f, "cmdExit")), Tmr(control<QTimer>(f, "Tmr"))
    {
    }
    QLabel& LblSpec;
    QLineEdit& txtSpec;
    QLineEdit& txtTema;
    QLabel& LblProcent;
    QLabel& LblOcenka;
    QLineEdit& TxtVremya;
    QLineEdit& TxtVar;
    QLineEdit& TxtVsego;
    QLabel& LblVariant;
    QLabel& LblVsego;
    QLabel& LblVopros;
    QComboBox& Cbo5;
    QComboBox& Cbo3;
    QComboBox& CboBall;
    QLineEdit& TxtVid;
    QLineEdit& TxtOtvetov;
    QPlainTextEdit& txtVopros;
    QLabel& ImgVopros;
    QLabel& LblZ;
    std::array<QCheckBox*, 6> Otv;
    std::array<QPlainTextEdit*, 6> TxtOtvets;
    std::array<QLabel*, 6> Img;
    QLabel& LblNow1;
    QPushButton& cmdOpen;
    QPushButton& cmdBegin;
    QPushButton& cmdNalevo;
    QPushButton& cmdNapravo;
    QPushButton& cmdExit;
    QTimer& Tmr;
};

// The registration form's controls.
struct LogForm {
    explicit LogForm(const QWidget& f)
        : txtFIO(control<QLineEdit>(f, "txtFIO")), Label1(control<QLabel>(f, "Label1")),
          CboGruppa(control<QComboBox>(f, "CboGruppa")), CmdOk(control<QPushButton>(f, "CmdOk")),
          lblGruppa(control<QLabel>(f, "lblGruppa")), cmdExit(control<QPushButton>(f, "cmdExit"))
    {
    }
    QLineEdit& txtFIO;
    QLabel& Label1;
    QComboBox& CboGruppa;
    QPushButton& CmdOk;
    QLabel& lblGruppa;
    QPushButton& cmdExit;
};

// The quiz selection's controls.
struct FileForm {
    explicit FileForm(const QWidget& f)
        : LblPapki(controlArray<QLabel, 2>(f, "LblPapki")), DirKatalog(control<FolderList>(f, "DirKatalog")),
          File1(control<FileList>(f, "File1")), txtFile(control<QLineEdit>(f, "txtFile")),
          cmdOk(control<QPushButton>(f, "cmdOk")), CmdExit(control<QPushButton>(f, "CmdExit"))
    {
    }
    std::array<QLabel*, 2> LblPapki;
    FolderList& DirKatalog;
    FileList& File1;
    QLineEdit& txtFile;
    QPushButton& cmdOk;
    QPushButton& CmdExit;
};
