#include "main_form_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QTest>

namespace {

const QuestionRecord kTick = question(u'1', QStringLiteral("Простые числа?"), {"2", "4", "5"});
const QuestionRecord kTyped = question(u'2', QStringLiteral("Столица России?"), {QString()});
const QuestionRecord kPictures = question(u'1', QStringLiteral("krug.jpg;Что это?"), {"krug.jpg", "kvadrat.jpg"});

// A pupil at the keyboard on the second of three questions; the others are of
// another kind, so that the first row has just changed its layout.
struct KeyCase {
    const char* name;
    QuestionRecord other;
    QuestionRecord shown;
    QStringList tabStops; // after the question text, in order
};

void PrintTo(const KeyCase& row, std::ostream* os)
{
    *os << row.name;
}

class AtTheKeyboard : public ScreenTest, public ::testing::WithParamInterface<KeyCase> {
protected:
    void SetUp() override
    {
        start({GetParam().other, GetParam().shown, GetParam().other});
        next();
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    QString focused() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
};

TEST_P(AtTheKeyboard, TabGoesFromTheQuestionThroughTheAnswersToTheMoves)
{
    c().txtVopros.setFocus();
    QStringList visited;
    for (int i = 0; i <= GetParam().tabStops.size(); ++i) {
        press(Qt::Key_Tab);
        visited << focused();
    }
    EXPECT_EQ(visited, GetParam().tabStops + QStringList{"txtVopros"});
    press(Qt::Key_Backtab);
    EXPECT_EQ(focused(), QStringLiteral("cmdExit"));
}

TEST_P(AtTheKeyboard, PageUpAndPageDownMoveFromEveryStop)
{
    for (const QString& stop : QStringList{"txtVopros"} + GetParam().tabStops) {
        for (const auto& [key, to] : {std::pair(Qt::Key_PageUp, 1), std::pair(Qt::Key_PageDown, 3)}) {
            form->findChild<QWidget*>(stop)->setFocus();
            ASSERT_EQ(focused(), stop);
            press(key);
            EXPECT_EQ(state().currentQuestion, to) << stop.toStdString();
            key == Qt::Key_PageUp ? next() : previous();
            ASSERT_EQ(state().currentQuestion, 2);
        }
    }
}

const QStringList kMoves = {"cmdNalevo", "cmdNapravo", "cmdExit"};

INSTANTIATE_TEST_SUITE_P(
    Keyboard, AtTheKeyboard,
    ::testing::Values(KeyCase{"tick", kTyped, kTick, QStringList{"Otv(0)", "Otv(1)", "Otv(2)"} + kMoves},
                      KeyCase{"typed", kTick, kTyped, QStringList{"TxtOtvets(0)"} + kMoves},
                      KeyCase{"pictures", kTyped, kPictures, QStringList{"Otv(0)", "Otv(1)"} + kMoves}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScreenTest, SpaceTicksAndTabLeavesTheTypingField)
{
    start({kTick, kTyped});
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    c().Otv[1]->setFocus();
    QTest::keyClick(c().Otv[1], Qt::Key_Space);
    EXPECT_EQ(c().Otv[1]->checkState(), Qt::Checked);
    QTest::keyClick(c().Otv[1], Qt::Key_Space);
    QTest::keyClick(c().Otv[1], Qt::Key_Tab);
    QTest::keyClick(c().Otv[2], Qt::Key_Space);
    next();
    EXPECT_EQ(state().answerFlags(2, 1), 0);
    EXPECT_EQ(state().answerFlags(3, 1), 1);

    c().TxtOtvets[0]->setFocus();
    typeText(c().TxtOtvets[0], QStringLiteral("Москва"));
    QTest::keyClick(c().TxtOtvets[0], Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &c().cmdNalevo);
    EXPECT_EQ(c().TxtOtvets[0]->toPlainText(), QStringLiteral("Москва"));
}

} // namespace
