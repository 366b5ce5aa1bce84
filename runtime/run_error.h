#pragma once

#include <QString>

#include <exception>
#include <string>

// Failure numbers of the classic runtime that our file formats and messages assume.
namespace ErrorNumber {
constexpr int InvalidCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int TypeMismatch = 13;
constexpr int InternalError = 51;
constexpr int BadFileName = 52;
constexpr int FileNotFound = 53;
constexpr int FileAlreadyOpen = 55;
constexpr int DeviceIo = 57;
constexpr int PastEndOfFile = 62;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
} // namespace ErrorNumber

// A run-time failure: its number and a Russian description that names what failed.
// A failure inside a file read line by line also carries that file and line, so
// that the teacher's checker can point at them without reading the text.
class RunError : public std::exception {
public:
    RunError(int number, QString description, QString file = {}, int line = 0);

    int number() const { return number_; }
    const QString& description() const { return description_; }
    const char* what() const noexcept override { return utf8_.c_str(); }
    // The file and line the description names; "" and 0 when it names no line.
    const QString& file() const { return file_; }
    int line() const { return line_; }

private:
    int number_;
    QString description_;
    std::string utf8_;
    QString file_;
    int line_ = 0;
};

// The plain Russian meaning of a failure number ("Файл не найден" for 53).
QString errorMeaning(int number);

// A failure whose description is the meaning of its number followed by ": " and the detail.
RunError runError(int number, const QString& detail);
