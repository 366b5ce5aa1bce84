#include "runtime/folder_walk.h"

#include "runtime/run_error.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

QStringList filesUnder(const QStringList& folders, const QStringList& patterns)
{
    QStringList all;
    QSet<QString> seen;
    for (const QString& given : folders) {
        const QString folder = QDir::cleanPath(given);
        const QFileInfo info(folder);
        if (!info.exists())
            throw runError(ErrorNumber::PathNotFound, given);
        if (!info.isDir())
            throw runError(ErrorNumber::PathFileAccess, given + QStringLiteral(" (это не папка)"));
        QDirIterator files(folder, patterns, QDir::Files, QDirIterator::Subdirectories);
        QStringList found;
        while (files.hasNext()) {
            const QString path = files.next();
            const QString whole = files.fileInfo().absoluteFilePath();
            if (!seen.contains(whole)) {
                seen.insert(whole);
                found << path;
            }
        }
        found.sort();
        all += found;
    }
    return all;
}
