#pragma once

#include <QRect>
#include <QString>

#include <span>

class QWidget;

// Positions and sizes on the forms are given in twips, 1/1440 inch: 15 to a pixel at 96 DPI.
constexpr int kTwipsPerInch = 1440;

struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Twips&, const Twips&) = default;
};

// One control of a fixed form: its object name and where it stands.
struct ControlPlace {
    const char* name;
    Twips at;
};

// Twips to pixels at the given DPI. Edges are rounded, not widths, so controls
// that touch in twips touch on the screen too.
QRect twipsToPixels(const Twips& twips, double dpiX, double dpiY);
int twipsToPixels(int twips, double dpi);

// Places a widget by the screen's logical DPI and remembers the twips, so that
// twipsOf() gives back exactly what was set.
void placeInTwips(QWidget& widget, const Twips& twips);
void setLeftWidthInTwips(QWidget& widget, int left, int width);
// Where the widget stands in twips: what was set, or its pixels converted when it
// was moved by other means.
Twips twipsOf(const QWidget& widget);

// Places every control of the table, found under the form by its object name.
// A name missing from the form is a programming fault and stops at once.
void placeControls(QWidget& form, std::span<const ControlPlace> places);
// Gives the form a fixed client area of the given size in twips.
void setClientSizeInTwips(QWidget& form, int width, int height);
// Centres a top-level form on its screen.
void centreOnScreen(QWidget& form);
