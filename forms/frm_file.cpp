#include "forms/frm_file.h"

#include "ui/controls.h"
#include "ui/file_lists.h"
#include "runtime/run_error.h"
#include "runtime/services.h"
#include "ui/twips.h"
#include "ui/form_helpers.h"
#include "quiz/question_bank.h"

#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kClientWidth = 6840;
constexpr int kClientHeight = 6585;

constexpr ControlPlace kPlaces[] = {
    {"LblPapki(0)", {120, 90, 3240, 330}},
    {"LblPapki(1)", {3480, 90, 3240, 330}},
    {"DirKatalog", {120, 480, 3240, 5400}},
    {"File1", {3480, 480, 3240, 5400}},
    {"txtFile", {120, 6030, 3240, 420}},
    {"cmdOk", {3480, 6030, 1560, 420}},
    {"CmdExit", {5160, 6030, 1560, 420}},
};

QPushButton* button(QWidget* form, const char* name, const QString& caption, const QString& tip)
{
    auto* b = makeControl<QPushButton>(form, QLatin1String(name));
    b->setText(caption);
    b->setToolTip(tip);
    return b;
}

// A root folder already ends in its separator; a test folder must end in exactly one.
QString withTrailingSeparator(const QString& folder)
{
    return folder.endsWith(QDir::separator()) ? folder : folder + QDir::separator();
}

} // namespace

FrmFile::FrmFile(PupilRecord& pupil, Services& services, QWidget* parent)
    : QDialog(parent), pupil_(pupil), services_(services)
{
    setObjectName(QStringLiteral("frmFile"));
    setWindowTitle(QStringLiteral("Выберите тест. "));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(formFont(12));
    createControls();
    setClientSizeInTwips(*this, kClientWidth, kClientHeight);
    placeControls(*this, kPlaces);
    centreOnScreen(*this);

    // A current folder that cannot be read: the nearest readable one above it.
    for (QDir folder = QDir::current(); !openFolder(folder.absolutePath()) && folder.cdUp();) {
    }
}

void FrmFile::createControls()
{
    const QFont headingFont = formFont(12, true);
    for (int k = 0; k < 2; ++k) {
        LblPapki[k] = makeControl<QLabel>(this, QStringLiteral("LblPapki(%1)").arg(k));
        LblPapki[k]->setFont(headingFont);
        LblPapki[k]->setAlignment(Qt::AlignCenter);
    }
    LblPapki[0]->setText(QStringLiteral("Папки:"));
    LblPapki[1]->setText(QStringLiteral("Файлы:"));

    DirKatalog = makeControl<FolderList>(this, QStringLiteral("DirKatalog"));
    DirKatalog->setToolTip(QStringLiteral("Переходя из папки в папку найдите тему теста по названию."));
    File1 = makeControl<FileList>(this, QStringLiteral("File1"), QStringLiteral("*.tst"));
    File1->setToolTip(QStringLiteral("Здесь появится список тем тестов."));
    txtFile = makeControl<QLineEdit>(this, QStringLiteral("txtFile"));
    txtFile->setToolTip(QStringLiteral("Здесь должно появиться Тема тестирования"));
    cmdOk = button(this, "cmdOk", {},
                   QStringLiteral("При нажатии этой клавиши будет выбран тест, тема которого находится в левом окне"));
    // Enter in the file list or the name box confirms, as in any chooser.
    cmdOk->setDefault(true);
    CmdExit = button(this, "CmdExit", QStringLiteral("Выход"), QStringLiteral("Досрочный выход из программы"));

    QWidget::setTabOrder(DirKatalog, File1);
    QWidget::setTabOrder(File1, txtFile);
    QWidget::setTabOrder(txtFile, cmdOk);
    QWidget::setTabOrder(cmdOk, CmdExit);
    DirKatalog->setFocus();

    connect(DirKatalog, &FolderList::openRequested, this, &FrmFile::openFolder);
    connect(DirKatalog, &FolderList::pathChanged, this, &FrmFile::DirKatalogChange);
    connect(File1, &FileList::picked, this, &FrmFile::File1Click);
    connect(File1, &QListWidget::itemDoubleClicked, this, &FrmFile::File1DblClick);
    connect(cmdOk, &QPushButton::clicked, this, &FrmFile::cmdOkClick);
    connect(CmdExit, &QPushButton::clicked, this, &FrmFile::CmdExitClick);
}

bool FrmFile::openFolder(const QString& folder)
{
    try {
        DirKatalog->setPath(folder);
        return true;
    } catch (const RunError& error) {
        services_.messageBox(QStringLiteral("Не удалось открыть папку. %1").arg(error.description()),
                             MessageIcon::Critical, QStringLiteral("Выбор теста"));
        return false;
    }
}

void FrmFile::DirKatalogChange()
{
    // The folder opened anew keeps its list and the file chosen in it.
    if (DirKatalog->path() != File1->path())
        File1->setPath(DirKatalog->path());
}

void FrmFile::File1Click()
{
    const QString fileName = File1->fileName();
    if (fileName.isEmpty())
        return;
    txtFile->setText(fileName);
    cmdOk->setText(QStringLiteral("Ok"));
}

void FrmFile::File1DblClick()
{
    File1Click();
    cmdOkClick();
}

void FrmFile::cmdOkClick()
{
    const QString fileName = File1->fileName();
    pupil_.testFolder = withTrailingSeparator(File1->path());
    pupil_.testPath = txtFile->text() == fileName ? pupil_.testFolder + fileName : txtFile->text();
    if (fileName.isEmpty()) {
        cmdOk->setText({});
        return;
    }
    ending_ = true;
    emit quizChosen(pupil_.testPath);
    close();
}

void FrmFile::CmdExitClick()
{
    ending_ = true;
    close();
    services_.endProgram();
}

void FrmFile::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void FrmFile::closeEvent(QCloseEvent* event)
{
    QDialog::closeEvent(event);
    if (event->isAccepted() && !ending_)
        emit closedWithoutQuiz();
}
