#include "main_form_fixture.h"

#include "tests/support/files.h"


#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Random values that make the draw in 1..m come out as 1, 2, ..., m.
std::vector<double> inOrder(int m)
{
    std::vector<double> values;
    for (int i = 1; i <= m; ++i)
        values.push_back(m == 1 ? 0.0 : double(i - 1) / double(m - 1));
    return values;
}

// Three questions, all asked: a tick question of four options (2 and 3 correct),
// a typed one and a tick question of two options.
const QStringList kTest = {
    QStringLiteral("Математика"), QStringLiteral("Дроби"), QStringLiteral("2"), "30", "3,3", "80,60,40",
    "1", "4", QStringLiteral("Какие дроби равны 1/2?"), "2/4", "1/3", "3/6", "2/5",
    "2", "1", QStringLiteral("Сколько будет 2+2?"), "",
    "1", "2", QStringLiteral("Больше ли 3/4, чем 2/3?"), QStringLiteral("Да"), QStringLiteral("Нет"),
};
const QStringList kPoints = {"2", "1", "1"};
const QStringList kKey = {"224456", QStringLiteral("четыре$4"), "223456"};

class QuizStartTest : public ScreenTest {
protected:
    QuizStartTest()
    {
        run->pupil.testPath = folder.filePath("Дроби.tst");
        c().cmdOpen.hide();
        c().cmdBegin.show();
    }

    void writeTest(const QStringList& test = kTest, const QStringList& key = kKey)
    {
        writeLines(folder.filePath("Дроби.tst"), test);
        writeLines(folder.filePath("Дроби.tsb"), kPoints);
        writeLines(folder.filePath("Дроби.ts1"), key);
    }

    // The draw keeps the file's order and no option moves.
    void drawInOrder()
    {
        for (const auto& values : {inOrder(3), inOrder(4), inOrder(2)})
            services.randomValues.insert(services.randomValues.end(), values.begin(), values.end());
    }

    QDialog* selection() { return form->findChild<QDialog*>(QStringLiteral("frmFile")); }
};

TEST_F(QuizStartTest, AnEmptyTestPathHidesBothButtonsAndDoesNothingElse)
{
    run->pupil.testPath.clear();
    c().cmdBegin.click();
    EXPECT_TRUE(c().cmdOpen.isHidden());
    EXPECT_TRUE(c().cmdBegin.isHidden());
    EXPECT_FALSE(form->keyPreview());
    EXPECT_EQ(selection(), nullptr);
    EXPECT_EQ(run->stage, QuizStage::BeforeStart);
}

TEST_F(QuizStartTest, PreparesTheScreenAndShowsTheFirstQuestion)
{
    writeTest();
    drawInOrder();
    c().cmdBegin.click();

    ASSERT_EQ(run->stage, QuizStage::Running);
    EXPECT_EQ(services.randomizeCalls, 2);
    EXPECT_TRUE(services.randomValues.empty());
    EXPECT_EQ(c().Cbo5.currentText(), " 80");
    EXPECT_EQ(c().Cbo3.currentText(), " 40");
    EXPECT_EQ(c().txtSpec.text(), QStringLiteral("Математика").leftJustified(75));
    EXPECT_EQ(c().txtTema.text(), QStringLiteral("Дроби").leftJustified(75));
    EXPECT_EQ(c().TxtVar.text(), "2");
    EXPECT_EQ(c().TxtVsego.text(), "3");
    EXPECT_EQ(c().TxtVremya.text(), "30");
    EXPECT_EQ(state().timeLeft, 90.0);
    EXPECT_EQ(state().startTime, services.nowValue);
    EXPECT_EQ(run->pupil.testPath, folder.filePath("Дроби.ts1"));
    EXPECT_TRUE(c().Tmr.isActive());
    EXPECT_FALSE(c().cmdOpen.isEnabled());
    EXPECT_TRUE(c().cmdOpen.isHidden());
    EXPECT_TRUE(c().cmdBegin.isHidden());
    for (QWidget* w : std::initializer_list<QWidget*>{&c().cmdNalevo, &c().cmdNapravo, &c().cmdExit, &c().LblZ,
                                                      &c().LblVopros, &c().LblNow1, &c().txtVopros})
        EXPECT_FALSE(w->isHidden()) << w->objectName().toStdString();
    EXPECT_TRUE(form->keyPreview());
    EXPECT_NE(form->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(state().currentQuestion, 1);
    EXPECT_EQ(c().LblVopros.text(), QStringLiteral("Задание:  1"));
    EXPECT_EQ(c().LblZ.text(), QStringLiteral("Поставьте галочку напротив правильного ответа (или ответов)."));
    EXPECT_EQ(c().LblNow1.text(), QString());
    EXPECT_EQ(state().correctFlags(2, 1), 0);
    EXPECT_EQ(state().correctFlags(3, 1), 1);
    EXPECT_EQ(state().correctTyped(2), QStringLiteral("ЧЕТЫРЕ$4"));
    EXPECT_EQ(bank(1).points, 2);
}

QStringList with(QStringList lines, int index, const QString& line)
{
    lines[index] = line;
    return lines;
}

// The budget is for the questions asked, not for all the file holds.
TEST_F(QuizStartTest, TheTimeIsForTheQuestionsAsked)
{
    writeTest(with(kTest, 4, "3,2"));
    drawInOrder();
    c().cmdBegin.click();
    ASSERT_EQ(run->stage, QuizStage::Running);
    EXPECT_EQ(c().TxtVsego.text(), "2");
    EXPECT_EQ(state().timeLeft, 2 * 30.0);
}

struct FailureCase {
    const char* name;
    QStringList test;
    QStringList key;
    bool removeKey;
    int number;
    QString inDescription; // a part of the first box's text
    bool fileNotFound;     // the second box names the file instead of the general text
};

class QuizStartFailure : public QuizStartTest, public ::testing::WithParamInterface<FailureCase> {};

// Whatever went wrong, the teacher reads why, the selection opens again and
// nothing of the failed test is kept.
TEST_P(QuizStartFailure, IsReportedInTwoBoxesAndTheSelectionOpensAgain)
{
    const FailureCase& row = GetParam();
    if (!row.test.isEmpty() || row.name == std::string("emptyTestFile"))
        writeTest(row.test, row.key);
    if (row.removeKey)
        QFile::remove(folder.filePath("Дроби.ts1"));
    drawInOrder();
    c().cmdBegin.click();

    const MessageRecord first = services.takeMessage();
    EXPECT_TRUE(first.text.startsWith(QStringLiteral("Ошибка: %1 ").arg(row.number))) << first.text.toStdString();
    EXPECT_TRUE(first.text.contains(row.inDescription)) << first.text.toStdString();
    EXPECT_EQ(first.icon, MessageIcon::Information);
    EXPECT_EQ(first.title, QString());
    const MessageRecord second = services.takeMessage();
    if (row.fileNotFound) {
        const QString file = row.removeKey ? "Дроби.ts1" : "Дроби.tst";
        EXPECT_EQ(second, (MessageRecord{QStringLiteral("Не найден файл: ") + folder.filePath(file), MessageIcon::None, {}}));
    } else {
        EXPECT_EQ(second, (MessageRecord{QStringLiteral("Необрабатываемая ошибка. Ошибка при чтении файлов теста."),
                                         MessageIcon::Information, {}}));
    }
    ASSERT_NE(selection(), nullptr);
    EXPECT_TRUE(selection()->isVisible());
    EXPECT_TRUE(c().cmdOpen.isHidden());
    EXPECT_TRUE(c().cmdBegin.isHidden());
    EXPECT_NE(form->cursor().shape(), Qt::WaitCursor);
    EXPECT_TRUE(form->keyPreview());
    EXPECT_EQ(run->stage, QuizStage::BeforeStart);
    EXPECT_FALSE(c().Tmr.isActive());
    EXPECT_EQ(run->pupil.subject.text().trimmed(), QString());
    EXPECT_EQ(run->pupil.testPath, folder.filePath("Дроби.tst"));
    EXPECT_EQ(c().TxtVsego.text(), "1");
    EXPECT_EQ(bank(1).questionText, QString());
    key(Qt::Key_PageDown);
    EXPECT_TRUE(c().txtVopros.isHidden());
}


INSTANTIATE_TEST_SUITE_P(
    Failures, QuizStartFailure,
    ::testing::Values(
        FailureCase{"testFileMissing", {}, {}, false, 53, QStringLiteral("Дроби.tst"), true},
        FailureCase{"emptyTestFile", {}, {}, false, 62, QStringLiteral("строка 1"), false},
        FailureCase{"headerNumberBeyond16Bits", with(kTest, 4, "40000,3"), kKey, false, 6, QStringLiteral("строка 5"),
                    false},
        FailureCase{"answerKeyMissing", kTest, kKey, true, 53, QStringLiteral("Дроби.ts1"), true},
        FailureCase{"keyLineShort", kTest, with(kKey, 2, "2234"), false, 13, QStringLiteral("строка 3"), false},
        FailureCase{"keyLineWithALetter", kTest, with(kKey, 0, "22x456"), false, 13, QStringLiteral("строка 1"), false},
        FailureCase{"keyFileEndsEarly", kTest, kKey.mid(0, 2), false, 62, QStringLiteral("Дроби.ts1"), false},
        FailureCase{"optionCountSeven", with(kTest, 7, "7"), kKey, false, 5, QStringLiteral("строка 8"), false},
        FailureCase{"answerFormNotADigit", with(kTest, 6, "x"), kKey, false, 13, QStringLiteral("строка 7"), false},
        FailureCase{"testEndsInsideTheBodies", kTest.mid(0, 14), kKey, false, 62, QStringLiteral("Дроби.tst"),
                    false},
        FailureCase{"nothingToAsk", with(kTest, 4, "3,0"), kKey, false, 5, QStringLiteral("Дроби.tst"), false}),
    [](const auto& info) { return std::string(info.param.name); });

// A pupil at the keyboard: "Начать", then moves with the buttons and the keys in
// both directions, ticking and typing on the way.
TEST_F(QuizStartTest, DrivenFromBeginThroughMovesBothWays)
{
    writeTest();
    drawInOrder();
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    QTest::mouseClick(&c().cmdBegin, Qt::LeftButton);
    ASSERT_EQ(c().LblVopros.text(), QStringLiteral("Задание:  1"));
    QTest::mouseClick(c().Otv[2], Qt::LeftButton);
    EXPECT_EQ(c().Otv[2]->checkState(), Qt::Checked);

    QTest::mouseClick(&c().cmdNapravo, Qt::LeftButton);
    EXPECT_EQ(c().LblVopros.text(), QStringLiteral("Задание:  2"));
    EXPECT_EQ(c().LblZ.text(),
              QStringLiteral("Наберите на клавиатуре правильный ответ. Слова отделяются только одним пробелом."));
    EXPECT_FALSE(c().TxtOtvets[0]->isReadOnly());
    c().TxtOtvets[0]->setFocus();
    typeText(c().TxtOtvets[0], QStringLiteral("четыре"));
    QTest::keyClick(c().TxtOtvets[0], Qt::Key_Return);
    EXPECT_EQ(c().TxtOtvets[0]->toPlainText(), QStringLiteral("четыре"));

    // PageDown in the answer box moves on: the form sees the key first.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
    EXPECT_EQ(c().LblVopros.text(), QStringLiteral("Задание:  3"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
    EXPECT_EQ(c().LblVopros.text(), QStringLiteral("Задание:  1"));
    EXPECT_EQ(c().Otv[2]->checkState(), Qt::Checked);
    EXPECT_EQ(c().Otv[0]->checkState(), Qt::Unchecked);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
    EXPECT_EQ(c().LblVopros.text(), QStringLiteral("Задание:  3"));
    QTest::mouseClick(&c().cmdNalevo, Qt::LeftButton);
    EXPECT_EQ(c().LblVopros.text(), QStringLiteral("Задание:  2"));
    EXPECT_EQ(c().TxtOtvets[0]->toPlainText(), QStringLiteral("четыре"));
    EXPECT_EQ(state().typedAnswers(2), QStringLiteral("четыре"));
    EXPECT_EQ(state().answerFlags(3, 1), 1);
    EXPECT_EQ(state().timeLeft, 90.0);
}

} // namespace
