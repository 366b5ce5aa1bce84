#pragma once

#include "runtime/run_error.h"

#include <QDateTime>
#include <QString>

enum class MessageIcon { None, Information, Critical };

// The title a message box shows when its caller gives none.
inline const QString kDefaultTitle = QStringLiteral("Школьник");

// What the program asks of its surroundings beyond files and controls. Tests put
// a recording double in its place.
class Services {
public:
    virtual ~Services() = default;

    // A modal message box with one OK button; returns when it is dismissed.
    virtual void messageBox(const QString& text, MessageIcon icon, const QString& title = {}) = 0;
    // A modal question with the buttons "Повторить" and "Отмена"; true when the
    // user chose to try again.
    virtual bool askRetry(const QString& text, const QString& title = {}) = 0;
    // A modal question with the buttons "Да" and "Нет"; true for "Да".
    virtual bool askYesNo(const QString& text, const QString& title = {}) = 0;
    // The simulated Tab keystroke: the focus moves on as if Tab had been typed.
    virtual void sendTab() = 0;
    virtual void beep() = 0;
    // Ends the program: every event loop returns and no further window is shown.
    // The caller returns at once; nothing after it in the handler may run.
    virtual void endProgram() = 0;
    virtual bool endRequested() const = 0;
    virtual QDateTime now() = 0;
    // Reseeds the random generator from the clock.
    virtual void randomize() = 0;
    // The next random value, uniform in [0, 1).
    virtual double rnd() = 0;
};

// The date-and-time text form of the program.
QString dateTimeText(const QDateTime& moment);

// The platform's own report of a failure nobody traps: a message box with the
// number and description, then the end of the program.
void reportAndEnd(Services& services, const RunError& error);
