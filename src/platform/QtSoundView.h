#pragma once

#include "platform/Sound.h"

#include <QObject>

class QSoundEffect;

namespace kugelo {

// Plays wave files through Qt Multimedia.
class QtSound final : public QObject, public Sound {
    Q_OBJECT
public:
    explicit QtSound(QObject* parent = nullptr);
    void play(const QString& path) override;

private:
    QSoundEffect* m_effect;
};

} // namespace kugelo
