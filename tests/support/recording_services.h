#pragma once

#include "runtime/services.h"

#include <QString>

#include <deque>
#include <functional>
#include <vector>

struct MessageRecord {
    QString text;
    MessageIcon icon = MessageIcon::None;
    QString title;
    bool question = false; // asked with askRetry or askYesNo

    friend bool operator==(const MessageRecord&, const MessageRecord&) = default;
};

// Records every service call. A message box the test did not take with
// takeMessage() fails the test when the double is destroyed, and a message box
// or a random draw after the end of the program fails it at once.
class RecordingServices : public Services {
public:
    ~RecordingServices() override;

    void messageBox(const QString& text, MessageIcon icon, const QString& title = {}) override;
    // Recorded like a message box; answered from retryAnswers, "Отмена" when none is left.
    bool askRetry(const QString& text, const QString& title = {}) override;
    // Recorded like a message box; answered from yesNoAnswers, "Нет" when none is left.
    bool askYesNo(const QString& text, const QString& title = {}) override;
    void sendTab() override;
    void beep() override { ++beeps; }
    void endProgram() override { ++endCalls; }
    bool endRequested() const override { return endCalls > 0; }
    QDateTime now() override { return nowValue; }
    void randomize() override { ++randomizeCalls; }
    double rnd() override;

    // The oldest message box not yet taken; fails the test when there is none.
    MessageRecord takeMessage();
    std::size_t pendingMessages() const { return messages_.size(); }

    // Runs while a message box is "shown", as a pupil would act on it.
    std::function<void(const MessageRecord&)> onMessage;

    int tabs = 0;
    int beeps = 0;
    int endCalls = 0;
    int randomizeCalls = 0;
    QDateTime nowValue{QDate(2026, 12, 7), QTime(9, 5, 3)};
    std::deque<double> randomValues;
    std::deque<bool> retryAnswers;
    std::deque<bool> yesNoAnswers;

private:
    bool ask(const QString& text, const QString& title, std::deque<bool>& answers);

    std::deque<MessageRecord> messages_;
};
