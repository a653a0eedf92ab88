#include "app/Home.h"
#include "app/MainWindow.h"
#include "platform/Clock.h"
#include "platform/QtDesktopView.h"
#include "platform/QtDialogsView.h"

#include <QApplication>
#include <QTabWidget>
#include <QTimer>

// The program takes no command-line arguments. KUGELO_SCREENSHOT=FILE saves a picture of the main window
// once it is up and quits, showing the tab named by KUGELO_SCREENSHOT_TAB (an objectName such as
// "TabSheet4") when that is set; the documentation's screenshots are made this way.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Velmar"));
    QApplication::setApplicationName(QStringLiteral("Kugelo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velmars Kugelo"));
    QApplication::setApplicationVersion(QStringLiteral(KUGELO_VERSION));

    kugelo::SystemClock clock;
    kugelo::QtDialogs dialogs;
    kugelo::QtDesktop desktop;
    const kugelo::Endpoints endpoints = kugelo::Endpoints::withEnvironment(kugelo::Endpoints());

    kugelo::TForm1 form(kugelo::Platform{dialogs, desktop, clock}, endpoints,
                        kugelo::resolveHome(QApplication::applicationDirPath()));
    dialogs.setParent(&form);
    form.initialise();
    form.startUp();
    form.show();

    const QString screenshot = qEnvironmentVariable("KUGELO_SCREENSHOT");
    if (!screenshot.isEmpty()) {
        if (auto* tab = form.findChild<QWidget*>(qEnvironmentVariable("KUGELO_SCREENSHOT_TAB")))
            form.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentWidget(tab);
        QTimer::singleShot(500, &form, [&form, screenshot] {
            const int code = form.grab().save(screenshot) ? 0 : 1;
            QApplication::exit(code);
        });
    }
    return QApplication::exec();
}
