#include "platform/QtDesktopView.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace kugelo {

bool QtDesktop::open(const QString& target) {
    const QUrl url = QUrl::fromUserInput(target);
    return QDesktopServices::openUrl(url);
}

void QtDesktop::startProgram(const QString& program, const QStringList& arguments) {
    QProcess::startDetached(program, arguments);
}

} // namespace kugelo
