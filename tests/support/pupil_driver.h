#pragma once

#include "forms/frm_log.h"
#include "tests/support/form_controls.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using Showing = std::function<void(FrmLog&)>;

// Acts as the pupil on each registration form the start-up shows modally, one
// action per showing. A showing nobody expected fails and leaves by "Выход".
class Pupil {
public:
    explicit Pupil(std::vector<Showing> showings) : showings_(std::move(showings))
    {
        QObject::connect(&poll_, &QTimer::timeout, [this] { act(); });
        poll_.start(5);
    }
    int seen() const { return seen_; }

private:
    void act()
    {
        auto* form = qobject_cast<FrmLog*>(QApplication::activeModalWidget());
        if (!form || !form->isVisible() || form->property("seen").toBool())
            return;
        form->setProperty("seen", true);
        ++seen_;
        if (seen_ > int(showings_.size())) {
            ADD_FAILURE() << "The registration form came back once more than expected";
            QTest::mouseClick(&LogForm(*form).cmdExit, Qt::LeftButton);
            return;
        }
        showings_[std::size_t(seen_ - 1)](*form);
    }

    std::vector<Showing> showings_;
    QTimer poll_;
    int seen_ = 0;
};
