#include "main_form_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QMetaObject>
#include <QTest>

namespace {

const QStringList kMoves = {"cmdNalevo", "cmdNapravo", "cmdExit"};

// The second of three questions; the others are of the other kind, so that the
// first answer row has just changed its layout.
struct KeyCase {
    const char* name;
    QuestionRecord other, shown;
    QStringList tabStops; // after the question text, in order
};

class AtTheKeyboard : public ScreenTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(AtTheKeyboard, TabGoesThroughTheAnswersToTheMovesAndPageDownMovesFromEveryStop)
{
    start({GetParam().other, GetParam().shown, GetParam().other});
    next();
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
    c().txtVopros.setFocus();
    QStringList visited;
    for (int i = 0; i <= GetParam().tabStops.size(); ++i) {
        press(Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, GetParam().tabStops + QStringList{"txtVopros"});
    for (const QString& stop : visited) {
        form->findChild<QWidget*>(stop)->setFocus();
        press(Qt::Key_PageDown);
        EXPECT_EQ(state().currentQuestion, 3) << stop.toStdString();
        previous();
    }
    // Space ticks the focused box; the typed question shows none.
    c().Otv[0]->setFocus();
    press(Qt::Key_Space);
    EXPECT_EQ(c().Otv[0]->isChecked(), !c().Otv[0]->isHidden());
}

const QuestionRecord kTick = question(u'1', QStringLiteral("Простые числа?"), {"2", "4", "5"});
const QuestionRecord kTyped = question(u'2', QStringLiteral("Столица России?"), {QString()});

INSTANTIATE_TEST_SUITE_P(Keyboard, AtTheKeyboard,
                         ::testing::Values(KeyCase{"tick", kTyped, kTick, QStringList{"Otv(0)", "Otv(1)", "Otv(2)"} + kMoves},
                                           KeyCase{"typed", kTick, kTyped, QStringList{"TxtOtvets(0)"} + kMoves}),
                         [](const auto& info) { return std::string(info.param.name); });

// What a screen reader is told: role, name and the states that matter here.
using Told = std::tuple<QAccessible::Role, QString, bool /*checked*/, bool /*readOnly*/, bool /*invisible*/>;

Told told(QObject* control)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    const QAccessible::State state = face->state();
    return {face->role(), face->text(QAccessible::Name), state.checked, state.readOnly, state.invisible};
}

TEST_F(ScreenTest, AScreenReaderHearsTheWindowTheQuestionAndEachAnswerBox)
{
    start({question(u'1', QStringLiteral("romb.jpg;Какая фигура?"), {"krug.jpg", QStringLiteral("Ромб")}), kTyped});
    c().Otv[1]->setChecked(true);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_EQ(told(form.get()), Told(QAccessible::Window, form->windowTitle(), false, false, false));
    EXPECT_EQ(told(&c().txtVopros), Told(QAccessible::EditableText, "Задание 1", false, true, false));
    EXPECT_EQ(told(c().Otv[0]), Told(QAccessible::CheckBox, "Вариант 1: рисунок krug", false, false, false));
    EXPECT_EQ(told(c().Otv[1]), Told(QAccessible::CheckBox, "Вариант 2: Ромб", true, false, false));
    next();
    EXPECT_EQ(told(c().TxtOtvets[0]), Told(QAccessible::EditableText, "Ответ", false, false, false));
    EXPECT_EQ(std::get<4>(told(c().Otv[0])), true);

    // The time left is a status, and a status is announced when its name changes:
    // once a minute, while the caption counts the seconds.
    EXPECT_EQ(std::get<0>(told(&c().LblNow1)), QAccessible::StatusBar);
    state().timeLeft = 121;
    QStringList captions, names;
    for (int second = 0; second < 3; ++second) {
        QMetaObject::invokeMethod(&c().Tmr, "timeout");
        captions << c().LblNow1.text();
        names << std::get<1>(told(&c().LblNow1));
    }
    EXPECT_EQ(captions, (QStringList{" 2 мин. 0 с.", " 1 мин. 59 с.", " 1 мин. 58 с."}));
    EXPECT_EQ(names, (QStringList{"Осталось 2 мин.", "Осталось 1 мин.", "Осталось 1 мин."}));
}

} // namespace
