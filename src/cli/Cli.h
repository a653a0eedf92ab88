#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace kugelo::cli {

// Exit codes of kugelo-cli.
enum ExitCode { Ok = 0, Failure = 1, Usage = 2 };

// Runs kugelo-cli with its arguments (without the program name). defaultHome is used when no --home is
// given. Output goes to out, messages and errors to err.
int run(const QStringList& arguments, const QString& defaultHome, QTextStream& out, QTextStream& err);

QString usageText();

} // namespace kugelo::cli
