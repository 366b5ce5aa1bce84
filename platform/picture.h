#pragma once

#include <QString>

#include <span>

class QLabel;

// Shows the picture file in the label, fitted to the label with its proportions
// kept. The file is decoded at the size shown, so a large photograph costs little.
// A missing or unreadable file leaves the label empty; returns whether a picture is shown.
bool loadPicture(QLabel& label, const QString& path);
void clearPicture(QLabel& label);

// Several pictures at once, decoded side by side on the processor's cores; each
// label ends as loadPicture would leave it.
struct PictureLoad {
    QLabel* label;
    QString path;
};
void loadPictures(std::span<const PictureLoad> loads);
