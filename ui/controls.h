#pragma once

#include <QString>
#include <QWidget>

#include <utility>

// A control of a fixed form, created on it under the name its handlers and the
// form's twips table know it by.
template <typename W, typename... Args>
W* makeControl(QWidget* form, const QString& name, Args&&... args)
{
    auto* control = new W(std::forward<Args>(args)..., form);
    control->setObjectName(name);
    return control;
}
