#include "pictures.h"

#include <QFile>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

QString makeJpeg(const QTemporaryDir& folder, const QString& name, QSize size, bool turned)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QPainter(&image).fillRect(0, 0, size.width() / 2, size.height() / 2, Qt::yellow);
    const QString path = folder.filePath(name);
    EXPECT_TRUE(image.save(path, "JPG"));
    if (turned) {
        // An EXIF segment right after the start marker: orientation 6, turn right.
        static const char exif[] = "\xFF\xE1\x00\x22"
                                   "Exif\0\0MM\x00\x2A\x00\x00\x00\x08\x00\x01"
                                   "\x01\x12\x00\x03\x00\x00\x00\x01\x00\x06\x00\x00\x00\x00\x00\x00";
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll().insert(2, QByteArray(exif, sizeof exif - 1));
        file.seek(0);
        file.write(bytes);
    }
    return path;
}
