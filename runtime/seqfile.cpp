#include "runtime/seqfile.h"

#include "runtime/conversions.h"
#include "runtime/cp1251.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kCtrlZ = 0x1A;
constexpr qint64 kChunk = 64 * 1024;

QString systemMessage(int systemError)
{
    return QString::fromLocal8Bit(std::strerror(systemError));
}

// Why a file could not be opened, as the runtime's failure numbers say it.
RunError openFailure(const QString& path, int systemError)
{
    const QFileInfo info(path);
    switch (systemError) {
    case ENOENT:
        if (!info.absoluteDir().exists())
            return runError(ErrorNumber::PathNotFound, path);
        return runError(ErrorNumber::FileNotFound, path);
    case EACCES:
    case EPERM:
    case EROFS: return runError(ErrorNumber::PermissionDenied, path);
    case EISDIR: return runError(ErrorNumber::PathFileAccess, path + QStringLiteral(" (это папка)"));
    case ELOOP:
        return runError(ErrorNumber::PathFileAccess,
                        path + QStringLiteral(" (это символическая ссылка, через неё файлы не пишутся)"));
    case ENOSPC:
    case EIO: return runError(ErrorNumber::DeviceIo, path + QStringLiteral(" (") + systemMessage(systemError) + u')');
    default:
        return runError(ErrorNumber::PathFileAccess, path + QStringLiteral(" (") + systemMessage(systemError) + u')');
    }
}

RunError notRegular(const QString& path)
{
    return runError(ErrorNumber::PathFileAccess,
                    path + QStringLiteral(" (это не обычный файл, а канал, устройство или что-то подобное)"));
}

// What lies at the path itself, a link not followed: the kind of file, or 0 when nothing is there.
mode_t kindAt(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

void refuseAnythingButARegularFile(const QString& path)
{
    switch (kindAt(path)) {
    case 0:
    case S_IFREG: return;
    case S_IFLNK: throw openFailure(path, ELOOP);
    case S_IFDIR: throw openFailure(path, EISDIR);
    default: throw notRegular(path);
    }
}

bool writeAll(int fd, const QByteArray& bytes, int& systemError)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            systemError = errno;
            return false;
        }
        written += n;
    }
    return true;
}

bool isContinuationByte(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

} // namespace

TextEncoding detectEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return TextEncoding::Utf8;
    bool multiByte = false;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        // The lead byte tells the length; overlong forms and surrogates are no UTF-8.
        int length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            low = b == 0xE0 ? 0xA0 : 0x80;
            high = b == 0xED ? 0x9F : 0xBF;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            low = b == 0xF0 ? 0x90 : 0x80;
            high = b == 0xF4 ? 0x8F : 0xBF;
        } else {
            return TextEncoding::Cp1251;
        }
        if (i + length > bytes.size())
            return TextEncoding::Cp1251;
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        if (second < low || second > high)
            return TextEncoding::Cp1251;
        for (int k = 2; k < length; ++k)
            if (!isContinuationByte(static_cast<unsigned char>(bytes[i + k])))
                return TextEncoding::Cp1251;
        multiByte = true;
        i += length;
    }
    return multiByte ? TextEncoding::Utf8 : TextEncoding::Cp1251;
}

SeqReader::SeqReader(QIODevice& device, QString fileName, TextEncoding encoding)
    : device_(device), fileName_(std::move(fileName)), encoding_(encoding)
{
}

void SeqReader::fail(int number, const QString& what) const
{
    throw failureAt(line_, number, what);
}

RunError SeqReader::failureAt(int line, int number, const QString& what) const
{
    const auto placed = [&](const RunError& error, int at) {
        return RunError(error.number(), error.description(), fileName_, at);
    };
    QString detail = QStringLiteral("файл %1, строка %2").arg(fileName_, QString::number(line));
    if (!what.isEmpty())
        detail += QStringLiteral(": ") + what;
    if (firstLoneCrLine_ > 0 && firstLoneCrLine_ < line && sawLineFeed_)
        return placed(runError(number, QStringLiteral("файл %1, строка %2: одиночный символ возврата каретки (CR) "
                                                      "разрывает строку, и всё, что после него, прочитано не на своих "
                                                      "местах (дальше, в строке %3%4)")
                                           .arg(fileName_, QString::number(firstLoneCrLine_), QString::number(line),
                                                what.isEmpty() ? QString() : QStringLiteral(": ") + what)),
                      firstLoneCrLine_);
    return placed(runError(number, detail), line);
}

QString SeqReader::decode(QByteArrayView bytes) const
{
    return encoding_ == TextEncoding::Utf8 ? QString::fromUtf8(bytes) : fromCp1251(bytes);
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
        if (peek() == '\n') {
            advance();
            sawLineFeed_ = true;
        } else if (firstLoneCrLine_ == 0) {
            firstLoneCrLine_ = line_;
        }
    } else if (c == '\n') {
        advance();
        sawLineFeed_ = true;
    } else {
        return false;
    }
    ++line_;
    atLineStart_ = true;
    return true;
}

QString SeqReader::lineInput()
{
    if (atEnd())
        fail(ErrorNumber::PastEndOfFile);
    atLineStart_ = false;
    // Scans the buffer a run at a time: the statistics read a register of many
    // thousand lines at every finished quiz.
    QByteArray carried; // the start of a line that runs past the buffer
    while (peek() >= 0) {
        const char* begin = buffer_.constData() + pos_;
        const char* end = buffer_.constData() + buffer_.size();
        const char* stop = begin;
        while (stop != end && *stop != '\r' && *stop != '\n' && *stop != kCtrlZ)
            ++stop;
        if (carried.size() + (stop - begin) > kMaxLineBytes)
            fail(ErrorNumber::InvalidCall, QStringLiteral("строка длиннее %1 байт").arg(kMaxLineBytes));
        if (stop != end) {
            const QString line = carried.isEmpty() ? decode(QByteArrayView(begin, stop - begin))
                                                   : decode(carried.append(begin, stop - begin));
            pos_ += stop - begin;
            skipLineEnd();
            lastLineEnded_ = true;
            return line;
        }
        carried.append(begin, stop - begin);
        pos_ += stop - begin;
    }
    lastLineEnded_ = false;
    return decode(carried);
}

QString SeqReader::fieldInput()
{
    if (atEnd())
        fail(ErrorNumber::PastEndOfFile);
    atLineStart_ = false;
    int c = peek();
    while (c == ' ' || c == '\t') {
        advance();
        c = peek();
    }
    QByteArray bytes;
    const auto take = [&](int ch) {
        if (bytes.size() >= kMaxLineBytes)
            fail(ErrorNumber::InvalidCall, QStringLiteral("строка длиннее %1 байт").arg(kMaxLineBytes));
        bytes += char(ch);
        advance();
    };
    if (c == '"') {
        advance();
        for (c = peek(); c >= 0 && c != '"' && c != '\r' && c != '\n'; c = peek())
            take(c);
        if (c == '"')
            advance();
        // Whatever follows the closing quote up to the field's end is not part of it.
        for (c = peek(); c >= 0 && c != ',' && c != '\r' && c != '\n'; c = peek())
            advance();
    } else {
        for (; c >= 0 && c != ',' && c != '\r' && c != '\n'; c = peek())
            take(c);
        while (bytes.endsWith(' '))
            bytes.chop(1);
    }
    if (peek() == ',')
        advance();
    else
        skipLineEnd();
    return decode(bytes);
}

Int16Field SeqReader::int16Field()
{
    Int16Field field;
    field.line = line_;
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

std::unique_ptr<QFile> openRegularFile(const QString& path)
{
    // Opened without waiting, so that a pipe with nobody writing into it cannot hang the program.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw openFailure(path, errno);
    struct stat st {};
    const int kind = ::fstat(fd, &st) == 0 ? int(st.st_mode & S_IFMT) : -1;
    if (kind != S_IFREG) {
        ::close(fd);
        throw kind == S_IFDIR ? openFailure(path, EISDIR) : notRegular(path);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    auto file = std::make_unique<QFile>(path);
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw openFailure(path, EIO);
    }
    return file;
}

InputFile::InputFile(const QString& path, TextSource source) : file_(openRegularFile(path))
{
    if (source == TextSource::Ours) {
        reader_ = std::make_unique<SeqReader>(*file_, path);
        return;
    }
    const auto tooLarge = [&] {
        return runError(ErrorNumber::InvalidCall,
                        QStringLiteral("%1: файл больше %2 МиБ, такой файл не читается")
                            .arg(path, QString::number(kMaxAuthoredFileBytes / (1024 * 1024))));
    };
    const qint64 measured = file_->size();
    if (measured > kMaxAuthoredFileBytes)
        throw tooLarge();
    // A buffer as large as the file and a byte more, not one of the limit's size for
    // every small file; a file grown since it was measured is read on up to the limit.
    whole_ = file_->read(measured + 1);
    if (whole_.size() > measured)
        whole_ += file_->read(kMaxAuthoredFileBytes + 1 - whole_.size());
    if (whole_.size() > kMaxAuthoredFileBytes)
        throw tooLarge();
    if (file_->error() != QFileDevice::NoError)
        throw runError(ErrorNumber::DeviceIo, path + QStringLiteral(" (") + file_->errorString() + u')');
    encoding_ = detectEncoding(whole_);
    if (whole_.startsWith("\xEF\xBB\xBF"))
        whole_.remove(0, 3);
    buffer_.setBuffer(&whole_);
    buffer_.open(QIODevice::ReadOnly);
    reader_ = std::make_unique<SeqReader>(buffer_, path, encoding_);
}

OutputFile::OutputFile(const QString& path, WriteMode mode, bool lockAgainstWriters)
    : path_(path), mode_(mode), writtenPath_(path)
{
    refuseAnythingButARegularFile(path);
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW;
    if (mode == WriteMode::Replace) {
        // A name of its own beside the file: two computers replacing it at once
        // must not write into one temporary.
        writtenPath_ = QStringLiteral("%1.~%2.tmp").arg(path).arg(QRandomGenerator::global()->generate(), 8, 16,
                                                                   QLatin1Char('0'));
        flags |= O_EXCL;
    } else {
        flags |= O_APPEND;
    }
    fd_ = ::open(QFile::encodeName(writtenPath_).constData(), flags, 0666);
    if (fd_ < 0)
        throw openFailure(path, errno);
    const auto giveUp = [&](const RunError& error) {
        ::close(fd_);
        fd_ = -1;
        if (mode_ == WriteMode::Replace)
            ::unlink(QFile::encodeName(writtenPath_).constData());
        throw error;
    };
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))
        giveUp(notRegular(path));
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    if (lockAgainstWriters) {
        // A POSIX record lock over the whole file; network file systems pass it on
        // to the other computers that share the folder.
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        if (::fcntl(fd_, F_SETLK, &lock) != 0) {
            const int error = errno;
            if (error == EACCES || error == EAGAIN)
                giveUp(runError(ErrorNumber::PermissionDenied, path + QStringLiteral(" (файл занят другой программой)")));
            giveUp(openFailure(path, error));
        }
    }
    // Measured under the lock: no other writer can have extended it since.
    if (::fstat(fd_, &st) == 0)
        lengthBefore_ = st.st_size;
}

OutputFile::~OutputFile()
{
    if (fd_ < 0)
        return;
    ::close(fd_);
    // A replacement left unfinished leaves the previous file as it was.
    if (mode_ == WriteMode::Replace)
        ::unlink(QFile::encodeName(writtenPath_).constData());
}

void OutputFile::failWriting(int systemError)
{
    // Cut back under the same lock: the next pupil's line must not be glued to a fragment.
    if (mode_ == WriteMode::Append)
        (void)::ftruncate(fd_, lengthBefore_);
    throw runError(ErrorNumber::DeviceIo, path_ + QStringLiteral(" (") + systemMessage(systemError) + u')');
}

void OutputFile::print(const QString& text)
{
    if (fd_ < 0)
        throw runError(ErrorNumber::BadFileName, path_ + QStringLiteral(" (файл не открыт)"));
    int systemError = 0;
    if (!writeAll(fd_, toCp1251(text) + "\r\n", systemError))
        failWriting(systemError);
}

void OutputFile::close()
{
    if (fd_ < 0)
        return;
    // A full disk of a file server may tell only now.
    if (::fsync(fd_) != 0 && errno != EINVAL)
        failWriting(errno);
    const int closed = ::close(fd_);
    const int closeError = errno;
    fd_ = -1;
    if (mode_ == WriteMode::Append) {
        if (closed != 0)
            throw runError(ErrorNumber::DeviceIo, path_ + QStringLiteral(" (") + systemMessage(closeError) + u')');
        return;
    }
    const QByteArray temporary = QFile::encodeName(writtenPath_);
    try {
        if (closed != 0)
            throw runError(ErrorNumber::DeviceIo, path_ + QStringLiteral(" (") + systemMessage(closeError) + u')');
        // Planted while we wrote: still never replaced through a link.
        refuseAnythingButARegularFile(path_);
        std::error_code renamed;
        std::filesystem::rename(temporary.constData(), QFile::encodeName(path_).constData(), renamed);
        if (renamed)
            throw openFailure(path_, renamed.value());
    } catch (...) {
        ::unlink(temporary.constData());
        throw;
    }
}

QString describeInCurrentFolder(const QString& fileName)
{
    return QStringLiteral("%1 в папке %2").arg(fileName, QDir::toNativeSeparators(QDir::currentPath()));
}
