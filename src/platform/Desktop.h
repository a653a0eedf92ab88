#pragma once

#include <QString>
#include <QStringList>

namespace kugelo {

// The desktop's "open" operation and program start. Neither waits.
class Desktop {
public:
    virtual ~Desktop() = default;
    // Hands a file path or a web address to its associated application; false when no application took it.
    virtual bool open(const QString& target) = 0;
    // Starts a program with an argument list; no shell is involved, so values cannot add arguments.
    virtual void startProgram(const QString& program, const QStringList& arguments) = 0;
};

} // namespace kugelo
