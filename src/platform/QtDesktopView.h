#pragma once

#include "platform/Desktop.h"

namespace kugelo {

// Opens documents and web addresses with the desktop's associated application.
class QtDesktop final : public Desktop {
public:
    bool open(const QString& target) override;
    void startProgram(const QString& program, const QStringList& arguments) override;
};

} // namespace kugelo
