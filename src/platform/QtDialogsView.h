#pragma once

#include "platform/Dialogs.h"

class QWidget;

namespace kugelo {

// Message boxes, input boxes and file dialogs over the given parent window.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void message(const QString& text) override;
    bool question(const QString& caption, const QString& text) override;
    QString input(const QString& caption, const QString& prompt, const QString& proposed) override;
    QString openFileName(const FileDialogOptions& options) override;
    QString saveFileName(const FileDialogOptions& options) override;
    QStringList openFileNames(const FileDialogOptions& options) override;

private:
    QStringList runFileDialog(const FileDialogOptions& options, bool save, bool many = false);
    QWidget* m_parent;
};

} // namespace kugelo
