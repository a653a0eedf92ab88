#pragma once

class QWidget;

namespace kugelo {

// Makes Tab go through the controls of a tab page as the eye reads them: row by row from the top, each row
// from left to right, controls whose tops differ by a few pixels sharing a row. A tab widget on the page
// counts as one control at its place: its tab bar, then each of its pages in this order. Hidden controls
// keep their place for when they show. Call it again when the controls move (another language).
void followScreenWithTab(QWidget* page);

} // namespace kugelo
