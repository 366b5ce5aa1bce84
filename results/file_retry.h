#pragma once

#include "runtime/seqfile.h"
#include "runtime/services.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

// How the result files deal with a file that cannot be written: who is asked, and
// how long a file held by another computer is waited for before asking.
struct FileRetry {
    Services& services;
    std::chrono::milliseconds lockWait{10000};
};

// Runs a file operation until it succeeds. While the file at path is held by
// another program it is tried again for up to lockWait; after that, and at once
// for any other failure, the user is told the file and the reason and may try
// again. False when the user gave up on this file.
bool retryFileOperation(FileRetry& retry, const QString& path, const QString& what,
                        const std::function<void()>& operation);

// Writes the whole protocol, replacing an earlier one.
bool writeProtocol(FileRetry& retry, const QString& path, const QStringList& lines);
// Appends one line to the class register under its write lock.
bool appendRegisterLine(FileRetry& retry, const QString& registerPath, const QString& line);
// Rewrites the statistics file from the register; the previous file stays until
// the new one is complete.
bool rebuildStatistics(FileRetry& retry, const QString& registerPath, const QString& statisticsPath);
