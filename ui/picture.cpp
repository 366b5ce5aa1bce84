#include "ui/picture.h"

#include "runtime/seqfile.h"

#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>

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
    std::unique_ptr<QFile> file;
    try {
        file = openRegularFile(path);
    } catch (const RunError&) {
        return {}; // a missing picture, or a pipe or device named as one, shows nothing
    }
    QImageReader reader(file.get());
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

PictureCache::PictureCache() : pool_(std::make_unique<QThreadPool>()) {}

// No decoding may outlive the labels' owner.
PictureCache::~PictureCache()
{
    pool_->waitForDone();
}

PictureCache::Entry PictureCache::entryFor(const PictureLoad& load) const
{
    const QSize area = pixelArea(*load.label);
    for (const std::vector<Entry>* known : {&ahead_, &shown_})
        for (const Entry& entry : *known)
            if (entry.path == load.path && entry.area == area)
                return entry;
    auto wanted = std::make_shared<std::atomic<bool>>(true);
    // A picture nobody waits for any more is skipped, so that a pupil holding
    // PageDown does not queue decodings of questions long passed.
    QFuture<QImage> image = QtConcurrent::run(pool_.get(), [path = load.path, area, wanted] {
        return wanted->load() ? decodeFitted(path, area) : QImage();
    });
    return Entry{load.path, area, std::move(image), std::move(wanted)};
}

void PictureCache::keep(std::vector<Entry> shown, std::vector<Entry> ahead)
{
    const auto kept = [&](const Entry& old) {
        for (const std::vector<Entry>* now : {&shown, &ahead})
            for (const Entry& entry : *now)
                if (entry.wanted == old.wanted)
                    return true;
        return false;
    };
    for (const std::vector<Entry>* before : {&shown_, &ahead_})
        for (const Entry& old : *before)
            if (!kept(old))
                old.wanted->store(false);
    shown_ = std::move(shown);
    ahead_ = std::move(ahead);
}

void PictureCache::show(std::span<const PictureLoad> loads)
{
    std::vector<Entry> shown;
    for (const PictureLoad& load : loads) {
        clearPicture(*load.label);
        shown.push_back(entryFor(load));
    }
    for (std::size_t i = 0; i < loads.size(); ++i)
        ::show(*loads[i].label, shown[i].image.result());
    keep(std::move(shown), ahead_);
}

void PictureCache::prefetch(std::span<const PictureLoad> loads)
{
    std::vector<Entry> ahead;
    for (const PictureLoad& load : loads)
        ahead.push_back(entryFor(load));
    keep(shown_, std::move(ahead));
}

void PictureCache::waitForPrefetch()
{
    for (Entry& entry : ahead_)
        entry.image.waitForFinished();
}

void clearPicture(QLabel& label)
{
    label.clear();
}
