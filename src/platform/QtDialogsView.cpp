#include "platform/QtDialogsView.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace kugelo {

void QtDialogs::message(const QString& text) {
    // Plain text always: a message may carry a service's answer, which must not be taken as markup.
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), text, QMessageBox::Ok,
                    m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtDialogs::question(const QString& caption, const QString& text) {
    return QMessageBox::question(m_parent, caption, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

QString QtDialogs::input(const QString& caption, const QString& prompt, const QString& proposed) {
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, caption, prompt, QLineEdit::Normal, proposed, &ok);
    return ok ? text : proposed;
}

QString QtDialogs::runFileDialog(const FileDialogOptions& options, bool save) {
    QFileDialog dialog(m_parent, options.title, options.initialFolder, qtFileFilter(options.filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(options.defaultExtension);
    if (!options.proposedName.isEmpty()) dialog.selectFile(options.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

QString QtDialogs::openFileName(const FileDialogOptions& options) {
    return runFileDialog(options, false);
}

QString QtDialogs::saveFileName(const FileDialogOptions& options) {
    return runFileDialog(options, true);
}

} // namespace kugelo
