#include "app/startup.h"

#include "forms/frm_file.h"
#include "runtime/cp1251.h"
#include "ui/file_lists.h"
#include "quiz/quiz_run.h"
#include "tests/support/classroom.h"
#include "tests/support/files.h"
#include "tests/support/pupil_driver.h"
#include "tests/support/form_controls.h"
#include "tests/support/recording_services.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A test of three questions, all asked: options 1 and 3 of the first are right,
// the second is typed, option 2 of the third is right. Points 2, 1, 1.
const QStringList kTest = {
    QStringLiteral("Математика"), QStringLiteral("Дроби"), QStringLiteral("2"), "30", "3,3", "80,60,40",
    "1", "4", QStringLiteral("Какие дроби равны 1/2?"), "2/4", "1/3", "3/6", "2/5",
    "2", "1", QStringLiteral("Сколько будет 2+2?"), "",
    "1", "2", QStringLiteral("Больше ли 2/3, чем 3/4?"), QStringLiteral("Да"), QStringLiteral("Нет"),
};

// Random values that keep the questions and the options in the file's order.
const std::deque<double> kDrawInOrder = {0.0, 0.5, 1.0 - 1e-9, 0.0, 1.0 / 3, 2.0 / 3, 1.0 - 1e-9, 0.0, 1.0 - 1e-9};

QByteArray expectedFile(const QStringList& lines)
{
    return cp1251Lines(lines);
}

// A pupil's whole run from the greeting: registration, the test chosen in the
// classroom's "Тесты" folder, and "Начать".
class WholeRun : public ::testing::Test {
protected:
    WholeRun()
    {
        writeLines(folder.path("Klass.txt"), {QStringLiteral("05 5 класс"), QStringLiteral("06 6 класс")});
        folder.makeFolder(QStringLiteral("Тесты"));
        writeLines(tests("Дроби.tst"), testLines);
        writeLines(tests("Дроби.tsb"), {"2", "1", "1"});
        writeLines(tests("Дроби.ts1"), {"224456", QStringLiteral("четыре$4"), "133456"});
        services.randomValues = kDrawInOrder;
    }

    QString tests(const QString& name) const { return folder.path(QStringLiteral("Тесты/") + name); }

    void registerChooseAndBegin()
    {
        Pupil pupil({[](FrmLog& form) {
            typeText(&LogForm(form).txtFIO, QStringLiteral("Иванов Иван"));
            LogForm(form).CboGruppa.setCurrentIndex(0);
            QTest::mouseClick(&LogForm(form).CmdOk, Qt::LeftButton);
        }});
        frmGl = runStartup(*run, services, {journals.path(), QStringLiteral("Для школ района.")});
        ASSERT_NE(frmGl, nullptr);
        services.takeMessage();
        services.takeMessage();
        QTest::mouseClick(&gl().cmdOpen, Qt::LeftButton);
        auto* frmFile = frmGl->findChild<FrmFile*>();
        ASSERT_NE(frmFile, nullptr);
        doubleClickItem(FileForm(*frmFile).DirKatalog, QStringLiteral("Тесты"));
        doubleClickItem(FileForm(*frmFile).File1, QStringLiteral("Дроби.tst"));
        ASSERT_TRUE(gl().cmdBegin.isVisible());
        QTest::mouseClick(&gl().cmdBegin, Qt::LeftButton);
        ASSERT_EQ(gl().LblVopros.text(), QStringLiteral("Задание:  1"));
    }

    void expectFiles(const QStringList& protocol, const QString& registerLine, const QStringList& statistics)
    {
        EXPECT_EQ(readBytes(tests("5 класс_Дроби_Иванов Иван_2.otv")), expectedFile(protocol));
        EXPECT_EQ(readBytes(tests("5 класс_Дроби_2.doc")), expectedFile({registerLine}));
        EXPECT_EQ(readBytes(tests("5 класс_S_Дроби_2.doc")), expectedFile(statistics));
    }

    QStringList testLines = kTest;
    ClassroomFolder folder;
    std::unique_ptr<QuizRun> run = std::make_unique<QuizRun>();
    RecordingServices services;
    QTemporaryDir journals;
    MainForm gl() const { return MainForm(*frmGl); }

    std::unique_ptr<FrmGl> frmGl;
};

TEST_F(WholeRun, AnsweredAndFinishedByTheButton)
{
    registerChooseAndBegin();
    QTest::mouseClick(gl().Otv[0], Qt::LeftButton);
    QTest::mouseClick(gl().Otv[2], Qt::LeftButton);
    QTest::mouseClick(&gl().cmdNapravo, Qt::LeftButton);
    typeText(gl().TxtOtvets[0], QStringLiteral("  четыре "));
    QTest::mouseClick(&gl().cmdNapravo, Qt::LeftButton);
    QTest::mouseClick(gl().Otv[0], Qt::LeftButton);
    QTest::mouseClick(&gl().cmdExit, Qt::LeftButton);

    EXPECT_EQ(gl().LblProcent.text(), QStringLiteral("Выполнено:  75%"));
    EXPECT_EQ(gl().LblOcenka.text(), QStringLiteral("Ваша оценка:  4"));
    EXPECT_FALSE(gl().LblProcent.isHidden());
    EXPECT_FALSE(gl().LblOcenka.isHidden());
    EXPECT_TRUE(gl().LblZ.isHidden());
    EXPECT_FALSE(gl().Tmr.isActive());
    EXPECT_FALSE(frmGl->keyPreview());
    EXPECT_EQ(services.takeMessage(),
              (MessageRecord{QStringLiteral("Задано: 3 заданий. Всего возможных баллов:  4. Из них набрано:  3. "
                                            "Правильно выполнено:  75% задания. Ваша оценка:  4"),
                             MessageIcon::Information, QStringLiteral("Школьник: Иванов Иван                   ")}));
    EXPECT_EQ(services.beeps, 1);
    EXPECT_EQ(services.endCalls, 1);
    expectFiles(
        {QStringLiteral("Ф.И.О.: Иванов Иван                   "), QStringLiteral("Номер варианта:  2"),
         QStringLiteral("Класс: 5 класс"),
         QStringLiteral("Начало работы: 07.12.2026 9:05:03 Конец работы : 07.12.2026 9:05:03"),
         "*************************", QStringLiteral("Правильно:___101000 * 101000 * Какие дроби равны 1/2?"),
         QStringLiteral("Правильно:___ * Сколько будет 2+2?"),
         QStringLiteral("Неправильно:_010000 * 100000 * Больше ли 2/3, чем 3/4?"),
         QStringLiteral("Задано: 3 заданий. Всего баллов:  4 Из них набрано:  3  Правильно выполнено:  75% "
                        "задания. Ваша оценка:  4")},
        QStringLiteral("Иванов Иван               5 класс 2  3 4 75% 07.12.2026 9:05:03"),
        {QStringLiteral("Статистика сдачи теста"), QStringLiteral("5:  0   0%"), QStringLiteral("4:  1   100%"),
         QStringLiteral("3:  0   0%"), QStringLiteral("2:  0   0%"), QStringLiteral("Всего:  1")});
}

TEST_F(WholeRun, FinishedWhenTheTimeRunsOut)
{
    testLines[3] = "0";
    writeLines(tests("Дроби.tst"), testLines);
    registerChooseAndBegin();
    QTest::mouseClick(gl().Otv[2], Qt::LeftButton);

    // A budget of 0 seconds: the first tick, one second after the start, finishes.
    ASSERT_TRUE(QTest::qWaitFor([&] { return services.endRequested(); }, 5000));
    EXPECT_FALSE(gl().Tmr.isActive());
    EXPECT_EQ(gl().LblNow1.text(), QString());
    EXPECT_EQ(services.takeMessage(),
              (MessageRecord{QStringLiteral("Задано: 3 заданий. Всего возможных баллов:  4. Из них Вы набрали менее:  "
                                            "40%. Ваша оценка:  2"),
                             MessageIcon::Information, QStringLiteral("Школьник: Иванов Иван                   ")}));
    expectFiles(
        {QStringLiteral("Ф.И.О.: Иванов Иван                   "), QStringLiteral("Номер варианта:  2"),
         QStringLiteral("Класс: 5 класс"),
         QStringLiteral("Начало работы: 07.12.2026 9:05:03 Конец работы : 07.12.2026 9:05:03"),
         "*************************", QStringLiteral("Неправильно:_101000 * 001000 * Какие дроби равны 1/2?"),
         QStringLiteral("Неправильно:_ * Сколько будет 2+2?"),
         QStringLiteral("Неправильно:_010000 * 000000 * Больше ли 2/3, чем 3/4?"),
         QStringLiteral("Задано: 3 заданий. Всего баллов:  4 Из них набрано:  0  Правильно выполнено:  0% "
                        "задания. Ваша оценка:  2")},
        QStringLiteral("Иванов Иван               5 класс 2  0 2 0% 07.12.2026 9:05:03"),
        {QStringLiteral("Статистика сдачи теста"), QStringLiteral("5:  0   0%"), QStringLiteral("4:  0   0%"),
         QStringLiteral("3:  0   0%"), QStringLiteral("2:  1   100%"), QStringLiteral("Всего:  1")});
}

// A file that cannot be written is asked about with the mark already on the form.
TEST_F(WholeRun, TheResultIsShownBeforeThePupilIsAskedAboutAFile)
{
    // A folder in the protocol's place: refused at once, whoever runs the program.
    folder.makeFolder(QStringLiteral("Тесты/5 класс_Дроби_Иванов Иван_2.otv"));
    registerChooseAndBegin();
    QString markWhenAsked;
    services.onMessage = [&](const MessageRecord& m) {
        if (m.question)
            markWhenAsked = gl().LblOcenka.text();
    };
    QTest::mouseClick(&gl().cmdExit, Qt::LeftButton);
    EXPECT_TRUE(services.takeMessage().question);
    EXPECT_EQ(markWhenAsked, QStringLiteral("Ваша оценка:  2"));
    EXPECT_TRUE(services.takeMessage().text.endsWith(QStringLiteral("Ваша оценка:  2")));
    EXPECT_EQ(readLines(tests("5 класс_Дроби_2.doc")).size(), 1);
}

// A short class and three-digit points move the mark out of columns 40 and 41;
// the statistics count it all the same.
struct CountedRow {
    const char* name;
    QString pupilClass;
    QStringList points;
    QString registerLine;
    QString statistics; // file name
};

class CountedInStatistics : public WholeRun, public ::testing::WithParamInterface<CountedRow> {};

TEST_P(CountedInStatistics, WhateverTheClassAndThePoints)
{
    writeLines(folder.path("Klass.txt"), {GetParam().pupilClass});
    writeLines(tests("Дроби.tsb"), GetParam().points);
    registerChooseAndBegin();
    QTest::mouseClick(gl().Otv[0], Qt::LeftButton);
    QTest::mouseClick(gl().Otv[2], Qt::LeftButton);
    QTest::mouseClick(&gl().cmdNapravo, Qt::LeftButton);
    typeText(gl().TxtOtvets[0], QStringLiteral("4"));
    QTest::mouseClick(&gl().cmdNapravo, Qt::LeftButton);
    QTest::mouseClick(gl().Otv[1], Qt::LeftButton);
    QTest::mouseClick(&gl().cmdExit, Qt::LeftButton);
    services.takeMessage();

    const QString registerFile = QString(GetParam().statistics).remove(QStringLiteral("_S"));
    EXPECT_EQ(readLines(tests(registerFile)), QStringList{GetParam().registerLine});
    EXPECT_EQ(readLines(tests(GetParam().statistics)),
              (QStringList{QStringLiteral("Статистика сдачи теста"), QStringLiteral("5:  1   100%"),
                           QStringLiteral("4:  0   0%"), QStringLiteral("3:  0   0%"), QStringLiteral("2:  0   0%"),
                           QStringLiteral("Всего:  1")}));
}

INSTANTIATE_TEST_SUITE_P(
    Statistics, CountedInStatistics,
    ::testing::Values(CountedRow{"ShortClass", QStringLiteral("07 7б"), {"2", "1", "1"},
                                 QStringLiteral("Иванов Иван               7б 2  4 5 100% 07.12.2026 9:05:03"),
                                 QStringLiteral("7б_S_Дроби_2.doc")},
                      CountedRow{"HundredPointsAndMore", QStringLiteral("05 5 класс"), {"60", "30", "30"},
                                 QStringLiteral("Иванов Иван               5 класс 2  120 5 100% 07.12.2026 9:05:03"),
                                 QStringLiteral("5 класс_S_Дроби_2.doc")}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
