#pragma once

#include <QListWidget>
#include <QString>

// The folder list: the current path's folders from the root down, then the
// subfolders of the current one, indented by depth. A double-click or Enter on an
// entry asks to open it; the owner decides, so that a refusal can be reported.
class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent = nullptr);

    // The current folder in the platform's separators.
    const QString& path() const { return path_; }
    // Makes the folder current and lists it. A folder that is missing or cannot be
    // read is thrown as RunError and leaves the list as it was.
    void setPath(const QString& folder);

signals:
    // The folder has been opened, also anew.
    void pathChanged(const QString& path);
    // The pupil wants to open this folder.
    void openRequested(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void requestOpen(QListWidgetItem* item);

    QString path_;
};

// The file list: the names of the files of one folder that match a pattern,
// without regard to letter case, so that files copied from other systems show.
class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(const QString& pattern, QWidget* parent = nullptr);

    const QString& path() const { return path_; }
    const QString& pattern() const { return pattern_; }
    // Lists the folder anew; nothing is selected afterwards. A folder that cannot
    // be read gives an empty list.
    void setPath(const QString& folder);
    // The selected file name, "" when none is selected.
    QString fileName() const;

signals:
    // The pupil selected a file by mouse or keyboard.
    void picked();

protected:
    // A click beside the names or a Ctrl+click on the chosen file keeps it chosen:
    // the pupil moves the choice but never drops it.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;

private:
    QString path_;
    QString pattern_;
    bool refilling_ = false;
};
