#pragma once

#include <QLabel>

// A label that screen readers treat as a status line: what they announce is its
// accessible name, said again only when that changes, not its text.
class StatusLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
};

// Tells screen readers what the widgets' own classes leave unsaid: a plain
// top-level form is a window with its title, a StatusLabel a status line.
// Called before such widgets are made; calling it again does nothing.
void installAccessibleRoles();
