#pragma once

#include "runtime/services.h"

#include <cstdio>

// The services of a program nobody sits at (a second computer's writer, a
// benchmark, the fuzzer): every box goes to standard error, every question is
// answered "Отмена", and the clock stands still.
class UnattendedServices : public Services {
public:
    void messageBox(const QString& text, MessageIcon, const QString&) override { complain(text); }
    bool askRetry(const QString& text, const QString&) override
    {
        complain(text);
        return false;
    }
    bool askYesNo(const QString& text, const QString&) override
    {
        complain(text);
        return false;
    }
    void sendTab() override {}
    void beep() override {}
    void endProgram() override {}
    bool endRequested() const override { return false; }
    QDateTime now() override { return QDateTime(QDate(2026, 12, 7), QTime(9, 5, 3)); }
    void randomize() override {}
    double rnd() override { return 0; }

    bool complained = false;

private:
    void complain(const QString& text)
    {
        complained = true;
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    }
};
