#include "main_form_fixture.h"

#include <QApplication>
#include <QTest>

QuestionRecord question(QChar answerForm, const QString& text, const QStringList& options)
{
    QuestionRecord r;
    r.answerForm = answerForm;
    r.optionCount = QChar(char16_t(u'0' + options.size()));
    r.questionText = text;
    r.points = 1;
    for (int j = 1; j <= options.size() && j <= kMaxOptions; ++j)
        r.optionText(j) = options[j - 1];
    return r;
}

ScreenTest::ScreenTest()
{
    run->pupil.pupilName = QStringLiteral("Иванова Мария");
    run->pupil.testFolder = folder.path() + u'/';
    form = std::make_unique<FrmGl>(*run, services, DeskSetup{folder.filePath(QStringLiteral("journals")), {}});
    form->load();
}

void ScreenTest::start(const std::vector<QuestionRecord>& questions)
{
    for (std::size_t p = 0; p < questions.size(); ++p)
        bank(int(p) + 1) = questions[p];
    run->header.askCount = std::int16_t(questions.size());
    beginQuiz(*run, services.now());
    form->showRun();
}

void ScreenTest::next()
{
    c().cmdNapravo.click();
}

void ScreenTest::previous()
{
    c().cmdNalevo.click();
}

void ScreenTest::key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    // The focused control is the first to receive a key, as at the keyboard.
    QWidget* target = QApplication::focusWidget();
    if (!target || !form->isAncestorOf(target))
        target = form.get();
    QTest::keyClick(target, key, modifiers);
}

bool ScreenTest::shown(const QWidget& widget)
{
    return !widget.isHidden();
}
