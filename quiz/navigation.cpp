#include "quiz/navigation.h"

#include "quiz/display.h"

#include "runtime/services.h"
#include "ui/form_helpers.h"

namespace {

// What a move needs: a started test with at least one question, so that every
// position it touches lies inside the tables.
bool canMove(const Session& session, const Attempt& state)
{
    const int askCount = session.header.askCount;
    return state.quizRunning && askCount >= 1 && askCount <= kMaxQuestions;
}

bool questionOnScreen(const Session& session, const Attempt& state)
{
    return state.currentQuestion >= 1 && state.currentQuestion <= session.header.askCount;
}

constexpr int kCtrlAlt = 6;

} // namespace

void moveNext(const MainControls& controls, Session& session, Attempt& state)
{
    if (!canMove(session, state))
        return;
    if (questionOnScreen(session, state))
        leaveQuestion(controls, session, state);
    if (++state.currentQuestion > session.header.askCount || state.currentQuestion < 1)
        state.currentQuestion = 1;
    showQuestion(controls, session, state);
}

void movePrevious(const MainControls& controls, Session& session, Attempt& state)
{
    if (!canMove(session, state))
        return;
    if (questionOnScreen(session, state))
        leaveQuestion(controls, session, state);
    if (--state.currentQuestion < 1 || state.currentQuestion > session.header.askCount)
        state.currentQuestion = session.header.askCount;
    showQuestion(controls, session, state);
}

QString productNoticeTitle()
{
    return QStringLiteral("О программе «Школьник» (версия ") + QStringLiteral(SHKOLNIK_VERSION) + u')';
}

QString productNoticeText()
{
    return QStringLiteral("«Школьник» — программа ученика для компьютерного тестирования.\nВерсия ")
        + QStringLiteral(SHKOLNIK_VERSION);
}

void keyDown(int keyCode, int shiftState, const MainControls& controls, Session& session, Attempt& state,
             Services& services)
{
    if (keyCode == KeyCode::PageUp)
        movePrevious(controls, session, state);
    else if (keyCode == KeyCode::PageDown)
        moveNext(controls, session, state);
    if (keyCode == KeyCode::F1 && shiftState == kCtrlAlt)
        services.messageBox(productNoticeText(), MessageIcon::Information, productNoticeTitle());
}
