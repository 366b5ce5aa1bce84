#pragma once

#include <QDialog>

class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class Services;
struct PupilRecord;

// The registration form: the pupil's name and class. The start-up shows a fresh
// one modally until the registration holds.
class FrmLog : public QDialog {
    Q_OBJECT
public:
    FrmLog(PupilRecord& pupil, Services& services, QWidget* parent = nullptr);

    // Fills the class list from Klass.txt in the current folder. A missing or
    // unreadable file is thrown as RunError naming the file and the folder.
    void load();

protected:
    // Key preview: sees the keys of every control first.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Esc does nothing: it would throw away the name and class typed so far.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* txtFIO;
    QLabel* Label1;
    QComboBox* CboGruppa;
    QPushButton* CmdOk;
    QLabel* lblGruppa;
    QPushButton* cmdExit;

    void createControls();
    void CmdOkClick();
    void cmdExitClick();

    PupilRecord& pupil_;
    Services& services_;
};
