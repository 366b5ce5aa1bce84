// The teacher's window, headless: a folder chosen and checked in the background,
// the findings in the table, filtered, sorted, opened and saved.
#include "teacher/check_tab.h"
#include "teacher/desktop.h"
#include "teacher/teacher_window.h"

#include "check/folder_check.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/files.h"
#include "tests/support/form_controls.h"
#include "tests/support/recording_services.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QProgressBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kBroken = QStringLiteral(SHKOLNIK_SOURCE_DIR "/examples/broken");

class TeacherWindowTest : public ::testing::Test {
protected:
    // Never the teacher's own settings.
    void SetUp() override { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path()); }

    // Presses «Проверить» and waits for the check in the background to end.
    void check(TeacherWindow& window)
    {
        QSignalSpy finished(&control<CheckTab>(window, "checkTab"), &CheckTab::checkFinished);
        control<QPushButton>(window, "checkButton").click();
        ASSERT_TRUE(finished.wait(30000));
    }

    QTemporaryDir settings;
    RecordingServices services;
    FakeDesktop desktop;
};

QStringList column(const QTableView& table, int column)
{
    QStringList texts;
    for (int row = 0; row < table.model()->rowCount(); ++row)
        texts << table.model()->index(row, column).data().toString();
    return texts;
}

TEST_F(TeacherWindowTest, ChecksTheChosenFolderAndShowsTheFindings)
{
    TeacherWindow window(services, desktop, {});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), "Школьник: учитель");
    EXPECT_EQ(control<QTabWidget>(window, "tabs").tabText(0), "Проверка тестов");

    desktop.folder = kBroken;
    QTest::mouseClick(&control<QPushButton>(window, "chooseFolderButton"), Qt::LeftButton);
    EXPECT_EQ(control<QLineEdit>(window, "folderEdit").text(), kBroken);
    check(window);

    const CheckReport report = checkTargets(findTargets({kBroken}));
    auto& table = control<QTableView>(window, "findingsTable");
    ASSERT_EQ(table.model()->rowCount(), int(report.findings.size()));
    EXPECT_EQ(control<QLabel>(window, "summaryLabel").text(), summaryText(report));
    EXPECT_EQ(control<QProgressBar>(window, "progressBar").value(), control<QProgressBar>(window, "progressBar").maximum());
    // Files named within the folder, in the order of the check.
    EXPECT_EQ(column(table, 0).first(), "предупреждение");
    EXPECT_EQ(column(table, 1).first(), "Балл вне пределов.tsb");
    EXPECT_EQ(column(table, 2).first(), "2");
    EXPECT_EQ(column(table, 3).first(), report.findings.front().message);
    EXPECT_TRUE(column(table, 1).contains("Имя в другом регистре/klass.txt"));

    control<QCheckBox>(window, "showWarnings").click();
    control<QCheckBox>(window, "showNotes").click();
    const QStringList severities = column(table, 0);
    EXPECT_EQ(severities.size(), 11);
    EXPECT_EQ(severities.count("ошибка"), severities.size());

    // Sorted by line, the whole numbers in their order.
    table.horizontalHeader()->setSortIndicator(2, Qt::AscendingOrder);
    QStringList lines = column(table, 2);
    EXPECT_EQ(lines.first(), "");
    EXPECT_EQ(lines.last(), "19");

    table.horizontalHeader()->setSortIndicator(1, Qt::AscendingOrder);
    const QPoint first = table.visualRect(table.model()->index(0, 3)).center();
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, first);
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(desktop.opened, QStringList{kBroken + "/Короткий ключ.ts1"});
    desktop.editorFound = false;
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(services.takeMessage().text, "Не удалось открыть файл " + kBroken
                                               + "/Короткий ключ.ts1: в системе нет программы для таких файлов.");

    QTemporaryDir saved;
    desktop.saveAs = saved.filePath("found.txt");
    QTest::mouseClick(&control<QPushButton>(window, "saveButton"), Qt::LeftButton);
    const QStringList text = QString::fromUtf8(readBytes(desktop.saveAs)).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(text.size(), 12);
    EXPECT_TRUE(text.first().startsWith(kBroken + "/Короткий ключ.ts1:3: ошибка: Несоответствие типа")) << text.first().toStdString();
    EXPECT_EQ(text.last(), summaryText(report));
}

TEST_F(TeacherWindowTest, StartsInTheClassroomThenRemembersTheFolderChecked)
{
    const QString classroom = QDir::toNativeSeparators(settings.filePath("класс"));
    {
        TeacherWindow window(services, desktop, classroom);
        EXPECT_EQ(control<QLineEdit>(window, "folderEdit").text(), classroom);
        control<QLineEdit>(window, "folderEdit").setText(kBroken);
        check(window);
    }
    TeacherWindow again(services, desktop, classroom);
    EXPECT_EQ(control<QLineEdit>(again, "folderEdit").text(), kBroken);
}

TEST_F(TeacherWindowTest, WhatCannotBeDoneIsToldInABox)
{
    TeacherWindow window(services, desktop, {});
    control<QPushButton>(window, "checkButton").click();
    EXPECT_EQ(services.takeMessage(),
              (MessageRecord{"Выберите папку с тестами.", MessageIcon::Information, "Школьник: учитель"}));

    control<QLineEdit>(window, "folderEdit").setText("/nowhere");
    check(window);
    EXPECT_EQ(services.takeMessage(),
              (MessageRecord{"Путь не найден: /nowhere", MessageIcon::Critical, "Школьник: учитель"}));
    EXPECT_EQ(control<QTableView>(window, "findingsTable").model()->rowCount(), 0);
}

} // namespace
