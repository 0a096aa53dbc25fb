#pragma once

#include "printsettings.h"

#include <QRect>
#include <QString>

class QPainter;

// The page header: the logo (when flag 1 asks for it and the file loads) and the four header lines,
// placed by the header position with the margins and the logo-to-text gap. `page` becomes the device's
// whole page. Returns the header's height (the larger of the logo and the four lines); draws only when
// `draw` is set. Whether a page has a header at all (flag 2) is its caller's choice.
int PrintPageHeader(const PrintSettings& settings, QPainter& painter, QRect& page, bool draw);

// The title line in the title font, centred on the page; returns its height.
int PrintTitleLine(const PrintSettings& settings, QPainter& painter, bool draw, int y);

// The footer: pageWord + " " + page + "/" + count right-aligned at the right margin, the current date
// and time at the left margin, their top at the page height less the top margin, in the text font.
void PrintPageFooter(const PrintSettings& settings, QPainter& painter, int page, int pageCount,
                     const QString& pageWord);
