#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include <vector>

// A text a widget paints itself, with the font it is painted in and the place it is given (in the widget's
// coordinates, within the widget).
struct PaintedText {
    QString text;
    QFont font;
    QRect place;
};

// Widgets that paint their own texts (skinned windows, picture buttons) tell what they paint, so that a check
// of a shown window measures those texts as it measures the texts of labels and buttons.
class PaintedTexts {
public:
    virtual ~PaintedTexts() = default;
    virtual std::vector<PaintedText> TextsPainted() const = 0;
};
