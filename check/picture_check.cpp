#include "check/picture_check.h"

#include "quiz/quiz_files.h"
#include "runtime/seqfile.h"

#include <QFileInfo>

namespace {

// No picture holds more segments before its frame; a file that does is no picture.
constexpr int kMaxSegments = 1000;

bool readByte(QIODevice& device, unsigned char& byte)
{
    char c = 0;
    if (!device.getChar(&c))
        return false;
    byte = static_cast<unsigned char>(c);
    return true;
}

bool readWord(QIODevice& device, int& word)
{
    unsigned char high = 0, low = 0;
    if (!readByte(device, high) || !readByte(device, low))
        return false;
    word = high << 8 | low;
    return true;
}

// The frame headers that carry the size: C0 to CF, except the tables C4, C8 and CC.
bool isFrameHeader(unsigned char marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length: TEM, the restarts and the start of the image.
bool standsAlone(unsigned char marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8);
}

} // namespace

JpegHeader readJpegHeader(QIODevice& device)
{
    if (device.peek(3) != QByteArrayLiteral("\xFF\xD8\xFF") || device.skip(2) != 2)
        return {JpegHeader::Kind::NotJpeg, {}};
    const JpegHeader damaged{JpegHeader::Kind::Damaged, {}};
    for (int segment = 0; segment < kMaxSegments; ++segment) {
        // Stray bytes before a marker are passed over, as the decoder does, and so
        // is any number of fill bytes.
        unsigned char marker = 0;
        do {
            if (!readByte(device, marker))
                return damaged;
        } while (marker != 0xFF);
        while (marker == 0xFF)
            if (!readByte(device, marker))
                return damaged;
        if (marker == 0x00 || standsAlone(marker))
            continue;
        // The image data, or its end, before any frame header: no size to be had.
        if (marker == 0xDA || marker == 0xD9)
            return damaged;
        int length = 0;
        if (!readWord(device, length) || length < 2)
            return damaged;
        if (isFrameHeader(marker)) {
            unsigned char precision = 0;
            int height = 0, width = 0;
            if (!readByte(device, precision) || !readWord(device, height) || !readWord(device, width) || height == 0
                || width == 0)
                return damaged;
            return {JpegHeader::Kind::Jpeg, QSize(width, height)};
        }
        if (device.skip(length - 2) != length - 2)
            return damaged;
    }
    return damaged;
}

std::optional<PictureProblem> pictureProblem(const QString& path, const QString& name)
{
    if (!QFileInfo::exists(path)) {
        const QString found = existingFileIgnoringCase(path);
        if (found != path)
            return PictureProblem{Severity::Error, QStringLiteral("picture.letter-case"),
                                  QStringLiteral("рисунок «%1» есть только как «%2»: на Linux заглавные и строчные "
                                                 "буквы в именах различаются, и рисунок не показывается")
                                      .arg(name, QFileInfo(found).fileName())};
        return PictureProblem{Severity::Error, QStringLiteral("picture.missing"),
                              QStringLiteral("нет рисунка «%1» в папке теста").arg(name)};
    }
    JpegHeader header;
    try {
        const auto file = openRegularFile(path);
        header = readJpegHeader(*file);
    } catch (const RunError& error) {
        return PictureProblem{Severity::Error, QStringLiteral("picture.unreadable"),
                              QStringLiteral("рисунок «%1» не читается: %2").arg(name, error.description())};
    }
    switch (header.kind) {
    case JpegHeader::Kind::NotJpeg:
        return PictureProblem{Severity::Error, QStringLiteral("picture.not-jpeg"),
                              QStringLiteral("файл «%1» — не рисунок JPEG").arg(name)};
    case JpegHeader::Kind::Damaged:
        return PictureProblem{Severity::Error, QStringLiteral("picture.unreadable"),
                              QStringLiteral("рисунок «%1» повреждён: в нём не найден размер рисунка").arg(name)};
    case JpegHeader::Kind::Jpeg:
        break;
    }
    const QSize size = header.size;
    if (qint64(size.width()) * size.height() > kPicturePixelsEnough)
        return PictureProblem{Severity::Warning, QStringLiteral("picture.too-large"),
                              QStringLiteral("рисунок «%1» — %2×%3 точек, больше 4 мегапикселей: на экране теста он "
                                             "намного меньше, а на старом компьютере открывается медленно")
                                  .arg(name, QString::number(size.width()), QString::number(size.height()))};
    return std::nullopt;
}
