#include "main_form_fixture.h"

#include "forms/frm_file.h"
#include "forms/frm_log.h"
#include "results/checking.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

// The room a control gives its caption, in pixels: a label its contents, a
// button what the style leaves inside its frame.
QSize room(const QWidget& control, const QString& text)
{
    const auto* button = qobject_cast<const QPushButton*>(&control);
    if (!button)
        return control.contentsRect().size();
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = text;
    if (button->autoDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).size();
}

void expectFits(const QWidget& control, const QString& text)
{
    const QFontMetrics metrics(control.font());
    const QSize needed(metrics.horizontalAdvance(text), metrics.height());
    const QSize given = room(control, text);
    EXPECT_TRUE(needed.width() <= given.width() && needed.height() <= given.height())
        << control.objectName().toStdString() << " «" << text.toStdString() << "» needs " << needed.width() << "x"
        << needed.height() << " px, has " << given.width() << "x" << given.height();
}

// Every caption the form shows now; hidden controls are never seen.
void expectShownCaptionsFit(const QWidget& form)
{
    for (const QWidget* control : form.findChildren<QWidget*>()) {
        if (control->isHidden())
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(control))
            expectFits(*label, label->text());
        else if (const auto* button = qobject_cast<const QPushButton*>(control))
            expectFits(*button, button->text());
    }
}

TEST_F(ScreenTest, EveryCaptionOfTheThreeFormsFitsItsBox)
{
    ClassroomFolder classroom;
    PupilRecord pupil;
    FrmLog frmLog(pupil, services);
    expectShownCaptionsFit(frmLog);
    FrmFile frmFile(pupil, services);
    expectShownCaptionsFit(frmFile);
    expectFits(FileForm(frmFile).cmdOk, QStringLiteral("Ok"));

    expectShownCaptionsFit(*form);
    // Both instructions, and the longest question number.
    std::vector<QuestionRecord> questions(kMaxQuestions, question(u'1', "?", {"1", "2", "3", "4", "5", "6"}));
    questions[1] = question(u'2', "?", {QString()});
    start(questions);
    expectShownCaptionsFit(*form);
    next();
    expectShownCaptionsFit(*form);
    previous();
    previous();
    EXPECT_EQ(c().LblVopros.text(), QStringLiteral("Задание:  350"));
    expectShownCaptionsFit(*form);
    // The widest the time and the result ever read.
    expectFits(c().LblNow1, timeCaption(999 * 60 + 59));
    expectFits(c().LblProcent, percentLabel(100));
    expectFits(c().LblOcenka, markLabel(5));
}

} // namespace
