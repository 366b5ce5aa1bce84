#pragma once

#include "forms/frm_gl.h"
#include "quiz/quiz_run.h"
#include "tests/support/classroom.h"
#include "tests/support/form_controls.h"
#include "tests/support/pictures.h"
#include "tests/support/recording_services.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class QWidget;

QuestionRecord question(QChar answerForm, const QString& text, const QStringList& options);

// A loaded main form over a quiz put straight into the run, with the pictures'
// folder as the quiz folder.
class ScreenTest : public ::testing::Test {
protected:
    ScreenTest();

    // Fills the bank with the questions as asked, begins the quiz and shows it.
    void start(const std::vector<QuestionRecord>& questions);
    // "Следующий" and "Предыдущий".
    void next();
    void previous();
    // A key pressed on the form.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    MainForm c() { return MainForm(*form); }
    Attempt& state() { return run->attempt; }
    QuestionRecord& bank(int position) { return run->questionBank(position); }
    static bool shown(const QWidget& widget);

    QTemporaryDir folder;
    std::unique_ptr<QuizRun> run = std::make_unique<QuizRun>();
    RecordingServices services;
    std::unique_ptr<FrmGl> form;
};
