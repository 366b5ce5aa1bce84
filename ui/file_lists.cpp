#include "ui/file_lists.h"

#include "runtime/run_error.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>

namespace {

constexpr int kPathRole = Qt::UserRole;

// Listing a folder needs the right to read it and, on POSIX, to pass through it.
bool folderReadable(const QFileInfo& info)
{
#ifdef Q_OS_WIN
    return info.isReadable();
#else
    return info.isReadable() && info.isExecutable();
#endif
}

QString absoluteFolder(const QString& folder)
{
    return QDir(QDir::fromNativeSeparators(folder)).absolutePath();
}

} // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemDoubleClicked, this, &FolderList::requestOpen);
}

void FolderList::setPath(const QString& folder)
{
    const QString absolute = absoluteFolder(folder);
    const QString shown = QDir::toNativeSeparators(absolute);
    const QFileInfo info(absolute);
    if (!info.isDir())
        throw runError(ErrorNumber::PathNotFound, QStringLiteral("папка ") + shown);
    if (!folderReadable(info))
        throw runError(ErrorNumber::PermissionDenied, QStringLiteral("папка ") + shown);

    QStringList chain;
    for (QDir dir(absolute);;) {
        chain.prepend(dir.absolutePath());
        if (!dir.cdUp())
            break;
    }
    const QFileInfoList subfolders =
        QDir(absolute).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);

    clear();
    const auto add = [this](const QString& folderPath, const QString& name, int depth, QStyle::StandardPixmap icon) {
        auto* item = new QListWidgetItem(style()->standardIcon(icon), QString(depth * 2, QLatin1Char(' ')) + name, this);
        item->setData(kPathRole, QDir::toNativeSeparators(folderPath));
        return item;
    };
    QListWidgetItem* current = nullptr;
    for (int depth = 0; depth < chain.size(); ++depth) {
        const QDir dir(chain[depth]);
        const QString name = dir.isRoot() ? QDir::toNativeSeparators(chain[depth]) : dir.dirName();
        current = add(chain[depth], name, depth, QStyle::SP_DirOpenIcon);
    }
    for (const QFileInfo& sub : subfolders)
        add(sub.absoluteFilePath(), sub.fileName(), int(chain.size()), QStyle::SP_DirClosedIcon);
    setCurrentItem(current);

    path_ = shown;
    emit pathChanged(path_);
}

void FolderList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        requestOpen(currentItem());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FolderList::requestOpen(QListWidgetItem* item)
{
    if (item)
        emit openRequested(item->data(kPathRole).toString());
}

FileList::FileList(const QString& pattern, QWidget* parent) : QListWidget(parent), pattern_(pattern)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (!refilling_)
            emit picked();
    });
    // A click on the file already selected changes no selection but is a pick all the same.
    connect(this, &QListWidget::itemClicked, this, &FileList::picked);
}

void FileList::setPath(const QString& folder)
{
    const QString absolute = absoluteFolder(folder);
    refilling_ = true;
    clear();
    addItems(QDir(absolute).entryList({pattern_}, QDir::Files, QDir::Name | QDir::IgnoreCase));
    refilling_ = false;
    path_ = QDir::toNativeSeparators(absolute);
}

QItemSelectionModel::SelectionFlags FileList::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    if (!index.isValid() || command.testFlag(QItemSelectionModel::Deselect))
        return QItemSelectionModel::NoUpdate;
    return command;
}

QString FileList::fileName() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}
