#include "platform/QtDialogsView.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace kugelo {

namespace {

// A file dialog whose open mode finds a typed file whatever the case of its name, as on Windows: "lotto"
// with the default extension "CSF" finds "lotto.csf" (a Linux folder tells the cases apart). The list of
// the widget dialog matches the filter's patterns in any case already.
class FileDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    // The files chosen: the one found in another case, else the dialog's own.
    QStringList chosenFiles() const { return m_found.isEmpty() ? selectedFiles() : QStringList{m_found}; }

protected:
    void accept() override {
        m_found.clear();
        if (acceptMode() == AcceptOpen) {
            const QStringList files = selectedFiles();
            if (files.size() == 1 && !QFileInfo::exists(files[0])) {
                const QFileInfo typed(files[0]);
                const QDir folder = typed.dir();
                const QStringList names = folder.entryList(QDir::Files | QDir::Hidden, QDir::Name);
                for (const QString& name : names) {
                    if (name.compare(typed.fileName(), Qt::CaseInsensitive) == 0) {
                        m_found = folder.filePath(name);
                        QDialog::accept(); // the file exists: QFileDialog's own check would not find it
                        return;
                    }
                }
            }
        }
        QFileDialog::accept();
    }

private:
    QString m_found;
};

} // namespace

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

QStringList QtDialogs::runFileDialog(const FileDialogOptions& options, bool save, bool many) {
    FileDialog dialog(m_parent, options.title, options.initialFolder, qtFileFilter(options.filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save   ? QFileDialog::AnyFile
                       : many ? QFileDialog::ExistingFiles
                              : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(options.defaultExtension);
    // Saving over an existing file asks first; a player expects the question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!options.proposedName.isEmpty()) dialog.selectFile(options.proposedName);
    if (dialog.exec() != QDialog::Accepted) return {};
    QStringList files;
    for (const QString& file : dialog.chosenFiles())
        files << QDir::toNativeSeparators(file);
    return files;
}

QString QtDialogs::openFileName(const FileDialogOptions& options) {
    return runFileDialog(options, false).value(0);
}

QString QtDialogs::saveFileName(const FileDialogOptions& options) {
    return runFileDialog(options, true).value(0);
}

QStringList QtDialogs::openFileNames(const FileDialogOptions& options) {
    return runFileDialog(options, false, true);
}

} // namespace kugelo
