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

// The test selection: folders and "*.tst" files. Shown without waiting over the
// main form; confirming a file stores it and offers the main form's start button.
class FrmFile : public QDialog {
    Q_OBJECT
public:
    FrmFile(PupilRecord& pupil, QPushButton& cmdBegin, Services& services, QWidget* parent = nullptr);

    std::array<QLabel*, 2> LblPapki;
    FolderList* DirKatalog;
    FileList* File1;
    QLineEdit* txtFile;
    QPushButton* cmdOk;
    QPushButton* CmdExit;

private:
    void createControls();
    // Shows a refusal and keeps the folder list as it was; false then.
    bool openFolder(const QString& folder);
    void DirKatalogChange();
    void File1Click();
    void File1DblClick();
    void cmdOkClick();
    void CmdExitClick();

    PupilRecord& pupil_;
    QPushButton& cmdBegin_;
    Services& services_;
};
