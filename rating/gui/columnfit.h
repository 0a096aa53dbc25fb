#pragma once

#include <vector>

class QTableView;

// Sizes the columns of a table to the widest of their heading and their cells, each at least its minimum width
// (a missing minimum is 0), and lets the last column take what is left of the table. When the minimums do not
// all fit beside the contents, they give way, down to the contents, before a horizontal scroll bar appears;
// contents never give way: a table whose texts are wider than the table scrolls. Measures the table at the
// size it has.
void FitColumnsToContents(QTableView& table, const std::vector<int>& minimumWidths);
