#include "forms/frm_file.h"

#include "ui/file_lists.h"
#include "ui/twips.h"
#include "quiz/question_bank.h"
#include "tests/support/classroom.h"
#include "tests/support/files.h"
#include "tests/support/form_controls.h"
#include "tests/support/recording_services.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

QStringList entries(const QListWidget& list)
{
    QStringList items;
    for (int row = 0; row < list.count(); ++row)
        items << list.item(row)->text().trimmed();
    return items;
}

QString rootFolder()
{
    QDir dir = QDir::current();
    while (dir.cdUp()) {
    }
    return QDir::toNativeSeparators(dir.absolutePath());
}

// A classroom folder with tests, made current, and the selection form opened in it.
struct Selection {
    Selection()
    {
        folder.makeFolder(QStringLiteral("Тесты/Пусто"));
        for (const char* name : {"Тесты/Дроби.tst", "Тесты/ГЕОМЕТРИЯ.TST", "Тесты/заметки.txt"})
            writeLines(folder.path(QString::fromUtf8(name)), {"x"});
        QDir::setCurrent(folder.path(QStringLiteral("Тесты")));
        cmdBegin.hide();
        form = std::make_unique<FrmFile>(pupil, services);
        QObject::connect(form.get(), &FrmFile::quizChosen, [this](const QString& path) {
            chosenPath = path;
            cmdBegin.show();
        });
        QObject::connect(form.get(), &FrmFile::closedWithoutQuiz, [this] { ++closedWithoutQuiz; });
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void typeFileName(const QString& text)
    {
        FileForm(*form).txtFile.clear();
        typeText(&FileForm(*form).txtFile, text);
    }

    ClassroomFolder folder;
    PupilRecord pupil;
    RecordingServices services;
    QPushButton cmdBegin;
    QString chosenPath;
    int closedWithoutQuiz = 0;
    std::unique_ptr<FrmFile> form;
};

TEST(FrmFileTest, OpensAtTheCurrentFolderWithItsTestFiles)
{
    Selection s;
    FrmFile& form = *s.form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Выберите тест. "));
    EXPECT_EQ(FileForm(form).LblPapki[0]->objectName(), QStringLiteral("LblPapki(0)"));
    EXPECT_EQ(FileForm(form).LblPapki[1]->text(), QStringLiteral("Файлы:"));
    EXPECT_TRUE(FileForm(form).LblPapki[1]->font().bold());
    EXPECT_EQ(FileForm(form).LblPapki[1]->font().pointSizeF(), 12.0);
    EXPECT_EQ(form.width(), twipsToPixels(6840, form.logicalDpiX()));
    EXPECT_EQ(QApplication::focusWidget(), &FileForm(form).DirKatalog);
    EXPECT_FALSE(form.isModal());

    EXPECT_EQ(FileForm(form).DirKatalog.path(), s.folder.nativePath(QStringLiteral("Тесты")));
    const QStringList folders = entries(FileForm(form).DirKatalog);
    ASSERT_GE(folders.size(), 3);
    EXPECT_EQ(folders.front(), rootFolder());
    EXPECT_EQ(folders.mid(folders.size() - 2), (QStringList{"Тесты", "Пусто"}));
    EXPECT_EQ(FileForm(form).DirKatalog.currentItem()->text().trimmed(), QStringLiteral("Тесты"));

    EXPECT_EQ(FileForm(form).File1.path(), FileForm(form).DirKatalog.path());
    EXPECT_EQ(entries(FileForm(form).File1), (QStringList{"ГЕОМЕТРИЯ.TST", "Дроби.tst"}));
    EXPECT_EQ(FileForm(form).File1.fileName(), QString());
    EXPECT_EQ(FileForm(form).txtFile.text(), QString());
    EXPECT_EQ(FileForm(form).cmdOk.text(), QString());
}

struct ConfirmRow {
    const char* name;
    std::function<void(Selection&)> act;
    QString folder;   // under the classroom folder; "" for the root of the drive
    QString testPath; // "@" stands for the test folder
    bool chosen;      // the start button shown and the form closed
};

void PrintTo(const ConfirmRow& row, std::ostream* os)
{
    *os << row.name;
}

class ConfirmTest : public ::testing::TestWithParam<ConfirmRow> {};

TEST_P(ConfirmTest, StoresTheTestAndOffersTheStart)
{
    const ConfirmRow& row = GetParam();
    Selection s;
    row.act(s);

    const QString testFolder = (row.folder.isEmpty() ? rootFolder() : s.folder.nativePath(row.folder));
    const QString expectedFolder = testFolder.endsWith(QDir::separator()) ? testFolder : testFolder + QDir::separator();
    EXPECT_EQ(s.pupil.testFolder, expectedFolder);
    EXPECT_FALSE(s.pupil.testFolder.endsWith(QString(2, QDir::separator())));
    QString expectedPath = row.testPath;
    expectedPath.replace(QLatin1Char('@'), expectedFolder);
    EXPECT_EQ(s.pupil.testPath, expectedPath);
    EXPECT_EQ(!s.cmdBegin.isHidden(), row.chosen);
    EXPECT_EQ(s.chosenPath, row.chosen ? expectedPath : QString());
    EXPECT_EQ(s.form->isVisible(), !row.chosen);
    if (!row.chosen) {
        EXPECT_EQ(FileForm(*s.form).cmdOk.text(), QString()) << "a failed confirmation clears the caption";
    }
    EXPECT_EQ(s.services.endCalls, 0);
    EXPECT_EQ(s.closedWithoutQuiz, 0);
}

void clickOk(Selection& s)
{
    QTest::mouseClick(&FileForm(*s.form).cmdOk, Qt::LeftButton);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ConfirmTest,
    ::testing::Values(
        ConfirmRow{"ClickedFile",
                   [](Selection& s) {
                       clickItem(FileForm(*s.form).File1, QStringLiteral("Дроби.tst"));
                       EXPECT_EQ(FileForm(*s.form).txtFile.text(), QStringLiteral("Дроби.tst"));
                       EXPECT_EQ(FileForm(*s.form).cmdOk.text(), QStringLiteral("Ok"));
                       clickOk(s);
                   },
                   "Тесты", "@Дроби.tst", true},
        ConfirmRow{"UpperCaseExtension",
                   [](Selection& s) {
                       clickItem(FileForm(*s.form).File1, QStringLiteral("ГЕОМЕТРИЯ.TST"));
                       clickOk(s);
                   },
                   "Тесты", "@ГЕОМЕТРИЯ.TST", true},
        ConfirmRow{"KeyboardSelectionAndEnter",
                   [](Selection& s) {
                       FileForm(*s.form).File1.setFocus();
                       QTest::keyClick(&FileForm(*s.form).File1, Qt::Key_End);
                       EXPECT_EQ(FileForm(*s.form).txtFile.text(), QStringLiteral("Дроби.tst"));
                       QTest::keyClick(&FileForm(*s.form).File1, Qt::Key_Return);
                   },
                   "Тесты", "@Дроби.tst", true},
        ConfirmRow{"TypedPathTakenUnchanged",
                   [](Selection& s) {
                       clickItem(FileForm(*s.form).File1, QStringLiteral("Дроби.tst"));
                       s.typeFileName(QStringLiteral("/школа/Алгебра.tst"));
                       clickOk(s);
                   },
                   "Тесты", "/школа/Алгебра.tst", true},
        ConfirmRow{"DoubleClickConfirmsAtOnce",
                   [](Selection& s) { doubleClickItem(FileForm(*s.form).File1, QStringLiteral("Дроби.tst")); }, "Тесты",
                   "@Дроби.tst", true},
        ConfirmRow{"NothingSelected", clickOk, "Тесты", "@", false},
        ConfirmRow{"MovedToAnotherFolder",
                   [](Selection& s) {
                       clickItem(FileForm(*s.form).File1, QStringLiteral("Дроби.tst"));
                       doubleClickItem(FileForm(*s.form).DirKatalog, QStringLiteral("Пусто"));
                       EXPECT_EQ(FileForm(*s.form).File1.count(), 0);
                       EXPECT_EQ(FileForm(*s.form).txtFile.text(), QStringLiteral("Дроби.tst"));
                       EXPECT_EQ(FileForm(*s.form).cmdOk.text(), QStringLiteral("Ok"));
                       clickOk(s);
                   },
                   "Тесты/Пусто", "Дроби.tst", false},
        // The choice survives what chooses no other file.
        ConfirmRow{"FolderOpenedAnew",
                   [](Selection& s) {
                       clickItem(FileForm(*s.form).File1, QStringLiteral("Дроби.tst"));
                       doubleClickItem(FileForm(*s.form).DirKatalog, QStringLiteral("Тесты"));
                       QTest::keyClick(&FileForm(*s.form).DirKatalog, Qt::Key_Return);
                       clickOk(s);
                   },
                   "Тесты", "@Дроби.tst", true},
        ConfirmRow{"CtrlClickAndClickBesideTheNames",
                   [](Selection& s) {
                       FileList& list = FileForm(*s.form).File1;
                       clickItem(list, QStringLiteral("Дроби.tst"));
                       const QPoint chosen = list.visualItemRect(list.selectedItems().front()).center();
                       QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, chosen);
                       QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.viewport()->rect().bottomLeft() + QPoint(5, -5));
                       EXPECT_EQ(FileForm(*s.form).txtFile.text(), QStringLiteral("Дроби.tst"));
                       clickOk(s);
                   },
                   "Тесты", "@Дроби.tst", true},
        ConfirmRow{"RootFolderHasOneSeparator",
                   [](Selection& s) {
                       doubleClickItem(FileForm(*s.form).DirKatalog, rootFolder());
                       EXPECT_EQ(FileForm(*s.form).File1.path(), rootFolder());
                       s.typeFileName(QStringLiteral("Алгебра.tst"));
                       clickOk(s);
                   },
                   "", "Алгебра.tst", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FrmFileTest, ExitEndsTheProgramAndStoresNothing)
{
    Selection s;
    clickItem(FileForm(*s.form).File1, QStringLiteral("Дроби.tst"));
    QTest::mouseClick(&FileForm(*s.form).CmdExit, Qt::LeftButton);
    EXPECT_EQ(s.services.endCalls, 1);
    EXPECT_FALSE(s.form->isVisible());
    EXPECT_TRUE(s.cmdBegin.isHidden());
    EXPECT_EQ(s.pupil.testPath, QString());
    EXPECT_EQ(s.pupil.testFolder, QString());
    EXPECT_EQ(s.closedWithoutQuiz, 0);
}

struct RefusedRow {
    const char* name;
    // Makes the folder unreadable; false when this system cannot.
    std::function<bool(const QString& path)> spoil;
    const char* reason;
};

void PrintTo(const RefusedRow& row, std::ostream* os)
{
    *os << row.name;
}

class RefusedFolderTest : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(RefusedFolderTest, ReportedAndTheFormStaysWhereItWas)
{
    Selection s;
    const QString spoilt = s.folder.path(QStringLiteral("Тесты/Пусто"));
    if (!GetParam().spoil(spoilt)) {
        QFile::setPermissions(spoilt, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "cannot make a folder unreadable here: " << GetParam().reason;
    }
    doubleClickItem(FileForm(*s.form).DirKatalog, QStringLiteral("Пусто"));
    QFile::setPermissions(spoilt, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const MessageRecord message = s.services.takeMessage();
    EXPECT_TRUE(message.text.contains(QDir::toNativeSeparators(spoilt))) << message.text.toStdString();
    EXPECT_TRUE(message.text.startsWith(QStringLiteral("Не удалось открыть папку."))) << message.text.toStdString();
    EXPECT_EQ(s.services.endCalls, 0);
    EXPECT_TRUE(s.form->isVisible());
    EXPECT_EQ(FileForm(*s.form).DirKatalog.path(), s.folder.nativePath(QStringLiteral("Тесты")));
    EXPECT_EQ(FileForm(*s.form).File1.path(), s.folder.nativePath(QStringLiteral("Тесты")));
    EXPECT_EQ(FileForm(*s.form).File1.count(), 2);

    doubleClickItem(FileForm(*s.form).File1, QStringLiteral("Дроби.tst"));
    EXPECT_FALSE(s.cmdBegin.isHidden()) << "the form must stay usable";
}

INSTANTIATE_TEST_SUITE_P(
    Folders, RefusedFolderTest,
    ::testing::Values(
        RefusedRow{"NoReadPermission",
                   [](const QString& path) {
                       QFile::setPermissions(path, {});
                       return !QFileInfo(path).isReadable();
                   },
                   "permissions do not bind here (running as root?)"},
        RefusedRow{"RemovedMeanwhile", [](const QString& path) { return QDir(path).removeRecursively(); },
                   "the folder could not be removed"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
