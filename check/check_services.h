#pragma once

#include "runtime/services.h"

#include <random>

// The services loadQuiz needs when the teacher's checker calls it: a draw that
// comes out the same at every check. loadQuiz shows nothing and asks nothing.
class CheckServices : public Services {
public:
    void messageBox(const QString&, MessageIcon, const QString&) override {}
    bool askRetry(const QString&, const QString&) override { return false; }
    bool askYesNo(const QString&, const QString&) override { return false; }
    void sendTab() override {}
    void beep() override {}
    void endProgram() override {}
    bool endRequested() const override { return false; }
    QDateTime now() override { return QDateTime::currentDateTime(); }
    void randomize() override { generator_.seed(); }
    double rnd() override { return std::generate_canonical<double, 53>(generator_); }

private:
    std::mt19937 generator_;
};
