#pragma once
// A grid header whose titles are always readable in full. The columns keep
// the widths their windows give them; a title wider than its column is
// broken onto more lines, and the header grows to the tallest title.

class QTableView;

namespace tavrin {

// Gives view's columns such a header (the view's model supplies the titles).
void UseTitleHeader(QTableView* view);

}  // namespace tavrin
