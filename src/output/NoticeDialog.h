#pragma once

#include <QDialog>

namespace kugelo {

// A notice page of a web service, shown as rich text: no script runs, and nothing is loaded from the
// network or from files (images and style sheets stay away), so a page from outside has no more rights
// than a message box.
class NoticeDialog : public QDialog {
    Q_OBJECT
public:
    explicit NoticeDialog(const QString& html, QWidget* parent = nullptr);
};

} // namespace kugelo
