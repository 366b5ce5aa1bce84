#pragma once

#include "runtime/services.h"

#include <random>

// The services of the real program on Qt.
class QtServices : public Services {
public:
    QtServices();
    void messageBox(const QString& text, MessageIcon icon, const QString& title = {}) override;
    bool askRetry(const QString& text, const QString& title = {}) override;
    bool askYesNo(const QString& text, const QString& title = {}) override;
    void sendTab() override;
    void beep() override;
    void endProgram() override;
    bool endRequested() const override { return ended_; }
    QDateTime now() override;
    void randomize() override;
    double rnd() override;

private:
    bool ended_ = false;
    std::mt19937_64 generator_;
};

// Posts a Tab keystroke to the widget that has the focus, as typing Tab would.
void postTabToFocus();
