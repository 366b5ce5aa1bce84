#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <algorithm>
#include <cstring>

// A device that gives some bytes and then fails, as a broken network share does.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(QByteArray first) : first_(std::move(first)) { open(QIODevice::ReadOnly); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (first_.isEmpty()) {
            setErrorString(QStringLiteral("сеть недоступна"));
            return -1;
        }
        const qint64 n = std::min<qint64>(maxSize, first_.size());
        std::memcpy(data, first_.constData(), size_t(n));
        first_.remove(0, n);
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }
    bool isSequential() const override { return true; }

private:
    QByteArray first_;
};
