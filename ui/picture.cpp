#include "ui/picture.h"

#include "runtime/seqfile.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
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

// Read whole into memory, a photograph is decoded with less work: fed in small
// pieces, the decoder leaves its fast path near the end of every piece. A larger
// file is decoded as it is read.
constexpr qint64 kDecodedInMemory = 32 * 1024 * 1024;

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
    QByteArray bytes;
    QBuffer whole(&bytes);
    QIODevice* source = file.get();
    if (file->size() <= kDecodedInMemory) {
        bytes = file->readAll();
        whole.open(QIODevice::ReadOnly);
        source = &whole;
    }
    QImageReader reader(source);
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

PictureCache::PictureCache() : nowPool_(std::make_unique<QThreadPool>()), aheadPool_(std::make_unique<QThreadPool>())
{
}

// No decoding may outlive the labels' owner; what has not begun never will.
PictureCache::~PictureCache()
{
    keep({}, {}, {});
    nowPool_->waitForDone();
    aheadPool_->waitForDone();
}

const PictureCache::Entry* PictureCache::known(const PictureLoad& load, QSize area) const
{
    for (const std::vector<Entry>* list : {&shown_, &left_, &ahead_})
        for (const Entry& entry : *list)
            if (entry.path == load.path && entry.area == area)
                return &entry;
    return nullptr;
}

PictureCache::Entry PictureCache::decode(const PictureLoad& load, QSize area, QThreadPool& pool) const
{
    auto state = std::make_shared<std::atomic<Decoding>>(Decoding::Waiting);
    // A picture nobody waits for any more is skipped, so that a pupil holding
    // PageDown does not queue decodings of questions long passed.
    QFuture<QImage> image = QtConcurrent::run(&pool, [path = load.path, area, state] {
        Decoding waiting = Decoding::Waiting;
        return state->compare_exchange_strong(waiting, Decoding::Running) ? decodeFitted(path, area) : QImage();
    });
    return Entry{load.path, area, std::move(image), std::move(state)};
}

void PictureCache::keep(std::vector<Entry> shown, std::vector<Entry> left, std::vector<Entry> ahead)
{
    const auto kept = [&](const Entry& old) {
        for (const std::vector<Entry>* now : {&shown, &left, &ahead})
            for (const Entry& entry : *now)
                if (entry.state == old.state)
                    return true;
        return false;
    };
    for (const std::vector<Entry>* before : {&shown_, &left_, &ahead_})
        for (const Entry& old : *before)
            if (!kept(old)) {
                Decoding waiting = Decoding::Waiting;
                old.state->compare_exchange_strong(waiting, Decoding::Dropped);
            }
    shown_ = std::move(shown);
    left_ = std::move(left);
    ahead_ = std::move(ahead);
}

void PictureCache::show(std::span<const PictureLoad> loads)
{
    // A decoding ahead that has begun is waited for; one still waiting for its
    // thread is dropped and done now instead, beside the rest.
    const auto begun = [](const Entry* entry) {
        Decoding state = Decoding::Waiting;
        if (entry)
            entry->state->compare_exchange_strong(state, Decoding::Dropped);
        return entry && state == Decoding::Running;
    };
    // Each on a thread of its own: the cores share the work out evenly, and the
    // last picture is not left to begin when the others are done.
    nowPool_->setMaxThreadCount(std::max(1, int(loads.size())));
    std::vector<Entry> shown;
    for (const PictureLoad& load : loads) {
        clearPicture(*load.label);
        const QSize area = pixelArea(*load.label);
        const Entry* entry = known(load, area);
        shown.push_back(begun(entry) ? *entry : decode(load, area, *nowPool_));
    }
    // Nothing asked ahead from the last question may hold these up; what it has
    // decoded stays for the decoding ahead of this one.
    std::vector<Entry> decoded;
    for (const Entry& entry : ahead_)
        if (entry.state->load() == Decoding::Running)
            decoded.push_back(entry);
    keep(shown, shown_, std::move(decoded));
    for (std::size_t i = 0; i < loads.size(); ++i)
        ::show(*loads[i].label, shown[i].image.result());
}

void PictureCache::prefetch(std::span<const PictureLoad> loads)
{
    std::vector<Entry> ahead;
    for (const PictureLoad& load : loads) {
        const QSize area = pixelArea(*load.label);
        const Entry* entry = known(load, area);
        ahead.push_back(entry ? *entry : decode(load, area, *aheadPool_));
    }
    keep(shown_, {}, std::move(ahead));
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
