#pragma once

#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

// A fresh temporary folder made current for one test, as the program runs in a
// classroom folder; the previous current folder comes back afterwards.
class ClassroomFolder {
public:
    ClassroomFolder() : previous_(QDir::currentPath())
    {
        QDir::setCurrent(dir_.path());
        // What the program sees, whatever links lead to the temporary folder.
        root_ = QDir::currentPath();
    }
    ~ClassroomFolder() { QDir::setCurrent(previous_); }
    ClassroomFolder(const ClassroomFolder&) = delete;
    ClassroomFolder& operator=(const ClassroomFolder&) = delete;

    QString path(const QString& relative = {}) const
    {
        return relative.isEmpty() ? root_ : root_ + QLatin1Char('/') + relative;
    }
    QString nativePath(const QString& relative = {}) const { return QDir::toNativeSeparators(path(relative)); }
    void makeFolder(const QString& relative) const { QDir(root_).mkpath(relative); }

private:
    QTemporaryDir dir_;
    QString previous_;
    QString root_;
};

// Types the text key by key; QTest::keyClicks takes Latin-1 only.
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// The entry of a list whose text, blanks of indentation aside, is the name.
inline QListWidgetItem* itemNamed(QListWidget& list, const QString& name)
{
    for (int row = 0; row < list.count(); ++row)
        if (list.item(row)->text().trimmed() == name)
            return list.item(row);
    ADD_FAILURE() << "No entry " << name.toStdString() << " in " << list.objectName().toStdString();
    return nullptr;
}

inline void clickItem(QListWidget& list, const QString& name)
{
    if (QListWidgetItem* item = itemNamed(list, name))
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(item).center());
}

inline void doubleClickItem(QListWidget& list, const QString& name)
{
    if (QListWidgetItem* item = itemNamed(list, name)) {
        const QPoint at = list.visualItemRect(item).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
    }
}
