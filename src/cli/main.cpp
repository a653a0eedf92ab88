#include "cli/Cli.h"
#include "platform/Home.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Velmar"));
    QCoreApplication::setApplicationName(QStringLiteral("Kugelo"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString home = kugelo::resolveHome(QCoreApplication::applicationDirPath());
    const int code = kugelo::cli::run(QCoreApplication::arguments().mid(1), home, out, err);
    out.flush();
    err.flush();
    return code;
}
