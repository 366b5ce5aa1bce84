#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Number texts as the result files and captions need them: one blank before a
// number that is not negative, a point as separator, no trailing zeros.
QString strSingle(float value);   // at most 7 significant digits: 2/3*100 -> " 66.66666"
QString strDouble(double value);  // at most 15 significant digits: 200/3 -> " 66.6666666666667"
QString strInt(std::int64_t value); // 75 -> " 75", -4 -> "-4"

// The plain conversion of a whole number: its digits alone, "-" when negative.
QString plainInt(std::int64_t value);

// The leading number of a text; blanks, tabs and line feeds are skipped anywhere
// in it, and no number gives 0 (" 2 45 7" -> 2457, "4 " -> 4, "1,5" -> 1).
double val(const QString& text);

// The text as a whole number text (trimmed of blanks), or nothing when the whole
// text is not one number: what a field read into a number must hold.
std::optional<double> parseNumber(const QString& text);

// A real value assigned to a 16-bit integer: rounded half to even, nothing on overflow.
std::optional<std::int16_t> toInt16(double value);

// Every control character (below U+0020, and U+007F) as a blank: a pasted line
// break or Ctrl+Z must not split a register line or end the file for its readers.
QString blankControlCharacters(const QString& text);

// Removes blanks (the space character only) at both ends.
QString trimBlanks(const QString& text);

// A text field of exactly N characters: a longer text is cut, a shorter one padded
// with blanks on the right; reading returns all N characters.
template <int N>
class FixedText {
public:
    FixedText() : text_(N, QLatin1Char(' ')) {}
    FixedText& operator=(const QString& text)
    {
        text_ = text.left(N).leftJustified(N, QLatin1Char(' '));
        return *this;
    }
    const QString& text() const { return text_; }

private:
    QString text_;
};
