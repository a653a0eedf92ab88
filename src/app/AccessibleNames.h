#pragma once

class QWidget;

namespace kugelo {

class CriteriaPage;
class MessageTable;
class TipSheetView;

// The windows whose controls get accessible names; a dialog not created yet is nullptr.
struct NamedWindows {
    QWidget* main = nullptr;  // TForm1
    QWidget* pages = nullptr; // its PageControl1
    CriteriaPage* criteria = nullptr;
    QWidget* form3 = nullptr;
    QWidget* form6 = nullptr;
    QWidget* csfForm = nullptr;
    const MessageTable* messages = nullptr; // the texts assistive technology reads where no caption says it
    TipSheetView* sheet = nullptr;
};

// Gives the controls whose own text does not say what they are the name (and, where it helps, the
// description) that assistive technology reads, made from the captions and hints they and their
// neighbours show now: a tip field by its row label and the hint of the ball above its column, an
// icon-only button by its hint, a row's "…" button by the row, a spin by the caption beside it. Call it
// again whenever a language was applied or a hint changed, so the names follow the language shown.
void nameControls(const NamedWindows& windows);

} // namespace kugelo
