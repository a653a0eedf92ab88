// The main window from the keyboard alone: the order Tab takes on every tab, typing dates, opening the
// calendar, Ctrl+Z wherever the focus is, the menus that show the shortcuts, and the hidden tab.

#include "Doubles.h"
#include "TestSupport.h"

#include "app/MainWindow.h"
#include "i18n/LanguageFiles.h"
#include "platform/HttpClient.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

using namespace kugelo;
using namespace kugelo::test;

namespace {

// The main window over a temporary home, the language files of the build beside it; a first start comes up
// in French.
struct Window {
    Window()
        : clock({.day = QDate(2008, 10, 20)}), form{Platform{dialogs, desktop, clock, sound, http, settings},
                                                    Endpoints(), home.path(),
                                                    qEnvironmentVariable("KUGELO_BIN_DIR")} {}

    TempHome home;
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    SteppingClock clock;
    RecordingSound sound;
    QtHttpClient http;
    MemorySettingsStore settings;
    TForm1 form;

    template <class W = QWidget> W* find(const QString& name) {
        W* w = form.findChild<W*>(name);
        if (!w) qFatal("no control %s", qPrintable(name));
        return w;
    }
    void start() {
        home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9},
                         {"2008-10-08", {24, 48, 32, 41, 22}, 1},
                         {"2008-10-11", {46, 22, 10, 39, 20}, 4}});
        form.initialise();
        form.startUp();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }
    // Brings the tab that holds a control to the front (the inner tab of the options too).
    void showTabOf(QWidget* control) {
        for (QWidget* w = control; w; w = w->parentWidget())
            if (auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget() ? w->parentWidget()->parentWidget()
                                                                         : nullptr);
                tabs && tabs->indexOf(w) >= 0)
                tabs->setCurrentWidget(w);
    }
    QAction* action(const QString& name) {
        for (QAction* a : form.findChildren<QAction*>())
            if (a->objectName() == name) return a;
        qFatal("no action %s", qPrintable(name));
    }
    // Something the program's undo takes back: the rows cleared after a number was typed into row 1.
    void clearTheRows() {
        form.sheet().setText(0, 0, QStringLiteral("9"));
        form.SpeedButton11Click();
        QCOMPARE(form.sheet().text(0, 0), QString());
        QVERIFY(form.controller().canUndo());
    }
};

// Controls whose tops differ by this much share a row.
constexpr int tolerance = 6;

// Where a control lies on its tab page.
QRect placeOn(QWidget* page, QWidget* control) {
    return QRect(control->mapTo(page, QPoint(0, 0)), control->size());
}

// The controls of a tab page that Tab stops at, as Qt decides it now.
QList<QWidget*> tabStops(QWidget* page) {
    QList<QWidget*> stops;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if ((w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || !w->isVisibleTo(page) || !w->isEnabled() ||
            w->focusProxy())
            continue;
        // A group of radio buttons is one stop, its checked button; the arrow keys choose within it.
        if (auto* radio = qobject_cast<QRadioButton*>(w);
            radio && radio->autoExclusive() && !radio->isChecked())
            continue;
        // Inner tab pages are walked on their own.
        bool inner = false;
        for (QWidget* p = w->parentWidget(); p && p != page; p = p->parentWidget())
            if (auto* tabs = qobject_cast<QTabWidget*>(p); tabs && !tabs->isAncestorOf(page)) inner = true;
        if (!inner) stops << w;
    }
    return stops;
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // Tab goes through the controls of every tab as the eye reads them, in every language: row by row from
    // the top, each row from left to right; controls whose tops differ by a few pixels share a row. Every
    // control that takes the focus is reached once.
    void tabFollowsTheScreen_data() {
        QTest::addColumn<QString>("page");
        for (const char* page : {"TabSheet1", "TabSheet7", "TabSheet8", "TabSheet9", "TabSheet10",
                                 "TabSheet11", "TabSheet5", "TabSheet4", "TabSheet3"})
            QTest::newRow(page) << page;
    }
    void tabFollowsTheScreen() {
        QFETCH(QString, page);
        Window w;
        w.start();
        auto* tab = w.find(page);
        w.showTabOf(tab);
        QVERIFY(tab->isVisible());
        for (const Language& language : languages()) {
            w.form.languageClick(language.number);
            walkTheTabs(tab);
            if (QTest::currentTestFailed()) qWarning() << "in" << language.fileName;
        }
    }

private:
    static void walkTheTabs(QWidget* tab) {
        const QList<QWidget*> stops = tabStops(tab);
        QVERIFY(stops.size() > 1);
        // The walk starts at the control at the top left.
        QWidget* first = *std::min_element(stops.begin(), stops.end(), [tab](QWidget* a, QWidget* b) {
            const QRect ra = placeOn(tab, a);
            const QRect rb = placeOn(tab, b);
            if (std::abs(ra.top() - rb.top()) > tolerance) return ra.top() < rb.top();
            return ra.left() < rb.left();
        });
        first->setFocus(Qt::TabFocusReason);
        QList<QWidget*> visited{QApplication::focusWidget()};
        QStringList walk{visited.last()->objectName()};
        // Tab goes through the day, month and year of a date field before it leaves it.
        for (int i = 0; i < 3 * stops.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            if (now == visited.last() && qobject_cast<QDateEdit*>(now)) continue;
            if (!now || !tab->isAncestorOf(now) || visited.contains(now)) break;
            const QRect before = placeOn(tab, visited.last());
            const QRect here = placeOn(tab, now);
            const bool sameRow = std::abs(here.top() - before.top()) <= tolerance;
            QVERIFY2(sameRow ? here.left() > before.left() : here.top() > before.top(),
                     qPrintable(QStringLiteral("%1 (%2,%3) after %4 (%5,%6); walk: %7")
                                    .arg(now->objectName())
                                    .arg(here.left())
                                    .arg(here.top())
                                    .arg(visited.last()->objectName())
                                    .arg(before.left())
                                    .arg(before.top())
                                    .arg(walk.join(' '))));
            visited << now;
            walk << now->objectName();
        }
        QStringList missed;
        for (QWidget* s : stops)
            if (!visited.contains(s)) missed << s->objectName();
        QVERIFY2(missed.isEmpty(),
                 qPrintable("not reached: " + missed.join(' ') + "; walk: " + walk.join(' ')));
    }

private Q_SLOTS:

    // Ctrl+Tab and Ctrl+Shift+Tab go through the tabs the window shows, never to the hidden one.
    void theHiddenTabStaysHidden_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("back");
        QTest::addColumn<int>("to");
        QTest::newRow("Ctrl+Tab from the tips") << 0 << false << 2;
        QTest::newRow("Ctrl+Shift+Tab from the options") << 2 << true << 0;
        QTest::newRow("Ctrl+Tab from the last tab") << 5 << false << 0;
    }
    void theHiddenTabStaysHidden() {
        QFETCH(int, from);
        QFETCH(bool, back);
        QFETCH(int, to);
        Window w;
        w.start();
        auto* pages = w.find<QTabWidget>("PageControl1");
        pages->setCurrentIndex(from);
        QWidget* field = from == 0 ? w.find("Edit1") : pages->currentWidget();
        field->setFocus(Qt::TabFocusReason);
        if (back)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                            Qt::ControlModifier | Qt::ShiftModifier);
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(pages->currentIndex(), to);
        QVERIFY(!w.find("Button1")->isVisible());
    }

    // A whole date typed into a date field is that date, however its parts are separated; a date that does
    // not exist leaves the field as it was, one before the first draw becomes the first draw's day; digits
    // typed after moving to the month or the year change that part. The field reports no date on the way.
    void typingADate_data() {
        QTest::addColumn<QString>("picker");
        QTest::addColumn<int>("part"); // the part of the date (0 day, 1 month, 2 year) typing starts in
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("date");
        const struct {
            int part;
            const char* typed;
            QDate date;
        } rows[] = {
            {0, "15.03.2021", QDate(2021, 3, 15)},
            {0, "1.3.2021", QDate(2021, 3, 1)},
            {0, "15/03/2021", QDate(2021, 3, 15)},
            {0, "15-3-2021", QDate(2021, 3, 15)},
            {0, "15032021", QDate(2021, 3, 15)},
            {0, "15.03.21", QDate(2021, 3, 15)},
            {0, "31.02.2021", QDate()},
            {0, "01.01.2000", QDate(2008, 10, 6)},
            {1, "7", QDate(2020, 7, 1)},
            {2, "2021", QDate(2021, 1, 1)},
        };
        for (const char* picker : {"DateTimePicker1", "DateTimePicker2"})
            for (const auto& row : rows)
                QTest::addRow("%s %s", picker, row.typed) << picker << row.part << row.typed << row.date;
    }
    void typingADate() {
        QFETCH(QString, picker);
        QFETCH(int, part);
        QFETCH(QString, typed);
        QFETCH(QDate, date);
        Window w;
        w.start();
        auto* field = w.find<QDateEdit>(picker);
        w.showTabOf(field);
        field->setDate(QDate(2020, 1, 1));
        const QDate before = field->date();
        QSignalSpy changes(field, &QDateEdit::dateChanged);
        field->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < part; ++i)
            QTest::keyClick(field, Qt::Key_Tab); // Tab goes from the day to the month and to the year
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Tab);
        const QDate expected = date.isValid() ? date : before;
        QCOMPARE(field->date(), expected);
        QCOMPARE(field->text(), expected.toString(QStringLiteral("dd.MM.yyyy")));
        for (const QList<QVariant>& change : changes)
            QCOMPARE(change.at(0).toDate(), expected);
        QCOMPARE(changes.size(), expected == before ? 0 : 1);
    }

    // F4 and Alt+Down open a date field's calendar; Escape closes it and the date stays.
    void theKeyboardOpensTheCalendar_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("F4") << int(Qt::Key_F4) << int(Qt::NoModifier);
        QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier);
    }
    void theKeyboardOpensTheCalendar() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Window w;
        w.start();
        auto* field = w.find<QDateEdit>("DateTimePicker1");
        w.showTabOf(field);
        field->setDate(QDate(2020, 1, 1));
        field->setFocus(Qt::TabFocusReason);
        QTest::keyClick(field, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCalendarWidget* calendar = field->calendarWidget();
        QTRY_VERIFY(calendar->isVisible());
        QCOMPARE(calendar->selectedDate(), QDate(2020, 1, 1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!calendar->isVisible());
        QCOMPARE(field->date(), QDate(2020, 1, 1));
    }

    // Ctrl+Z takes the program's last command back from any control; a field that has typing of its own to
    // take back does that first.
    void ctrlZWhereverTheFocusIs_data() {
        QTest::addColumn<QString>("control");
        QTest::newRow("tip field") << "Edit1";
        QTest::newRow("date field of the draws") << "DateTimePicker1";
        QTest::newRow("date field of the chart") << "DateTimePicker2";
        QTest::newRow("field of a spin") << "Edit80";
        QTest::newRow("button") << "BitBtn7";
    }
    void ctrlZWhereverTheFocusIs() {
        QFETCH(QString, control);
        Window w;
        w.start();
        w.clearTheRows();
        QWidget* target = w.find(control);
        w.showTabOf(target);
        target->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.form.sheet().text(0, 0), QStringLiteral("9"));
        QVERIFY(!w.form.controller().canUndo());
    }
    void ctrlZTakesTheFieldsOwnTypingBackFirst() {
        Window w;
        w.start();
        w.clearTheRows();
        auto* proxy = w.find<QLineEdit>("ProxyHostEdit");
        w.showTabOf(proxy);
        proxy->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(proxy, "proxy");
        QTest::keyClick(proxy, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(proxy->text(), QString());
        QCOMPARE(w.form.sheet().text(0, 0), QString());
        QTest::keyClick(proxy, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.form.sheet().text(0, 0), QStringLiteral("9"));
    }

    // The edit menu holds the undo with its shortcut, in the player's language, and the commands that have
    // shortcuts of their own, which a menu bar item cannot show; the undo is greyed while there is nothing
    // to take back.
    void theEditMenuShowsTheShortcuts() {
        Window w;
        w.start();
        w.form.languageClick(3);
        QMenu* edit = nullptr;
        for (QAction* a : w.form.menuBar()->actions())
            if (a->menu() && a->menu()->objectName() == QLatin1String("Bearbeiten1")) edit = a->menu();
        QVERIFY(edit);
        QCOMPARE(edit->title(), QStringLiteral("&Édition"));
        QStringList items;
        for (QAction* a : edit->actions())
            if (!a->isSeparator())
                items << a->text().remove('&') + " " + a->shortcut().toString() +
                             (a->isVisible() ? "" : " hidden");
        QCOMPARE(items, QStringList({"Annuler Ctrl+Z", "Charger les tirages Ctrl+A", "Calculer Ctrl+R",
                                     "Jouer Ctrl+G"}));
        QAction* undo = w.action("Rueckgaengig1");
        QVERIFY(!undo->isEnabled());
        w.clearTheRows();
        QVERIFY(undo->isEnabled());
        undo->trigger();
        QCOMPARE(w.form.sheet().text(0, 0), QStringLiteral("9"));
        QVERIFY(!undo->isEnabled());
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
