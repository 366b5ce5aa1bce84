#pragma once

#include "runtime/run_error.h"

#include <QBuffer>
#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QIODevice>
#include <QString>

#include <cstdint>
#include <memory>

// No quiz or class list comes near these; a file or a line beyond them is refused
// rather than read into memory without end.
constexpr qint64 kMaxAuthoredFileBytes = 32 * 1024 * 1024;
constexpr qsizetype kMaxLineBytes = 1024 * 1024;

enum class TextEncoding { Cp1251, Utf8 };

// The encoding an authored file was saved in: UTF-8 when it starts with a
// byte-order mark, or when it is valid UTF-8 holding at least one multi-byte
// sequence; Windows-1251 otherwise.
TextEncoding detectEncoding(QByteArrayView bytes);

// A field read into a 16-bit integer. The readers decide what each outcome means.
struct Int16Field {
    enum class Status { Ok, Missing, NotNumber, Overflow };
    Status status = Status::Missing;
    std::int16_t value = 0;
    QString text; // the field as read, for messages
    int line = 0; // where the field starts
};

// Line and field input over a text. Lines end with CR LF, a lone CR or a lone LF;
// a Ctrl+Z byte ends the file. Failures are thrown as RunError and name the file
// and the line.
class SeqReader {
public:
    SeqReader(QIODevice& device, QString fileName, TextEncoding encoding = TextEncoding::Cp1251);

    // True when nothing more can be read.
    bool atEnd();
    // The next line without its line end; 62 past the end.
    QString lineInput();
    // The next field: leading blanks skipped, ends at a comma or a line end, an
    // unquoted field loses trailing blanks, a quoted one its quotes; 62 past the end.
    QString fieldInput();
    // The next field as a 16-bit integer (a real value rounds half to even).
    Int16Field int16Field();

    // The line the next read starts in, counted from 1.
    int lineNumber() const { return line_; }
    // True when the next read starts a line: a field that ended at a comma leaves the reader inside one.
    bool atLineStart() const { return atLineStart_; }
    // False when the last line read ran to the end of the file without a line end:
    // another program may be writing it right now.
    bool lastLineEnded() const { return lastLineEnded_; }
    const QString& fileName() const { return fileName_; }

    // A failure at the current line of this file: "<meaning>: файл <name>, строка <n>[: <what>]";
    // the error carries the file and the line named.
    [[noreturn]] void fail(int number, const QString& what = {}) const;
    // A failure at a line already read past. When a lone CR split a line of a file
    // that otherwise ends its lines with LF, the failure that follows is named at
    // that line, since that is where the file must be mended.
    RunError failureAt(int line, int number, const QString& what) const;

private:
    int peek();
    void advance() { ++pos_; }
    bool skipLineEnd();
    QString decode(QByteArrayView bytes) const;

    QIODevice& device_;
    QString fileName_;
    TextEncoding encoding_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    bool deviceDone_ = false;
    int line_ = 1;
    bool atLineStart_ = true;
    bool lastLineEnded_ = true;
    int firstLoneCrLine_ = 0; // the first line ended by a CR alone
    bool sawLineFeed_ = false;
};

// Where a text file comes from: the authoring tool or a teacher (quiz files, the
// class list), read whole within kMaxAuthoredFileBytes in the encoding they were
// saved in; or this program (the register), read as it comes in Windows-1251.
enum class TextSource { Authored, Ours };

// A regular file opened for reading. Anything else (a folder, a pipe, a device)
// is refused without waiting on it; the failure names the file.
std::unique_ptr<QFile> openRegularFile(const QString& path);

// A text file opened for input; the file is closed when this goes out of scope.
class InputFile {
public:
    InputFile(const QString& path, TextSource source);
    SeqReader& reader() { return *reader_; }
    TextEncoding encoding() const { return encoding_; }

private:
    std::unique_ptr<QFile> file_;
    QByteArray whole_;
    QBuffer buffer_;
    TextEncoding encoding_ = TextEncoding::Cp1251;
    std::unique_ptr<SeqReader> reader_;
};

enum class WriteMode {
    Replace, // written beside the file and put in its place only when complete
    Append,  // extended at its end
};

// A text file written in Windows-1251 with CR LF line ends; never through a
// symbolic link, never into anything but a regular file.
// Replace: nothing of it is seen until close(); a failure keeps the previous file.
// Append with lockAgainstWriters: other programs (also on other computers of a
// shared folder) can read the file but not write it while it is open; a file
// already held that way fails with 70. An append that fails is cut back to the
// length the file had, so no partial line is ever left.
class OutputFile {
public:
    OutputFile(const QString& path, WriteMode mode, bool lockAgainstWriters = false);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Writes the text and CR LF in one piece.
    void print(const QString& text);
    // Finishes the file: the replacement takes the file's place, the append is
    // on the disk and the lock released. A failure is thrown.
    void close();

private:
    [[noreturn]] void failWriting(int systemError);

    QString path_;
    WriteMode mode_;
    QString writtenPath_; // the file written: the temporary beside path_ when replacing
    int fd_ = -1;
    qint64 lengthBefore_ = 0;
};

// "<file name> в папке <folder>" for messages about files named relative to the current folder.
QString describeInCurrentFolder(const QString& fileName);
