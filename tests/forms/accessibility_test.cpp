#include "main_form_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QMetaObject>
#include <QTest>

#include <iterator>
#include <vector>

namespace {

// What a screen reader is told about one control.
struct Told {
    const char* control;
    QAccessible::Role role;
    QString name;
    bool checked = false;
    bool readOnly = false;
    bool invisible = false;
};

struct SpokenCase {
    const char* name;
    QuestionRecord question;
    std::vector<Told> told;
};

void PrintTo(const SpokenCase& row, std::ostream* os)
{
    *os << row.name;
}

class ScreenReader : public ScreenTest, public ::testing::WithParamInterface<SpokenCase> {};

TEST_P(ScreenReader, HearsEveryControlByRoleNameAndState)
{
    QuestionRecord shown = GetParam().question;
    start({question(u'1', "?", {"a"}), shown});
    next();
    c().Otv[0]->setCheckState(Qt::Checked);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));

    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form.get());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), form->windowTitle());
    for (const Told& told : GetParam().told) {
        SCOPED_TRACE(told.control);
        QAccessibleInterface* control =
            QAccessible::queryAccessibleInterface(form->findChild<QWidget*>(QLatin1String(told.control)));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->role(), told.role);
        EXPECT_EQ(control->text(QAccessible::Name), told.name);
        const QAccessible::State state = control->state();
        EXPECT_EQ(bool(state.checked), told.checked);
        EXPECT_EQ(bool(state.readOnly), told.readOnly);
        EXPECT_EQ(bool(state.invisible), told.invisible);
    }
}

const Told kMoves[] = {{"cmdNalevo", QAccessible::Button, "Предыдущий"},
                       {"cmdNapravo", QAccessible::Button, "Следующий"},
                       {"cmdExit", QAccessible::Button, "Проверить и выйти"},
                       {"LblNow1", QAccessible::StatusBar, ""}};

std::vector<Told> withMoves(std::vector<Told> told)
{
    told.insert(told.end(), std::begin(kMoves), std::end(kMoves));
    return told;
}

INSTANTIATE_TEST_SUITE_P(
    Questions, ScreenReader,
    ::testing::Values(
        SpokenCase{"tick",
                   question(u'1', QStringLiteral("Сколько будет 2+3?"), {"5", "6"}),
                   withMoves({{"txtVopros", QAccessible::EditableText, "Задание 2", false, true},
                              {"Otv(0)", QAccessible::CheckBox, "Вариант 1: 5", true},
                              {"Otv(1)", QAccessible::CheckBox, "Вариант 2: 6"},
                              {"TxtOtvets(0)", QAccessible::EditableText, "", false, true}})},
        SpokenCase{"typed",
                   question(u'2', QStringLiteral("Столица России?"), {QString()}),
                   withMoves({{"txtVopros", QAccessible::EditableText, "Задание 2", false, true},
                              {"TxtOtvets(0)", QAccessible::EditableText, "Ответ"},
                              {"Otv(0)", QAccessible::CheckBox, "Вариант 1: ", true, false, true}})},
        SpokenCase{"pictures",
                   question(u'1', QStringLiteral("romb.jpg;Какая фигура?"), {"krug.jpg", "kvadrat.jpg", "Ромб"}),
                   withMoves({{"txtVopros", QAccessible::EditableText, "Задание 2", false, true},
                              {"Otv(0)", QAccessible::CheckBox, "Вариант 1: рисунок krug", true},
                              {"Otv(1)", QAccessible::CheckBox, "Вариант 2: рисунок kvadrat"},
                              {"Otv(2)", QAccessible::CheckBox, "Вариант 3: Ромб"}})}),
    [](const auto& info) { return std::string(info.param.name); });

// A screen reader announces a status when its name changes: that must happen
// once a minute, while the caption counts the seconds.
TEST_F(ScreenTest, TheTimeLeftIsAnnouncedOnceAMinute)
{
    start({question(u'1', "?", {"a"})});
    state().timeLeft = 122;
    QStringList captions, names;
    for (int second = 0; second < 4; ++second) {
        QMetaObject::invokeMethod(&c().Tmr, "timeout");
        captions << c().LblNow1.text();
        names << c().LblNow1.accessibleName();
    }
    EXPECT_EQ(captions, (QStringList{" 2 мин. 1 с.", " 2 мин. 0 с.", " 1 мин. 59 с.", " 1 мин. 58 с."}));
    EXPECT_EQ(names, (QStringList{"Осталось 2 мин.", "Осталось 2 мин.", "Осталось 1 мин.", "Осталось 1 мин."}));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&c().LblNow1)->text(QAccessible::Name), "Осталось 1 мин.");

    state().timeLeft = 60;
    QMetaObject::invokeMethod(&c().Tmr, "timeout");
    EXPECT_EQ(c().LblNow1.accessibleName(), QStringLiteral("Осталось меньше минуты."));
}

} // namespace
