#include "forms/frm_gl.h"

#include "forms/frm_file.h"

#include "ui/twips.h"
#include "tests/support/classroom.h"
#include "tests/support/form_controls.h"
#include "tests/support/recording_services.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct LoadedForm {
    explicit LoadedForm(const QString& name = QStringLiteral("Иванов Иван"),
                        const QString& pupilClass = QStringLiteral("11 11 В гимназия"))
    {
        run->pupil.pupilName = name;
        run->pupil.pupilClass = pupilClass;
        run->pupil.subject = QStringLiteral("Математика");
        form = std::make_unique<FrmGl>(*run, services, DeskSetup{journals.path(), QStringLiteral("Для школ района.")});
        form->load();
    }
    void showActive()
    {
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    std::unique_ptr<QuizRun> run = std::make_unique<QuizRun>();
    RecordingServices services;
    QTemporaryDir journals;
    std::unique_ptr<FrmGl> form;
};

struct Visibility {
    const char* name;
    bool shown;
};

constexpr Visibility kAfterLoad[] = {
    {"LblSpec", true},     {"txtSpec", true},       {"lblTema", true},       {"txtTema", true},
    {"LblProcent", true},  {"LblOcenka", true},     {"LblNow(0)", true},     {"TxtVremya", true},
    {"LblVariant", true},  {"TxtVar", true},        {"LblVsego", true},      {"TxtVsego", true},
    {"LblVopros", false},  {"LblKrit", false},      {"Cbo5", false},         {"Cbo4", false},
    {"Cbo3", false},       {"LblBall", false},      {"CboBall", false},      {"LblVid", false},
    {"TxtVid", false},     {"LblOtvetu", false},    {"TxtOtvetov", false},   {"txtVopros", false},
    {"ImgVopros", false},  {"LblZ", false},         {"Otv(0)", false},       {"Otv(1)", false},
    {"Otv(2)", false},     {"Otv(3)", false},       {"Otv(4)", false},       {"Otv(5)", false},
    {"TxtOtvets(0)", false}, {"TxtOtvets(1)", false}, {"TxtOtvets(2)", false}, {"TxtOtvets(3)", false},
    {"TxtOtvets(4)", false}, {"TxtOtvets(5)", false}, {"Img(0)", true},      {"Img(1)", true},
    {"Img(2)", true},      {"Img(3)", true},        {"Img(4)", true},        {"Img(5)", true},
    {"Line1(1)", true},    {"LblNow1", false},      {"cmdOpen", true},       {"cmdBegin", false},
    {"cmdNalevo", false},  {"cmdNapravo", false},   {"cmdExit", false},
};

TEST(FrmGlLoadTest, OnlyTheInformationBlockAndTheSelectionButtonShow)
{
    LoadedForm f;
    f.showActive();
    QSet<QString> named;
    for (const Visibility& control : kAfterLoad) {
        named.insert(QLatin1String(control.name));
        const auto* widget = f.form->findChild<QWidget*>(QLatin1String(control.name));
        ASSERT_NE(widget, nullptr) << control.name;
        EXPECT_EQ(widget->isVisible(), control.shown) << control.name;
    }
    for (const QWidget* child : f.form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(named.contains(child->objectName())) << "not checked: " << child->objectName().toStdString();
    EXPECT_FALSE(MainForm(*f.form).Tmr.isActive());
    EXPECT_EQ(QApplication::focusWidget(), &MainForm(*f.form).cmdOpen);
}

TEST(FrmGlLoadTest, TextsAndValuesBeforeAnyTest)
{
    LoadedForm f;
    FrmGl& form = *f.form;
    const MainForm c(form);
    EXPECT_EQ(c.TxtVremya.text(), QStringLiteral("30"));
    EXPECT_EQ(c.TxtVar.text(), QStringLiteral("1"));
    EXPECT_EQ(c.TxtVsego.text(), QStringLiteral("1"));
    EXPECT_EQ(c.TxtVid.text(), QStringLiteral("1"));
    EXPECT_EQ(c.TxtOtvetov.text(), QStringLiteral("1"));
    EXPECT_EQ(c.LblVariant.text(), QStringLiteral("Вариант:"));
    EXPECT_EQ(c.LblVsego.text(), QStringLiteral("Заданий:"));
    EXPECT_EQ(c.LblProcent.text(), QString());
    EXPECT_EQ(c.txtSpec.text(), QStringLiteral("Математика").leftJustified(75));
    for (QPlainTextEdit* box : c.TxtOtvets) {
        EXPECT_TRUE(box->isReadOnly());
        EXPECT_TRUE(box->toPlainText().isEmpty());
    }
    const PupilRecord& pupil = f.run->pupil;
    EXPECT_EQ(pupil.pupilClass10.text(), QStringLiteral("11 11 В ги"));
    EXPECT_EQ(pupil.variantNo.text(), QStringLiteral("1"));
    EXPECT_EQ(pupil.topic.text(), QString(75, QLatin1Char(' ')));
    EXPECT_EQ(f.run->header.askCount, 1);
    EXPECT_EQ(f.run->attempt.currentQuestion, 1);
    EXPECT_EQ(form.windowTitle().left(32), QStringLiteral("Программа ученика. Тестирование."));
}

TEST(FrmGlLoadTest, ClearsTheKeyFlagsButNotTheScratchSlot)
{
    LoadedForm f;
    Attempt& state = f.run->attempt;
    state.correctFlags(1, 1) = 1;
    state.correctFlags(6, 350) = 1;
    state.correctFlags(6, 351) = 1;
    f.run->header.timePerQuestion = 0;
    f.form->load();
    EXPECT_EQ(state.correctFlags(1, 1), 0);
    EXPECT_EQ(state.correctFlags(6, 350), 0);
    EXPECT_EQ(state.correctFlags(6, 351), 1);
    EXPECT_EQ(f.run->header.timePerQuestion, 30);
}

TEST(FrmGlLoadTest, FontsPlacesAndTabOrder)
{
    LoadedForm f;
    FrmGl& form = *f.form;
    const MainForm c(form);
    EXPECT_EQ(form.objectName(), QStringLiteral("frmGl"));
    EXPECT_EQ(c.LblSpec.font().family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(c.LblSpec.font().pointSizeF(), 11.25);
    EXPECT_TRUE(c.LblSpec.font().bold());
    EXPECT_EQ(c.cmdOpen.font().pointSizeF(), 9.75);
    EXPECT_EQ(c.txtVopros.font().pointSizeF(), 14.25);
    EXPECT_EQ(c.TxtOtvets[3]->font().pointSizeF(), 12.0);
    EXPECT_TRUE(c.TxtOtvets[3]->font().bold());
    EXPECT_EQ(twipsOf(c.cmdOpen), (Twips{2600, 7740, 1600, 420}));
    EXPECT_EQ(twipsOf(c.txtSpec), (Twips{1150, 90, 4200, 375}));
    EXPECT_EQ(twipsOf(*c.Otv[5]), (Twips{5760, 6480, 240, 1080}));
    EXPECT_EQ(form.width(), twipsToPixels(11400, form.logicalDpiX()));

    f.showActive();
    c.cmdBegin.show();
    QTest::keyClick(&c.cmdOpen, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &c.cmdBegin);
}

// Esc leaves the selection open; its close box leaves a way back to it.
TEST(FrmGlTest, TheSelectionClosedWithoutAQuizIsOfferedAgain)
{
    ClassroomFolder folder;
    LoadedForm f;
    f.showActive();
    const MainForm c(*f.form);
    QTest::mouseClick(&c.cmdOpen, Qt::LeftButton);
    auto* frmFile = f.form->findChild<FrmFile*>();
    ASSERT_TRUE(frmFile && QTest::qWaitForWindowActive(frmFile));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    ASSERT_TRUE(frmFile->isVisible() && c.cmdOpen.isHidden());
    frmFile->close();
    EXPECT_TRUE(!c.cmdOpen.isHidden() && c.cmdOpen.isEnabled());
    EXPECT_EQ(f.services.endCalls, 0);
}

TEST(FrmGlTest, ClosingTheFormEndsTheProgramOnce)
{
    LoadedForm f;
    f.showActive();
    f.form->close();
    EXPECT_EQ(f.services.endCalls, 1);
    EXPECT_FALSE(f.form->isVisible());
}

} // namespace
