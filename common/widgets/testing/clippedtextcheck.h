#pragma once

#include <QString>

#include <gtest/gtest.h>

#include <vector>

class QWidget;

// One text a shown window does not show whole, or one widget drawn past its parent's edge.
struct ClippedText {
    QString widget;  // objectName, or the path of class names from the window when it has none
    QString text;
    QString reason;
};

// Walks the visible widgets of a shown window and measures each text against the room the style gives it:
// labels (word wrap honoured), push/tool/check/radio buttons, group box titles, header sections, tabs, a
// combo box's current text, a line edit's text (or its placeholder), the visible cells of item views and the
// texts a widget paints itself and tells of (PaintedTexts).
// A text the widget elides or scrolls on purpose (item view cells, header sections, tabs, line edits) counts as
// clipped unless its tool tip carries the whole text; tabs that a scrolling tab bar brings into view are not clipped. Also reports
// every visible widget whose geometry leaves its parent's rectangle, except the scrolled contents of a scroll
// area. Measures the window at the size it has: call it on the window as the program shows it.
std::vector<ClippedText> FindClippedTexts(const QWidget& window);

// GoogleTest assertion over FindClippedTexts: fails with every finding, one a line.
::testing::AssertionResult HasNoClippedText(const QWidget& window);
