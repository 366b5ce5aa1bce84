#pragma once

#include "check/finding.h"

#include <QIODevice>
#include <QSize>
#include <QString>

#include <optional>

// What the start of a picture file tells, read without decoding the picture.
struct JpegHeader {
    enum class Kind { Jpeg, NotJpeg, Damaged };
    Kind kind = Kind::NotJpeg;
    QSize size; // a JPEG's width and height
};
JpegHeader readJpegHeader(QIODevice& device);

// The main form shows no picture larger than about 350 × 160 points; a picture of
// more pixels than this costs an old computer time and shows nothing more.
constexpr qint64 kPicturePixelsEnough = 4'000'000;

struct PictureProblem {
    Severity severity = Severity::Error;
    QString code;
    QString message;
};

// What keeps the picture at path from showing as meant, nothing when it shows;
// name is the picture as the quiz writes it.
std::optional<PictureProblem> pictureProblem(const QString& path, const QString& name);
