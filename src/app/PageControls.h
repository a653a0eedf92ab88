#pragma once

#include <QRect>
#include <QString>
#include <QStyle>

class QDateEdit;
class QLabel;
class QPushButton;
class QToolButton;
class QWidget;

namespace kugelo {

// Width and height of the main window's tab pages in design pixels.
constexpr int kPageWidth = 524;
constexpr int kPageHeight = 380;

// The controls of the tab pages, each with its design name at its design place.
QLabel* label(QWidget* parent, const char* name, const QRect& geometry, const QString& text);
// A picture button: an icon, optionally a caption, and its hint.
QToolButton* speedButton(QWidget* parent, const char* name, const QRect& geometry, const QString& caption,
                         const QString& hint, QStyle::StandardPixmap icon = QStyle::SP_CustomBase);
QPushButton* button(QWidget* parent, const char* name, const QRect& geometry, const QString& caption,
                    const QString& hint = {}, QStyle::StandardPixmap icon = QStyle::SP_CustomBase);
QDateEdit* datePicker(QWidget* parent, const char* name, const QRect& geometry);

// "abc" -> "a b c": the letter-spaced text of the banners.
QString spaced(const QString& text);
// The host of an address, or the text itself when it has none.
QString hostOnly(const QString& host);

} // namespace kugelo
