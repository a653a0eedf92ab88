#include "platform/QtSoundView.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace kugelo {

QtSound::QtSound(QObject* parent) : QObject(parent), m_effect(new QSoundEffect(this)) {}

void QtSound::play(const QString& path) {
    if (path.isEmpty() || !QFileInfo::exists(path)) return;
    m_effect->stop();
    const QUrl url = QUrl::fromLocalFile(path);
    if (m_effect->source() != url) m_effect->setSource(url);
    m_effect->play();
}

} // namespace kugelo
