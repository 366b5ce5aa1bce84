#pragma once

#include <QString>

#include <optional>

class Desktop;
class QLineEdit;
class QWidget;
class Services;

// The title of the teacher's window and of its message boxes.
inline const QString kTeacherTitle = QStringLiteral("Школьник: учитель");

// The folder a tab of the teacher's window works on, in its folder box: remembered
// between runs under the tab's own key, the classroom folder until one is chosen.
struct TabFolder {
    QLineEdit& box;
    QString settingsKey;

    // Fills the box with the folder remembered, or the classroom folder.
    void show(const QString& classroomFolder) const;
    // Lets the teacher choose another folder, starting at the one in the box.
    void choose(Desktop& desktop, QWidget* parent) const;
    // The folder to work on as a whole path, remembered; nothing when the box is
    // empty, and the teacher is told so with askText.
    std::optional<QString> take(Services& services, const QString& askText) const;
};
