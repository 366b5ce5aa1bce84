#include "runtime/services.h"

QString dateTimeText(const QDateTime& moment)
{
    return moment.toString(QStringLiteral("dd.MM.yyyy H:mm:ss"));
}

void reportAndEnd(Services& services, const RunError& error)
{
    services.messageBox(QStringLiteral("Ошибка %1: %2").arg(error.number()).arg(error.description()),
                        MessageIcon::Critical);
    services.endProgram();
}
