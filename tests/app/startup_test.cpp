#include "app/startup.h"

#include "forms/frm_file.h"
#include "forms/frm_log.h"
#include "ui/file_lists.h"
#include "quiz/quiz_run.h"
#include "tests/support/classroom.h"
#include "tests/support/files.h"
#include "tests/support/pupil_driver.h"
#include "tests/support/form_controls.h"
#include "tests/support/recording_services.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const QStringList kClasses = {"05 5 А", "06 6 Б", "07 7 В"};

void fillIn(FrmLog& form, const QString& name, const QString& pupilClass)
{
    // Every showing is a fresh form.
    EXPECT_EQ(LogForm(form).txtFIO.text(), QString());
    EXPECT_EQ(LogForm(form).CboGruppa.currentText(), QString());
    EXPECT_EQ(LogForm(form).CboGruppa.count(), kClasses.size());
    typeText(&LogForm(form).txtFIO, name);
    typeText(LogForm(form).CboGruppa.lineEdit(), pupilClass);
}

Showing registers(const QString& name, const QString& pupilClass)
{
    return [=](FrmLog& form) {
        fillIn(form, name, pupilClass);
        QTest::mouseClick(&LogForm(form).CmdOk, Qt::LeftButton);
    };
}

Showing closesTheWindow()
{
    return [](FrmLog& form) {
        fillIn(form, QStringLiteral("Петров Пётр"), QStringLiteral("05 5 А"));
        form.close();
    };
}

// Esc keeps the form and what was typed; OK then registers it.
Showing pressesEscapeThenOk()
{
    return [](FrmLog& form) {
        fillIn(form, QStringLiteral("Петров Пётр"), QStringLiteral("05 5 А"));
        QTest::keyClick(&LogForm(form).txtFIO, Qt::Key_Escape);
        EXPECT_TRUE(form.isVisible());
        QTest::mouseClick(&LogForm(form).CmdOk, Qt::LeftButton);
    };
}

Showing exits()
{
    return [](FrmLog& form) {
        fillIn(form, QStringLiteral("Петров Пётр"), QStringLiteral("05 5 А"));
        QTest::mouseClick(&LogForm(form).cmdExit, Qt::LeftButton);
    };
}

const QString kHint = QStringLiteral("Начните работу с нажатием командной кнопки 'Выбор теста' (внизу)");

bool mainFormVisible()
{
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QStringLiteral("frmGl") && window->isVisible())
            return true;
    return false;
}

// A classroom folder with its class list, and the services with the greeting expected.
struct Start {
    Start()
    {
        writeLines(folder.path(QStringLiteral("Klass.txt")), kClasses);
        services.onMessage = [this](const MessageRecord& message) {
            if (message.text == kHint)
                hintOverMainForm = mainFormVisible();
        };
    }
    std::unique_ptr<FrmGl> run() { return runStartup(*quiz, services, {journals.path(), QStringLiteral("Для школ района.")}); }
    void takeGreeting()
    {
        EXPECT_EQ(services.takeMessage(), (MessageRecord{QStringLiteral("Вы запустили программу школьника. "), MessageIcon::Information,
                                                         QStringLiteral("Программа школьника.")}));
    }
    void takeHint()
    {
        EXPECT_EQ(services.takeMessage(), (MessageRecord{kHint, MessageIcon::Information, QStringLiteral("Как начать работу?")}));
        EXPECT_TRUE(hintOverMainForm);
    }

    ClassroomFolder folder;
    std::unique_ptr<QuizRun> quiz = std::make_unique<QuizRun>();
    RecordingServices services;
    QTemporaryDir journals;
    bool hintOverMainForm = false;
};

struct RegistrationRow {
    const char* name;
    std::vector<Showing> showings;
    bool registered;
    QString pupilName;
    QString pupilClass;
};

void PrintTo(const RegistrationRow& row, std::ostream* os)
{
    *os << row.name;
}

class RegistrationTest : public ::testing::TestWithParam<RegistrationRow> {};

TEST_P(RegistrationTest, FormComesBackUntilNameAndClassAreGiven)
{
    const RegistrationRow& row = GetParam();
    Start start;
    Pupil pupil(row.showings);
    const std::unique_ptr<FrmGl> frmGl = start.run();

    EXPECT_EQ(pupil.seen(), int(row.showings.size()));
    start.takeGreeting();
    EXPECT_EQ(start.quiz->pupil.pupilName.text(), row.pupilName.left(30).leftJustified(30));
    EXPECT_EQ(start.quiz->pupil.pupilClass, row.pupilClass);
    if (row.registered) {
        ASSERT_NE(frmGl, nullptr);
        EXPECT_TRUE(frmGl->isVisible());
        start.takeHint();
        EXPECT_EQ(start.services.endCalls, 0);
    } else {
        EXPECT_EQ(frmGl, nullptr);
        EXPECT_FALSE(mainFormVisible());
        EXPECT_EQ(start.services.endCalls, 1);
    }
    EXPECT_EQ(start.services.pendingMessages(), 0u);
}

const QString kLongName = QStringLiteral("Константинопольский-Трапезундский Вениамин");

INSTANTIATE_TEST_SUITE_P(
    Pupils, RegistrationTest,
    ::testing::Values(
        RegistrationRow{"AtOnce", {registers("Иванов Иван", "05 5 А")}, true, "Иванов Иван", "05 5 А"},
        RegistrationRow{"BlankName", {registers("   ", "05 5 А"), registers("Иванов Иван", "05 5 А")}, true,
                        "Иванов Иван", "05 5 А"},
        RegistrationRow{"EmptyClass", {registers("Иванов Иван", ""), registers("Иванов Иван", "06 6 Б")}, true,
                        "Иванов Иван", "06 6 Б"},
        RegistrationRow{"ClassOfBlanks", {registers("Иванов Иван", "   ")}, true, "Иванов Иван", "   "},
        RegistrationRow{"TypedClassNotInList", {registers("Иванов Иван", "11 11 В, физ-мат")}, true, "Иванов Иван",
                        "11 11 В, физ-мат"},
        RegistrationRow{"LongNameCut", {registers(kLongName, "05 5 А")}, true, kLongName, "05 5 А"},
        RegistrationRow{"LatestOkCounts",
                        {registers("Иванов Иван", ""), registers(" ", "05 5 А"), registers("Сидоров", "07 7 В")},
                        true, "Сидоров", "07 7 В"},
        RegistrationRow{"ClosedByTheWindow", {closesTheWindow(), registers("Иванов Иван", "05 5 А")}, true,
                        "Иванов Иван", "05 5 А"},
        RegistrationRow{"Escape", {pressesEscapeThenOk()}, true, "Петров Пётр", "05 5 А"},
        RegistrationRow{"ExitWithBothFilled", {exits()}, false, "", ""},
        RegistrationRow{"StarAlone", {registers("*", "05 5 А")}, false, "*", "05 5 А"},
        RegistrationRow{"StarThenSurname", {registers("* Иванов", "05 5 А")}, false, "* Иванов", "05 5 А"},
        RegistrationRow{"BlankBeforeStar", {registers(" *Иванов", "05 5 А")}, true, " *Иванов", "05 5 А"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ClassListFailureRow {
    const char* name;
    std::function<bool(const ClassroomFolder&)> spoil; // false when this system cannot spoil it so
    int number;
};

void PrintTo(const ClassListFailureRow& row, std::ostream* os)
{
    *os << row.name;
}

class ClassListFailureTest : public ::testing::TestWithParam<ClassListFailureRow> {};

TEST_P(ClassListFailureTest, ReportedAndTheProgramEndsBeforeTheForm)
{
    Start start;
    QFile::remove(start.folder.path(QStringLiteral("Klass.txt")));
    if (!GetParam().spoil(start.folder))
        GTEST_SKIP() << "permissions do not bind here (running as root?)";
    Pupil pupil({});
    EXPECT_EQ(start.run(), nullptr);

    EXPECT_EQ(pupil.seen(), 0);
    start.takeGreeting();
    const MessageRecord report = start.services.takeMessage();
    EXPECT_TRUE(report.text.startsWith(QStringLiteral("Ошибка %1: ").arg(GetParam().number))) << report.text.toStdString();
    EXPECT_TRUE(report.text.contains(QStringLiteral("Klass.txt"))) << report.text.toStdString();
    EXPECT_TRUE(report.text.contains(start.folder.nativePath())) << report.text.toStdString();
    EXPECT_EQ(start.services.endCalls, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ClassListFailureTest,
    ::testing::Values(ClassListFailureRow{"Missing", [](const ClassroomFolder&) { return true; }, 53},
                      ClassListFailureRow{"FolderInItsPlace",
                                          [](const ClassroomFolder& folder) {
                                              folder.makeFolder(QStringLiteral("Klass.txt"));
                                              return true;
                                          },
                                          75},
                      // Opened without waiting: a pipe nobody writes into must not hang the start.
                      ClassListFailureRow{"PipeInItsPlace",
                                          [](const ClassroomFolder& folder) {
                                              return ::mkfifo(QFile::encodeName(folder.path("Klass.txt")), 0644) == 0;
                                          },
                                          75},
                      ClassListFailureRow{"Unreadable",
                                          [](const ClassroomFolder& folder) {
                                              writeLines(folder.path("Klass.txt"), {"05 5 А"});
                                              QFile::setPermissions(folder.path("Klass.txt"), {});
                                              return ::access(QFile::encodeName(folder.path("Klass.txt")), R_OK) != 0;
                                          },
                                          70}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StartupTest, FromTheGreetingToAChosenTest)
{
    Start start;
    start.folder.makeFolder(QStringLiteral("Тесты"));
    writeLines(start.folder.path(QStringLiteral("Тесты/Дроби.tst")), {"Математика"});
    Pupil pupil({[](FrmLog& form) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        typeText(QApplication::focusWidget(), QStringLiteral("Иванов Иван"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }});
    const std::unique_ptr<FrmGl> frmGl = start.run();
    ASSERT_NE(frmGl, nullptr);
    start.takeGreeting();
    start.takeHint();
    EXPECT_EQ(start.quiz->pupil.pupilClass, QStringLiteral("06 6 Б"));
    EXPECT_EQ(start.services.tabs, 2);

    QTest::mouseClick(&MainForm(*frmGl).cmdOpen, Qt::LeftButton);
    EXPECT_TRUE(MainForm(*frmGl).cmdOpen.isHidden());
    auto* frmFile = frmGl->findChild<FrmFile*>();
    ASSERT_NE(frmFile, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frmFile));
    // Shown without waiting: the main form stays open and nothing is modal.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(frmGl->isVisible());
    EXPECT_EQ(FileForm(*frmFile).DirKatalog.path(), start.folder.nativePath());
    doubleClickItem(FileForm(*frmFile).DirKatalog, QStringLiteral("Тесты"));
    doubleClickItem(FileForm(*frmFile).File1, QStringLiteral("Дроби.tst"));

    EXPECT_TRUE(MainForm(*frmGl).cmdBegin.isVisible());
    EXPECT_FALSE(frmFile->isVisible());
    const QString tests = start.folder.nativePath(QStringLiteral("Тесты"));
    EXPECT_EQ(start.quiz->pupil.testFolder, tests + QDir::separator());
    EXPECT_EQ(start.quiz->pupil.testPath, tests + QDir::separator() + QStringLiteral("Дроби.tst"));
    EXPECT_EQ(start.services.endCalls, 0);
}

} // namespace
