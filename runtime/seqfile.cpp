#include "runtime/seqfile.h"

#include "runtime/conversions.h"
#include "runtime/cp1251.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr char kCtrlZ = 0x1A;
constexpr qint64 kChunk = 64 * 1024;

} // namespace

SeqReader::SeqReader(QIODevice& device, QString fileName)
    : device_(device), fileName_(std::move(fileName))
{
}

void SeqReader::fail(int number, const QString& what) const
{
    QString detail = QStringLiteral("файл %1, строка %2").arg(fileName_, QString::number(line_));
    if (!what.isEmpty())
        detail += QStringLiteral(": ") + what;
    throw runError(number, detail);
}

int SeqReader::peek()
{
    if (pos_ >= buffer_.size()) {
        if (deviceDone_)
            return -1;
        buffer_.resize(kChunk);
        const qint64 n = device_.read(buffer_.data(), kChunk);
        pos_ = 0;
        if (n <= 0) {
            buffer_.clear();
            deviceDone_ = true;
            if (n < 0)
                fail(ErrorNumber::DeviceIo, device_.errorString());
            return -1;
        }
        buffer_.resize(n);
    }
    const char c = buffer_[pos_];
    if (c == kCtrlZ) {
        deviceDone_ = true;
        buffer_.clear();
        pos_ = 0;
        return -1;
    }
    return static_cast<unsigned char>(c);
}

bool SeqReader::atEnd()
{
    return peek() < 0;
}

bool SeqReader::skipLineEnd()
{
    const int c = peek();
    if (c == '\r') {
        advance();
        if (peek() == '\n')
            advance();
    } else if (c == '\n') {
        advance();
    } else {
        return false;
    }
    ++line_;
    return true;
}

QString SeqReader::lineInput()
{
    if (atEnd())
        fail(ErrorNumber::PastEndOfFile);
    // Scans the buffer a run at a time: the statistics read a register of many
    // thousand lines at every finished test.
    QByteArray carried; // the start of a line that runs past the buffer
    while (peek() >= 0) {
        const char* begin = buffer_.constData() + pos_;
        const char* end = buffer_.constData() + buffer_.size();
        const char* stop = begin;
        while (stop != end && *stop != '\r' && *stop != '\n' && *stop != kCtrlZ)
            ++stop;
        if (stop != end) {
            const QString line = carried.isEmpty() ? fromCp1251(QByteArrayView(begin, stop - begin))
                                                   : fromCp1251(carried.append(begin, stop - begin));
            pos_ += stop - begin;
            skipLineEnd();
            return line;
        }
        carried.append(begin, stop - begin);
        pos_ += stop - begin;
    }
    return fromCp1251(carried);
}

QString SeqReader::fieldInput()
{
    if (atEnd())
        fail(ErrorNumber::PastEndOfFile);
    int c = peek();
    while (c == ' ' || c == '\t') {
        advance();
        c = peek();
    }
    QByteArray bytes;
    if (c == '"') {
        advance();
        for (c = peek(); c >= 0 && c != '"' && c != '\r' && c != '\n'; c = peek()) {
            bytes += char(c);
            advance();
        }
        if (c == '"')
            advance();
        // Whatever follows the closing quote up to the field's end is not part of it.
        for (c = peek(); c >= 0 && c != ',' && c != '\r' && c != '\n'; c = peek())
            advance();
    } else {
        for (; c >= 0 && c != ',' && c != '\r' && c != '\n'; c = peek()) {
            bytes += char(c);
            advance();
        }
        while (bytes.endsWith(' '))
            bytes.chop(1);
    }
    if (peek() == ',')
        advance();
    else
        skipLineEnd();
    return fromCp1251(bytes);
}

Int16Field SeqReader::int16Field()
{
    Int16Field field;
    if (atEnd())
        return field;
    field.text = fieldInput();
    const std::optional<double> number = parseNumber(field.text);
    if (!number) {
        field.status = Int16Field::Status::NotNumber;
        return field;
    }
    const std::optional<std::int16_t> value = toInt16(*number);
    if (!value) {
        field.status = Int16Field::Status::Overflow;
        return field;
    }
    field.status = Int16Field::Status::Ok;
    field.value = *value;
    return field;
}

namespace {

// Why a file could not be opened, as the runtime's failure numbers say it.
RunError openFailure(const QString& path, int systemError)
{
    const QFileInfo info(path);
    if (systemError == ENOENT || (!info.exists() && systemError == 0)) {
        if (!info.absoluteDir().exists())
            return runError(ErrorNumber::PathNotFound, path);
        return runError(ErrorNumber::FileNotFound, path);
    }
    if (systemError == EACCES || systemError == EPERM || systemError == EROFS)
        return runError(ErrorNumber::PermissionDenied, path);
    if (systemError == EISDIR || info.isDir())
        return runError(ErrorNumber::PathFileAccess, path + QStringLiteral(" (это папка)"));
    if (systemError == ENOSPC || systemError == EIO)
        return runError(ErrorNumber::DeviceIo, path + QStringLiteral(" (") + QString::fromLocal8Bit(std::strerror(systemError)) + QLatin1Char(')'));
    return runError(ErrorNumber::PathFileAccess,
                    path + QStringLiteral(" (") + QString::fromLocal8Bit(std::strerror(systemError)) + QLatin1Char(')'));
}

} // namespace

InputFile::InputFile(const QString& path) : file_(path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw openFailure(path, ENOENT);
    if (info.isDir())
        throw openFailure(path, EISDIR);
    if (!file_.open(QIODevice::ReadOnly)) {
        const int error = file_.error() == QFileDevice::PermissionsError ? EACCES : EIO;
        throw openFailure(path, error);
    }
    reader_ = std::make_unique<SeqReader>(file_, path);
}

#ifdef Q_OS_WIN

OutputFile::OutputFile(const QString& path, WriteMode mode, bool lockAgainstWriters) : path_(path)
{
    int flags = _O_WRONLY | _O_CREAT | _O_BINARY;
    if (mode == WriteMode::Append)
        flags |= _O_APPEND;
    // A deny-write share mode is the Windows form of the write lock.
    const int share = lockAgainstWriters ? _SH_DENYWR : _SH_DENYNO;
    const errno_t opened = _wsopen_s(&fd_, reinterpret_cast<const wchar_t*>(path.utf16()), flags, share,
                                     _S_IREAD | _S_IWRITE);
    if (opened != 0) {
        fd_ = -1;
        if (opened == EACCES && QFileInfo::exists(path) && lockAgainstWriters)
            throw runError(ErrorNumber::PermissionDenied, path + QStringLiteral(" (файл занят другой программой)"));
        throw openFailure(path, opened);
    }
    if (mode == WriteMode::Output && _chsize_s(fd_, 0) != 0) {
        const int error = errno;
        _close(fd_);
        fd_ = -1;
        throw openFailure(path, error);
    }
}

#else

OutputFile::OutputFile(const QString& path, WriteMode mode, bool lockAgainstWriters) : path_(path)
{
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC;
    if (mode == WriteMode::Append)
        flags |= O_APPEND;
    fd_ = ::open(QFile::encodeName(path).constData(), flags, 0666);
    if (fd_ < 0)
        throw openFailure(path, errno);
    const auto giveUp = [&](const RunError& error) {
        ::close(fd_);
        fd_ = -1;
        throw error;
    };
    if (lockAgainstWriters) {
        // A POSIX record lock over the whole file; network file systems pass it on
        // to the other computers that share the folder.
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        lock.l_start = 0;
        lock.l_len = 0;
        if (::fcntl(fd_, F_SETLK, &lock) != 0) {
            const int error = errno;
            if (error == EACCES || error == EAGAIN)
                giveUp(runError(ErrorNumber::PermissionDenied, path + QStringLiteral(" (файл занят другой программой)")));
            giveUp(openFailure(path, error));
        }
    }
    // Emptied only now, so that a file held by another program is never emptied under it.
    if (mode == WriteMode::Output && ::ftruncate(fd_, 0) != 0)
        giveUp(openFailure(path, errno));
}

#endif

OutputFile::~OutputFile()
{
    if (fd_ >= 0) {
#ifdef Q_OS_WIN
        _close(fd_);
#else
        ::close(fd_);
#endif
    }
}

void OutputFile::print(const QString& text)
{
    if (fd_ < 0)
        throw runError(ErrorNumber::BadFileName, path_ + QStringLiteral(" (файл не открыт)"));
    const QByteArray bytes = toCp1251(text) + "\r\n";
    qsizetype written = 0;
    while (written < bytes.size()) {
#ifdef Q_OS_WIN
        const int n = _write(fd_, bytes.constData() + written, unsigned(bytes.size() - written));
#else
        const ssize_t n = ::write(fd_, bytes.constData() + written, size_t(bytes.size() - written));
#endif
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw runError(ErrorNumber::DeviceIo,
                           path_ + QStringLiteral(" (") + QString::fromLocal8Bit(std::strerror(errno)) + QLatin1Char(')'));
        }
        written += n;
    }
}

void OutputFile::close()
{
    if (fd_ < 0)
        return;
#ifdef Q_OS_WIN
    const int result = _close(fd_);
#else
    const int result = ::close(fd_);
#endif
    fd_ = -1;
    if (result != 0)
        throw runError(ErrorNumber::DeviceIo,
                       path_ + QStringLiteral(" (") + QString::fromLocal8Bit(std::strerror(errno)) + QLatin1Char(')'));
}

QString describeInCurrentFolder(const QString& fileName)
{
    return QStringLiteral("%1 в папке %2").arg(fileName, QDir::toNativeSeparators(QDir::currentPath()));
}
