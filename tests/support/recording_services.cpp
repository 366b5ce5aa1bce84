#include "recording_services.h"

#include "ui/qt_services.h"

#include <gtest/gtest.h>

RecordingServices::~RecordingServices()
{
    for (const MessageRecord& m : messages_)
        ADD_FAILURE() << "Unexpected message box: \"" << m.text.toStdString() << "\" icon " << int(m.icon)
                      << " title \"" << m.title.toStdString() << "\"";
}

void RecordingServices::messageBox(const QString& text, MessageIcon icon, const QString& title)
{
    if (endRequested())
        ADD_FAILURE() << "Message box after the end of the program: \"" << text.toStdString() << "\"";
    messages_.push_back({text, icon, title});
    if (onMessage)
        onMessage(messages_.back());
}

bool RecordingServices::askRetry(const QString& text, const QString& title)
{
    return ask(text, title, retryAnswers);
}

bool RecordingServices::askYesNo(const QString& text, const QString& title)
{
    return ask(text, title, yesNoAnswers);
}

bool RecordingServices::ask(const QString& text, const QString& title, std::deque<bool>& answers)
{
    if (endRequested())
        ADD_FAILURE() << "Question after the end of the program: \"" << text.toStdString() << "\"";
    messages_.push_back({text, MessageIcon::None, title, true});
    if (onMessage)
        onMessage(messages_.back());
    if (answers.empty())
        return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void RecordingServices::sendTab()
{
    ++tabs;
    postTabToFocus();
}

double RecordingServices::rnd()
{
    if (randomValues.empty()) {
        ADD_FAILURE() << "The test gave no more random values";
        return 0.0;
    }
    const double value = randomValues.front();
    randomValues.pop_front();
    return value;
}

MessageRecord RecordingServices::takeMessage()
{
    if (messages_.empty()) {
        ADD_FAILURE() << "A message box was expected, none was shown";
        return {};
    }
    MessageRecord m = messages_.front();
    messages_.pop_front();
    return m;
}
