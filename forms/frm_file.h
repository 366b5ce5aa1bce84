#pragma once

#include <QDialog>
#include <QString>

#include <array>

class FileList;
class FolderList;
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
};
