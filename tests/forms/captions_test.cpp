#include "main_form_fixture.h"

#include "forms/frm_file.h"
#include "forms/frm_log.h"
#include "results/checking.h"

#include <QStyle>
#include <QStyleOptionButton>

namespace {

// The text in the control's font against the room the control gives it: a label
// its contents, a button what its style leaves inside the frame.
void expectFits(const QWidget& control, const QString& text)
{
    QRect room = control.contentsRect();
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.features = button->autoDefault() ? QStyleOptionButton::AutoDefaultButton : QStyleOptionButton::None;
        room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    const QSize needed = QFontMetrics(control.font()).size(Qt::TextSingleLine, text);
    EXPECT_TRUE(needed.width() <= room.width() && needed.height() <= room.height())
        << control.objectName().toStdString() << " «" << text.toStdString() << "» needs " << needed.width() << " px";
}

// Every caption shown now; what is hidden is never seen.
void expectShownCaptionsFit(const QWidget& form)
{
    for (const QWidget* control : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (const auto* label = qobject_cast<const QLabel*>(control); label && !label->isHidden())
            expectFits(*label, label->text());
        if (const auto* button = qobject_cast<const QPushButton*>(control); button && !button->isHidden())
            expectFits(*button, button->text());
    }
}

TEST_F(ScreenTest, EveryCaptionOfTheThreeFormsFitsItsBox)
{
    const ClassroomFolder classroom;
    expectShownCaptionsFit(FrmLog(run->pupil, services));
    FrmFile frmFile(run->pupil, services);
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
    expectShownCaptionsFit(*form);
    EXPECT_EQ(c().LblVopros.text(), QStringLiteral("Задание:  350"));
    expectFits(c().LblNow1, timeCaption(kMaxQuestions * 32767.0));
    expectFits(c().LblProcent, percentLabel(100));
    expectFits(c().LblOcenka, markLabel(5));
}

} // namespace
