#pragma once

#include <QString>

namespace kugelo {

// Plays a wave file asynchronously; a sound still playing is replaced. A missing file plays nothing.
class Sound {
public:
    virtual ~Sound() = default;
    virtual void play(const QString& path) = 0;
};

} // namespace kugelo
