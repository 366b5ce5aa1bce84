#pragma once

#include "quiz/main_controls.h"
#include "quiz/session.h"
#include "quiz/attempt.h"

#include "ui/picture.h"

#include <QChar>
#include <QString>

#include <vector>

class QLabel;
class QObject;
class QPlainTextEdit;

// Writes the screen back into the question at currentQuestion (1..askCount), into
// answerFlags and typedAnswers, and empties the answer rows and the pictures.
void leaveQuestion(const MainControls& controls, Session& session, Attempt& state);
// Fills the screen from the question at currentQuestion (1..askCount).
void showQuestion(const MainControls& controls, const Session& session, Attempt& state);

// The instruction line for an answer form: "1" tick, "2" type; any other form
// leaves the line as it is. The test start sets it the same way.
void setInstruction(QLabel& LblZ, QChar answerForm);

// A question names a picture when its text holds ".jpg" (exactly, in small letters).
bool namesPicture(const QString& text);
// The picture file of a question: the text before the first ";", or, with no ";",
// everything up to and including the first ".jpg".
QString questionPictureName(const QString& questionText);

// The picture labels and files of the question at a position, as showQuestion shows them.
std::vector<PictureLoad> picturesOf(const MainControls& controls, const Session& session, int position);

// A text box's text exactly as it was set or typed.
QString textOf(const QPlainTextEdit& box);

// Makes Enter (either key, any modifiers) do nothing in the six answer boxes.
// The filter belongs to the form and lives as long as it.
void installAnswerKeyFilter(const MainControls& controls);
