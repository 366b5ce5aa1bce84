#include "runtime/run_error.h"

RunError::RunError(int number, QString description, QString file, int line)
    : number_(number), description_(std::move(description)), utf8_(description_.toStdString()),
      file_(std::move(file)), line_(line)
{
}

QString errorMeaning(int number)
{
    switch (number) {
    case ErrorNumber::InvalidCall: return QStringLiteral("Недопустимый вызов процедуры или аргумент");
    case ErrorNumber::Overflow: return QStringLiteral("Переполнение");
    case ErrorNumber::OutOfMemory: return QStringLiteral("Недостаточно памяти");
    case ErrorNumber::InternalError: return QStringLiteral("Внутренняя ошибка");
    case ErrorNumber::TypeMismatch: return QStringLiteral("Несоответствие типа");
    case ErrorNumber::BadFileName: return QStringLiteral("Неверное имя или номер файла");
    case ErrorNumber::FileNotFound: return QStringLiteral("Файл не найден");
    case ErrorNumber::FileAlreadyOpen: return QStringLiteral("Файл уже открыт");
    case ErrorNumber::DeviceIo: return QStringLiteral("Ошибка ввода-вывода устройства");
    case ErrorNumber::PastEndOfFile: return QStringLiteral("Попытка чтения за концом файла");
    case ErrorNumber::PermissionDenied: return QStringLiteral("Доступ запрещён");
    case ErrorNumber::PathFileAccess: return QStringLiteral("Ошибка доступа к пути или файлу");
    case ErrorNumber::PathNotFound: return QStringLiteral("Путь не найден");
    default: return QStringLiteral("Ошибка выполнения");
    }
}

RunError runError(int number, const QString& detail)
{
    return RunError(number, errorMeaning(number) + QStringLiteral(": ") + detail);
}
