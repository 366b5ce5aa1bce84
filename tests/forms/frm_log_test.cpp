#include "forms/frm_log.h"

#include "runtime/run_error.h"
#include "ui/twips.h"
#include "quiz/question_bank.h"
#include "tests/support/classroom.h"
#include "tests/support/files.h"
#include "tests/support/form_controls.h"
#include "tests/support/recording_services.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

QStringList entries(const QComboBox& box)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}

struct ClassListRow {
    const char* name;
    QStringList lines;
    QStringList entries;
};

void PrintTo(const ClassListRow& row, std::ostream* os)
{
    *os << row.name;
}

class ClassListTest : public ::testing::TestWithParam<ClassListRow> {};

TEST_P(ClassListTest, FillsTheClassBoxInFileOrderWithNothingChosen)
{
    ClassroomFolder folder;
    writeLines(folder.path(QStringLiteral("Klass.txt")), GetParam().lines);
    PupilRecord pupil;
    RecordingServices services;
    FrmLog form(pupil, services);
    form.load();
    EXPECT_EQ(entries(LogForm(form).CboGruppa), GetParam().entries);
    EXPECT_EQ(LogForm(form).CboGruppa.currentText(), QString());
    EXPECT_EQ(LogForm(form).CboGruppa.currentIndex(), -1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ClassListTest,
    ::testing::Values(
        ClassListRow{"OnePerLine", {"05 5 А", "06 6 Б", "11 11 В"}, {"05 5 А", "06 6 Б", "11 11 В"}},
        ClassListRow{"TwoOnOneLine", {"08 8 А, 08 8 Б"}, {"08 8 А", "08 8 Б"}},
        ClassListRow{"QuotedKeepsItsComma", {"\"09 9 А, физ-мат\"", "10 10 А"}, {"09 9 А, физ-мат", "10 10 А"}},
        ClassListRow{"Empty", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FrmLogTest, MissingClassListNamesTheFileAndTheFolder)
{
    ClassroomFolder folder;
    PupilRecord pupil;
    RecordingServices services;
    FrmLog form(pupil, services);
    try {
        form.load();
        FAIL() << "no failure for a missing Klass.txt";
    } catch (const RunError& error) {
        EXPECT_EQ(error.number(), 53);
        EXPECT_TRUE(error.description().contains(QStringLiteral("Klass.txt"))) << error.what();
        EXPECT_TRUE(error.description().contains(folder.nativePath())) << error.what();
    }
}

TEST(FrmLogTest, LaidOutFromItsTable)
{
    ClassroomFolder folder;
    PupilRecord pupil;
    RecordingServices services;
    FrmLog form(pupil, services);
    EXPECT_EQ(form.objectName(), QStringLiteral("frmLog"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Программа школьника. Регистрация."));
    EXPECT_EQ(form.font().family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(form.font().pointSizeF(), 12.0);
    EXPECT_TRUE(LogForm(form).Label1.font().bold());
    EXPECT_TRUE(LogForm(form).lblGruppa.font().bold());
    EXPECT_EQ(LogForm(form).txtFIO.objectName(), QStringLiteral("txtFIO"));
    EXPECT_EQ(LogForm(form).CboGruppa.objectName(), QStringLiteral("CboGruppa"));
    EXPECT_TRUE(LogForm(form).CboGruppa.isEditable());
    EXPECT_EQ(LogForm(form).CmdOk.text(), QStringLiteral("Ok"));
    EXPECT_EQ(LogForm(form).cmdExit.text(), QStringLiteral("Выход"));
    EXPECT_EQ(twipsOf(LogForm(form).CmdOk), (Twips{2250, 960, 1215, 375}));
    // The buttons sit in the third row, under the class box.
    EXPECT_GT(twipsOf(LogForm(form).CmdOk).top, twipsOf(LogForm(form).CboGruppa).top + twipsOf(LogForm(form).CboGruppa).height - 1);
    EXPECT_EQ(form.width(), twipsToPixels(5715, form.logicalDpiX()));
}

// The form as the pupil meets it: shown, active, the name box focused.
struct ShownForm {
    ShownForm()
    {
        writeLines(folder.path(QStringLiteral("Klass.txt")), {"05 5 А", "06 6 Б"});
        form.load();
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    ClassroomFolder folder;
    PupilRecord pupil;
    RecordingServices services;
    FrmLog form{pupil, services};
};

TEST(FrmLogTest, EnterMovesOnLikeTabAndPressesTheButton)
{
    ShownForm f;
    EXPECT_EQ(QApplication::focusWidget(), &LogForm(f.form).txtFIO);
    typeText(&LogForm(f.form).txtFIO, QStringLiteral("Иванов Иван"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(f.services.tabs, 1);
    EXPECT_TRUE(f.form.isVisible()) << "Enter must not submit the form";
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("CboGruppa"));

    typeText(QApplication::focusWidget(), QStringLiteral("5А"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QApplication::processEvents();
    EXPECT_EQ(f.services.tabs, 2);
    EXPECT_EQ(QApplication::focusWidget(), &LogForm(f.form).CmdOk);
    EXPECT_EQ(LogForm(f.form).CboGruppa.count(), 2) << "the typed class must not join the list";

    QTest::keyClick(&LogForm(f.form).CmdOk, Qt::Key_Return);
    EXPECT_EQ(f.services.tabs, 2);
    EXPECT_EQ(f.form.result(), QDialog::Accepted);
    EXPECT_EQ(f.pupil.pupilName.text(), QStringLiteral("Иванов Иван").leftJustified(30));
    EXPECT_EQ(f.pupil.pupilClass, QStringLiteral("5А"));
}

TEST(FrmLogTest, AClassListSavedInUtf8ReadsAsWritten)
{
    ClassroomFolder folder;
    writeBytes(folder.path(QStringLiteral("Klass.txt")), QStringLiteral("05 5 А\r\n06 6 Б\r\n").toUtf8());
    PupilRecord pupil;
    RecordingServices services;
    FrmLog form(pupil, services);
    form.load();
    EXPECT_EQ(entries(LogForm(form).CboGruppa), (QStringList{"05 5 А", "06 6 Б"}));
}

// Pasted line breaks or a Ctrl+Z would split the register line or end it for the statistics.
TEST(FrmLogTest, ControlCharactersInTheBoxesAreStoredAsBlanks)
{
    ShownForm f;
    LogForm(f.form).txtFIO.setText(QStringLiteral("Иванов\r\nИван\x1A"));
    LogForm(f.form).CboGruppa.setEditText(QStringLiteral("07\t7б\n"));
    LogForm(f.form).CmdOk.click();
    EXPECT_EQ(f.pupil.pupilName.text(), QStringLiteral("Иванов  Иван ").leftJustified(30));
    EXPECT_EQ(f.pupil.pupilClass, QStringLiteral("07 7б "));
}

} // namespace
