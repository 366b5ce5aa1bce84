#include "picture.h"

#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QThreadPool>

#include <vector>

namespace {

// As large as fits in the area with the proportions kept; a thin line keeps a pixel.
QSize fittedSize(const QSize& picture, const QSize& area)
{
    if (picture.isEmpty() || area.isEmpty())
        return {};
    return picture.scaled(area, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

// Runs away from the user-interface thread: touches no widget.
QImage decodeFitted(const QString& path, const QSize& area)
{
    if (area.isEmpty())
        return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    // The reader shrinks before it turns the picture upright, so a turned
    // photograph is fitted against the area turned the same way.
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize stored = reader.size();
    const QSize shrunk = fittedSize(stored, turned ? area.transposed() : area);
    const bool shrink = !shrunk.isEmpty() && shrunk.width() <= stored.width();
    if (shrink)
        reader.setScaledSize(shrunk);
    QImage image = reader.read();
    // A small picture, or one whose size the reader could not tell beforehand.
    if (!image.isNull() && !shrink)
        image = image.scaled(fittedSize(image.size(), area), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

QSize pixelArea(const QLabel& label)
{
    return label.contentsRect().size() * label.devicePixelRatioF();
}

bool show(QLabel& label, QImage image)
{
    if (image.isNull())
        return false;
    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    pixmap.setDevicePixelRatio(label.devicePixelRatioF());
    label.setPixmap(pixmap);
    return true;
}

} // namespace

bool loadPicture(QLabel& label, const QString& path)
{
    clearPicture(label);
    return show(label, decodeFitted(path, pixelArea(label)));
}

void loadPictures(std::span<const PictureLoad> loads)
{
    std::vector<QSize> areas;
    for (const PictureLoad& load : loads) {
        clearPicture(*load.label);
        areas.push_back(pixelArea(*load.label));
    }
    std::vector<QImage> images(loads.size());
    QThreadPool pool;
    for (std::size_t i = 0; i < loads.size(); ++i)
        pool.start([&, i] { images[i] = decodeFitted(loads[i].path, areas[i]); });
    pool.waitForDone();
    for (std::size_t i = 0; i < loads.size(); ++i)
        show(*loads[i].label, std::move(images[i]));
}

void clearPicture(QLabel& label)
{
    label.clear();
}
