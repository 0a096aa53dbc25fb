#pragma once

class QTreeView;

// Draws a line along the right and bottom edge of every cell of a report list (the grid lines a table
// view draws), in the style's grid colour. The view keeps the delegate; its other painting is unchanged.
void ShowGridLines(QTreeView& view);
