#include "app/MainWindow.h"
#include "i18n/LanguageFiles.h"
#include "i18n/TextFile.h"
#include "platform/Clock.h"
#include "platform/Errors.h"
#include "platform/Home.h"
#include "platform/HttpClient.h"
#include "platform/QtDesktopView.h"
#include "platform/QtDialogsView.h"
#include "platform/QtSoundView.h"
#include "platform/SettingsStore.h"
#include "sheet/TipFile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

// The program takes no command-line arguments. For the documentation's screenshots, KUGELO_SCREENSHOT=FILE
// saves a picture of the main window once it is up and the update at start-up is over, and quits;
// KUGELO_SCREENSHOT_TAB names the tab to show (an objectName such as "TabSheet4"; an inner tab such as
// "TabSheet8" shows with the tab that holds it; several, separated by commas, make one picture of the window
// with each of them in front, one below the other), KUGELO_SCREENSHOT_TIPS a
// tip file to load and check first and KUGELO_SCREENSHOT_CLICK a button to press first (an objectName such as
// "Button2"); KUGELO_SCREENSHOT_LANGUAGE=N starts in language N of the menu (1 German .. 6 Russian); when it
// is empty, the settings choose. KUGELO_SCREENSHOT_AT_MS=N takes the picture N ms after the window shows,
// while the update may still run (its progress).
//
// To make the shipped language data, KUGELO_EXPORT_TEXTS=FILE writes the master list of the built-in German
// texts to FILE (and the translation template to FILE.trans) and the German message table to FILE.meld, and
// quits without showing the window. KUGELO_CHECK_TEXTS=FILE applies the language file FILE (with its
// message file FILE.meld) to the window at its design size and prints each caption that does not fit its
// control or has a word under another control; it exits with 1 when there is one.
namespace {

// Brings a tab sheet to the front, with every tab sheet that holds it.
void showTab(QWidget* form, const QString& name) {
    for (QWidget* w = name.isEmpty() ? nullptr : form->findChild<QWidget*>(name); w; w = w->parentWidget()) {
        for (QWidget* up = w->parentWidget(); up; up = up->parentWidget()) {
            if (auto* tabs = qobject_cast<QTabWidget*>(up); tabs && tabs->indexOf(w) >= 0) {
                tabs->setCurrentWidget(w);
                break;
            }
        }
    }
}

// The window as it shows, or with each of the named tabs in front, one picture below the other.
QPixmap picture(QWidget* form, const QStringList& tabs) {
    if (tabs.size() < 2) return form->grab();
    QList<QPixmap> shots;
    for (const QString& tab : tabs) {
        showTab(form, tab);
        shots << form->grab();
    }
    QPixmap all(shots.first().width(), shots.first().height() * int(shots.size()));
    all.setDevicePixelRatio(shots.first().devicePixelRatio());
    all.fill(Qt::white);
    QPainter painter(&all);
    for (int i = 0; i < shots.size(); ++i)
        painter.drawPixmap(0, i * shots.first().height() / int(shots.first().devicePixelRatio()), shots[i]);
    return all;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Velmar"));
    QApplication::setApplicationName(QStringLiteral("Kugelo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velmars Kugelo"));
    QApplication::setApplicationVersion(QStringLiteral(KUGELO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.kugelo.Kugelo"));

    kugelo::SystemClock clock;
    kugelo::QtDialogs dialogs;
    kugelo::QtDesktop desktop;
    kugelo::QtSound sound;
    kugelo::QtHttpClient http;
    kugelo::FileSettingsStore settings(kugelo::FileSettingsStore::defaultPath());
    const kugelo::Endpoints endpoints = kugelo::Endpoints::withEnvironment(kugelo::Endpoints());

    // Land/, the win sound and the public draw history lie beside the executable in the build, in the share
    // folder once installed.
    const QString programFolder = kugelo::programDataFolder(QApplication::applicationDirPath());
    kugelo::TForm1 form(kugelo::Platform{dialogs, desktop, clock, sound, http, settings}, endpoints,
                        kugelo::resolveHome(QApplication::applicationDirPath()), programFolder);
    dialogs.setParent(&form);
    const QString exportTo = qEnvironmentVariable("KUGELO_EXPORT_TEXTS");
    // The export writes the texts of a window that shows no draw: it starts without the shipped history.
    if (exportTo.isEmpty())
        form.controller().setShippedHistory(QDir(programFolder).filePath(QStringLiteral("loto-history.csv")));
    const QString checkTexts = qEnvironmentVariable("KUGELO_CHECK_TEXTS");
    form.setUpdateOnShow(exportTo.isEmpty() && checkTexts.isEmpty());
    form.initialise();
    if (!exportTo.isEmpty()) {
        form.state().sprache = 0; // no language file: the built-in texts
        form.startUp();
        try {
            form.controller().exportTextsTo(exportTo, kugelo::MessageTable::germanDefaults());
        } catch (const kugelo::KugeloError& e) {
            qCritical("%s", qPrintable(e.text()));
            return 1;
        }
        return 0;
    }
    if (!checkTexts.isEmpty()) {
        form.state().sprache = 0;
        form.startUp();
        form.show();
        form.controller().setLanguageFile(checkTexts);
        form.controller().applyLanguageFile();
        const QStringList clipped = form.clippedTexts();
        for (const QString& line : clipped)
            std::printf("%s\n", qPrintable(line));
        std::printf("%lld captions do not fit\n", static_cast<long long>(clipped.size()));
        return clipped.isEmpty() ? 0 : 1;
    }
    const QString screenshot = qEnvironmentVariable("KUGELO_SCREENSHOT");
    if (!screenshot.isEmpty() && !qEnvironmentVariable("KUGELO_SCREENSHOT_LANGUAGE").isEmpty())
        form.state().sprache = qEnvironmentVariableIntValue("KUGELO_SCREENSHOT_LANGUAGE");
    form.startUp();
    form.show();

    if (!screenshot.isEmpty()) {
        if (const QString tips = qEnvironmentVariable("KUGELO_SCREENSHOT_TIPS"); !tips.isEmpty()) {
            form.controller().run([&form, &tips] {
                kugelo::loadTipFile(form.sheet(), kugelo::readTextFile(tips, kugelo::TextFileKind::TipFile));
                form.Komplettcheck();
            });
        }
        // findChild with an empty name would take any child: only names that are set count. The button is
        // pressed once the update at start-up is over (no command that changes the draw file or the sheet
        // runs while the update goes on, and none starts an update while it runs).
        const QString click = qEnvironmentVariable("KUGELO_SCREENSHOT_CLICK");
        auto* button = click.isEmpty() ? nullptr : form.findChild<QAbstractButton*>(click);
        const QStringList tabs =
            qEnvironmentVariable("KUGELO_SCREENSHOT_TAB").split(QLatin1Char(','), Qt::SkipEmptyParts);
        showTab(&form, tabs.value(0));
        if (const int at = qEnvironmentVariableIntValue("KUGELO_SCREENSHOT_AT_MS"); at > 0) {
            QTimer::singleShot(at, &form, [&form, screenshot, tabs] {
                const int code = picture(&form, tabs).save(screenshot) ? 0 : 1;
                form.controller().stopRunning();
                QApplication::exit(code);
                form.close();
            });
            return QApplication::exec();
        }
        // The picture is taken once the update at start-up is over.
        QObject::connect(&form, &kugelo::TForm1::updateFinished, &form, [&form, screenshot, button, tabs] {
            QTimer::singleShot(0, &form, [&form, screenshot, button, tabs] {
                if (button) button->click();
                QTimer::singleShot(300, &form, [&form, screenshot, tabs] {
                    const int code = picture(&form, tabs).save(screenshot) ? 0 : 1;
                    QApplication::exit(code);
                    form.close(); // as a user would: the settings are saved
                });
            });
        });
    }
    return QApplication::exec();
}
