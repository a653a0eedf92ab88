#include "platform/Dialogs.h"

#include <QStringList>

namespace kugelo {

QString qtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return entries.join(QStringLiteral(";;"));
}

QStringList Dialogs::openFileNames(const FileDialogOptions& options) {
    const QString name = openFileName(options);
    return name.isEmpty() ? QStringList() : QStringList{name};
}

} // namespace kugelo
