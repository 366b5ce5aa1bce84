#pragma once

#include <QFuture>
#include <QImage>
#include <QSize>
#include <QString>

#include <atomic>
#include <memory>
#include <vector>

#include <span>

class QLabel;
class QThreadPool;

// Shows the picture file in the label, fitted to the label with its proportions
// kept. The file is decoded at the size shown, so a large photograph costs little.
// A missing or unreadable file leaves the label empty; returns whether a picture is shown.
bool loadPicture(QLabel& label, const QString& path);
void clearPicture(QLabel& label);

struct PictureLoad {
    QLabel* label;
    QString path;
};

// Pictures decoded ahead of time. A move only ever reaches the question before or
// after the one on screen, so decoding their pictures while the pupil reads makes
// every move show its photographs at once.
class PictureCache {
public:
    PictureCache();
    ~PictureCache();
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    // Shows each picture in its label as loadPicture would: what was decoded ahead
    // is used, the rest is decoded now, side by side on the processor's cores.
    void show(std::span<const PictureLoad> loads);
    // Starts decoding these in the background for a later show. Only these and the
    // pictures shown last are kept.
    void prefetch(std::span<const PictureLoad> loads);
    // Waits until everything asked for ahead is decoded.
    void waitForPrefetch();

private:
    struct Entry {
        QString path;
        QSize area;
        QFuture<QImage> image;
        std::shared_ptr<std::atomic<bool>> wanted;
    };
    // What was decoded ahead for this load, or its decoding started now.
    Entry entryFor(const PictureLoad& load) const;
    // Keeps these; a decoding of anything else that has not begun is skipped.
    void keep(std::vector<Entry> shown, std::vector<Entry> ahead);

    std::vector<Entry> shown_;
    std::vector<Entry> ahead_;
    std::unique_ptr<QThreadPool> pool_;
};
