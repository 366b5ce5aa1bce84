#pragma once

#include "runtime/run_error.h"

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QString>

#include <cstdint>
#include <memory>

// A field read into a 16-bit integer. The readers decide what each outcome means.
struct Int16Field {
    enum class Status { Ok, Missing, NotNumber, Overflow };
    Status status = Status::Missing;
    std::int16_t value = 0;
    QString text; // the field as read, for messages
};

// Line and field input over a Windows-1251 text. Lines end with CR LF, a lone CR
// or a lone LF; a Ctrl+Z byte ends the file. Failures are thrown as RunError and
// name the file and the line.
class SeqReader {
public:
    SeqReader(QIODevice& device, QString fileName);

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
    const QString& fileName() const { return fileName_; }

    // A failure at the current line of this file: "<meaning>: файл <name>, строка <n>[: <what>]".
    [[noreturn]] void fail(int number, const QString& what = {}) const;

private:
    int peek();
    void advance() { ++pos_; }
    bool skipLineEnd();

    QIODevice& device_;
    QString fileName_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    bool deviceDone_ = false;
    int line_ = 1;
};

// A text file opened for input; the file is closed when this goes out of scope.
class InputFile {
public:
    explicit InputFile(const QString& path);
    SeqReader& reader() { return *reader_; }

private:
    QFile file_;
    std::unique_ptr<SeqReader> reader_;
};

enum class WriteMode {
    Output, // create or empty
    Append, // create or extend
};

// A text file opened for writing in Windows-1251 with CR LF line ends. With
// lockAgainstWriters, other programs (also on other computers of a shared folder)
// can read the file but not write it while it is open; a file already held that
// way fails with 70.
class OutputFile {
public:
    OutputFile(const QString& path, WriteMode mode, bool lockAgainstWriters = false);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Writes the text and CR LF in one piece.
    void print(const QString& text);
    // Closes the file, releasing its lock; a failure to finish the writing is thrown.
    void close();

private:
    QString path_;
    int fd_ = -1;
};

// "<file name> в папке <folder>" for messages about files named relative to the current folder.
QString describeInCurrentFolder(const QString& fileName);
