#pragma once

#include <QDialog>
#include <QString>

#include <array>

class FileList;
class FolderList;
class QCloseEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class Services;
struct PupilRecord;

// The quiz selection: folders and "*.tst" files. Shown without waiting over the
// main form; confirming a file stores its folder and path in the pupil record.
class FrmFile : public QDialog {
    Q_OBJECT
public:
    FrmFile(PupilRecord& pupil, Services& services, QWidget* parent = nullptr);

signals:
    // A quiz file was confirmed; the form closes.
    void quizChosen(const QString& testPath);
    // The pupil closed the form by its close box without choosing a quiz.
    void closedWithoutQuiz();

protected:
    // Esc does nothing: the pupil would be left without a way to a quiz.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::array<QLabel*, 2> LblPapki;
    FolderList* DirKatalog;
    FileList* File1;
    QLineEdit* txtFile;
    QPushButton* cmdOk;
    QPushButton* CmdExit;

    void createControls();
    // Shows a refusal and keeps the folder list as it was; false then.
    bool openFolder(const QString& folder);
    void DirKatalogChange();
    void File1Click();
    void File1DblClick();
    void cmdOkClick();
    void CmdExitClick();

    PupilRecord& pupil_;
    Services& services_;
    // Set by a confirmed quiz and by «Выход»: the closing that follows is theirs.
    bool ending_ = false;
};
