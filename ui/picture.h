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
// after the one on screen, so decoding their pictures while the pupil reads the
// question makes every move show its photographs at once.
class PictureCache {
public:
    PictureCache();
    ~PictureCache();
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    // Shows each picture in its label as loadPicture would: what was decoded ahead
    // is used, the rest is decoded now, all at once, ahead of anything asked ahead.
    void show(std::span<const PictureLoad> loads);
    // Starts decoding these in the background for a later show. Only these, the
    // pictures shown last and, until this call, those shown before them are kept.
    void prefetch(std::span<const PictureLoad> loads);
    // Waits until everything asked for ahead is decoded.
    void waitForPrefetch();

private:
    // A decoding still waiting for a thread can be dropped; once running it runs to the end.
    enum class Decoding { Waiting, Running, Dropped };
    struct Entry {
        QString path;
        QSize area;
        QFuture<QImage> image;
        std::shared_ptr<std::atomic<Decoding>> state;
    };
    // The entry known for this load, nullptr when there is none.
    const Entry* known(const PictureLoad& load, QSize area) const;
    Entry decode(const PictureLoad& load, QSize area, QThreadPool& pool) const;
    // Keeps these; a decoding of anything else that has not begun is dropped.
    void keep(std::vector<Entry> shown, std::vector<Entry> left, std::vector<Entry> ahead);

    std::vector<Entry> shown_;
    std::vector<Entry> left_; // the question just left: a move back shows it again
    std::vector<Entry> ahead_;
    // The pictures of the question on screen, each on a thread of its own, so that
    // none waits for another; and the decoding ahead, apart, so that it never queues before them.
    std::unique_ptr<QThreadPool> nowPool_;
    std::unique_ptr<QThreadPool> aheadPool_;
};
