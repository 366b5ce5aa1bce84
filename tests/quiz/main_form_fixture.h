#pragma once

#include "forms/frm_gl.h"
#include "quiz/session.h"
#include "tests/support/classroom.h"
#include "tests/support/recording_services.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class QWidget;

// A JPEG of the given size in the folder; with turned set it carries the
// orientation mark of a camera held upright, so it is shown turned by 90 degrees.
QString makeJpeg(const QTemporaryDir& folder, const QString& name, QSize size, bool turned = false);

QuestionRecord question(QChar answerForm, const QString& text, const QStringList& options);

// A loaded main form over a test put straight into the session, with the
// pictures' folder as the test's folder.
class ScreenTest : public ::testing::Test {
protected:
    ScreenTest();

    // Fills the bank with the questions as asked and shows the first one.
    void start(const std::vector<QuestionRecord>& questions);
    void next();
    void previous();
    void key(int keyCode, int shiftState);

    MainControls c() { return form->controls(); }
    Attempt& state() { return form->state(); }
    QuestionRecord& bank(int position) { return session->questionBank(position); }
    static bool shown(const QWidget& widget);

    QTemporaryDir folder;
    std::unique_ptr<Session> session = std::make_unique<Session>();
    RecordingServices services;
    std::unique_ptr<FrmGl> form;
};
