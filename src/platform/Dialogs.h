#pragma once

#include <QString>
#include <QStringList>

namespace kugelo {

// Options of an open or save file dialog.
struct FileDialogOptions {
    QString title;
    QString filter;           // "Textdatei|*.txt" style: description|patterns, pairs separated by '|'
    QString defaultExtension; // without the dot
    QString initialFolder;
    QString proposedName;
};

// Converts a filter of the form "Description|*.a;*.b|Other|*.c" into Qt's "Description (*.a *.b);;Other
// (*.c)".
QString qtFileFilter(const QString& filter);

// Everything that asks the user something or tells them something in a modal window.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A plain message box with an OK button.
    virtual void message(const QString& text) = 0;
    // A Yes/No question; true means Yes.
    virtual bool question(const QString& caption, const QString& text) = 0;
    // An input box; returns the proposed text when cancelled.
    virtual QString input(const QString& caption, const QString& prompt, const QString& proposed) = 0;
    // File dialogs; an empty result means cancelled.
    virtual QString openFileName(const FileDialogOptions& options) = 0;
    virtual QString saveFileName(const FileDialogOptions& options) = 0;
    // An open dialog that takes one or more files; empty when cancelled. Unless overridden, the one-file
    // dialog.
    virtual QStringList openFileNames(const FileDialogOptions& options);
};

} // namespace kugelo
