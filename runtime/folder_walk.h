#pragma once

#include <QString>
#include <QStringList>

// The files under each folder and its subfolders whose names match one of the
// patterns (letter case ignored), each file once, sorted within each folder
// given. Links to folders are not followed: a link back up would never end. A
// folder that is missing is thrown as RunError 76, one that is a file as 75.
QStringList filesUnder(const QStringList& folders, const QStringList& patterns);
