#pragma once

#include <QSize>
#include <QString>
#include <QTemporaryDir>

// A JPEG of the given size in the folder; with turned set it carries the
// orientation mark of a camera held upright, so it is shown turned by 90 degrees.
QString makeJpeg(const QTemporaryDir& folder, const QString& name, QSize size, bool turned = false);
