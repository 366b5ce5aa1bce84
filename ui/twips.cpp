#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>

#include <cmath>

namespace {

const char* const kTwipsProperty = "twips";

} // namespace

int twipsToPixels(int twips, double dpi)
{
    return int(std::lround(double(twips) * dpi / kTwipsPerInch));
}

QRect twipsToPixels(const Twips& twips, double dpiX, double dpiY)
{
    const int left = twipsToPixels(twips.left, dpiX);
    const int top = twipsToPixels(twips.top, dpiY);
    const int right = twipsToPixels(twips.left + twips.width, dpiX);
    const int bottom = twipsToPixels(twips.top + twips.height, dpiY);
    return QRect(left, top, right - left, bottom - top);
}

void placeInTwips(QWidget& widget, const Twips& twips)
{
    widget.setGeometry(twipsToPixels(twips, widget.logicalDpiX(), widget.logicalDpiY()));
    widget.setProperty(kTwipsProperty, QRect(twips.left, twips.top, twips.width, twips.height));
}

void setLeftWidthInTwips(QWidget& widget, int left, int width)
{
    Twips twips = twipsOf(widget);
    twips.left = left;
    twips.width = width;
    placeInTwips(widget, twips);
}

Twips twipsOf(const QWidget& widget)
{
    const QRect stored = widget.property(kTwipsProperty).toRect();
    const Twips set{stored.x(), stored.y(), stored.width(), stored.height()};
    if (widget.property(kTwipsProperty).isValid()
        && twipsToPixels(set, widget.logicalDpiX(), widget.logicalDpiY()) == widget.geometry())
        return set;
    const QRect pixels = widget.geometry();
    const auto back = [](int p, double dpi) { return int(std::lround(p * kTwipsPerInch / dpi)); };
    const int left = back(pixels.x(), widget.logicalDpiX());
    const int top = back(pixels.y(), widget.logicalDpiY());
    return Twips{left, top, back(pixels.x() + pixels.width(), widget.logicalDpiX()) - left,
                 back(pixels.y() + pixels.height(), widget.logicalDpiY()) - top};
}

void placeControls(QWidget& form, std::span<const ControlPlace> places)
{
    for (const ControlPlace& place : places) {
        auto* control = form.findChild<QWidget*>(QString::fromUtf8(place.name));
        if (!control)
            qFatal("Form %s has no control %s", qPrintable(form.objectName()), place.name);
        placeInTwips(*control, place.at);
    }
}

void setClientSizeInTwips(QWidget& form, int width, int height)
{
    form.setFixedSize(twipsToPixels(width, form.logicalDpiX()), twipsToPixels(height, form.logicalDpiY()));
}

void centreOnScreen(QWidget& form)
{
    const QScreen* screen = form.screen() ? form.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = form.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    form.move(frame.topLeft());
}
