#include "runtime/conversions.h"

#include <cmath>
#include <cstdio>

namespace {

// The classic number form: %g's choice of plain or exponent form, an upper-case
// "E", and no zero before the point.
QString significant(double value, int digits)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Inf") : QStringLiteral("Inf");
    if (value == 0)
        return QStringLiteral("0");
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    QString text = QString::fromLatin1(buffer);
    text.replace(QLatin1Char('e'), QLatin1Char('E'));
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0.")))
        text.remove(1, 1);
    return text;
}

QString withSignPlace(const QString& digits, bool negative)
{
    return negative ? digits : QLatin1Char(' ') + digits;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

} // namespace

QString strSingle(float value)
{
    return withSignPlace(significant(double(value), 7), std::signbit(value) && value != 0);
}

QString strDouble(double value)
{
    return withSignPlace(significant(value, 15), std::signbit(value) && value != 0);
}

QString strInt(std::int64_t value)
{
    return withSignPlace(plainInt(value), value < 0);
}

QString plainInt(std::int64_t value)
{
    return QString::number(value);
}

double val(const QString& text)
{
    QByteArray number;
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && isBlank(text[i]))
            ++i;
    };
    const auto digitsInto = [&] {
        for (skipBlanks(); i < text.size() && text[i].isDigit() && text[i].unicode() < 128; skipBlanks())
            number += char(text[i++].unicode());
    };
    skipBlanks();
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        number += char(text[i++].unicode());
    digitsInto();
    skipBlanks();
    if (i < text.size() && text[i] == u'.') {
        number += '.';
        ++i;
        digitsInto();
    }
    skipBlanks();
    if (i < text.size() && QStringLiteral("EeDd").contains(text[i])) {
        QByteArray exponent("e");
        qsizetype j = i + 1;
        while (j < text.size() && isBlank(text[j]))
            ++j;
        if (j < text.size() && (text[j] == u'-' || text[j] == u'+'))
            exponent += char(text[j++].unicode());
        qsizetype digitsStart = exponent.size();
        for (; j < text.size(); ++j) {
            if (isBlank(text[j]))
                continue;
            if (!text[j].isDigit() || text[j].unicode() >= 128)
                break;
            exponent += char(text[j].unicode());
        }
        if (exponent.size() > digitsStart)
            number += exponent;
    }
    bool ok = false;
    const double result = number.toDouble(&ok);
    if (ok)
        return result;
    // Beyond the range of a double is an overflow for whoever stores it, not a 0;
    // only a number too near 0 reads as 0. Which one it is, the magnitude tells.
    const qsizetype point = number.indexOf('.');
    const qsizetype exponentAt = number.indexOf('e');
    const QByteArray whole = number.left(point >= 0 ? point : exponentAt >= 0 ? exponentAt : number.size());
    long long magnitude = 0; // digits before the point, or minus the zeros right after it
    for (const char c : whole)
        if ((c >= '1' && c <= '9') || (c == '0' && magnitude > 0))
            ++magnitude;
    for (qsizetype i = point + 1; point >= 0 && magnitude <= 0 && i < number.size() && number[i] == '0'; ++i)
        --magnitude;
    const long long exponent = exponentAt >= 0 ? number.mid(exponentAt + 1).toLongLong() : 0;
    return magnitude + exponent > 0 ? (number.startsWith('-') ? -HUGE_VAL : HUGE_VAL) : 0.0;
}

std::optional<double> parseNumber(const QString& text)
{
    const QString t = trimBlanks(text);
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        ++i;
    qsizetype digits = 0;
    const auto skipDigits = [&] {
        for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i)
            ++digits;
    };
    skipDigits();
    if (i < t.size() && t[i] == u'.') {
        ++i;
        skipDigits();
    }
    if (digits == 0)
        return std::nullopt;
    if (i < t.size() && QStringLiteral("EeDd").contains(t[i])) {
        ++i;
        if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
            ++i;
        const qsizetype exponentStart = i;
        while (i < t.size() && t[i] >= u'0' && t[i] <= u'9')
            ++i;
        if (i == exponentStart)
            return std::nullopt;
    }
    if (i != t.size())
        return std::nullopt;
    return val(t);
}

std::optional<std::int16_t> toInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default rounding mode: half to even
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

QString trimBlanks(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.mid(start, end - start);
}

QString blankControlCharacters(const QString& text)
{
    QString blanked = text;
    for (QChar& c : blanked)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = u' ';
    return blanked;
}
