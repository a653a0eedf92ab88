#include "Doubles.h"
#include "TestSupport.h"

#include "generator/CriteriaPage.h"
#include "generator/NumberListDialog.h"
#include "generator/RandomSource.h"
#include "stats/Statistics.h"
#include "widgets/WidgetTexts.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyleOptionSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <memory>

using namespace kugelo;
using namespace kugelo::test;

namespace {

// The dialog over a temporary home, with the dialogs double and a fixed clock.
struct Dialog {
    TempHome home;
    ScriptedDialogs dialogs;
    FixedDayClock clock{QDate(2026, 3, 7)};
    RandomSource random{4711};
    TForm6 form{random, dialogs, clock};

    template <class W = QWidget> W* find(const QString& name) {
        W* w = form.findChild<W*>(name);
        if (!w) qFatal("no control %s", qPrintable(name));
        return w;
    }
    QCheckBox* box(int n) { return find<QCheckBox>(QStringLiteral("CheckBox%1").arg(n)); }
    QString status() { return find<QLabel>("StatusBar1Panel0")->text(); }
    // Runs the dialog modally; what happens inside it is done once its loop runs.
    TForm6::Result run(const std::function<void()>& inside) {
        QTimer::singleShot(0, &form, inside);
        return form.runModal();
    }
};

// The five option pages of the "Berechnung" tab in an inner tab control, at the window's design size.
struct OptionPages {
    GenerationCriteria criteria;
    QTabWidget tabs;
    std::array<QWidget*, 5> pages{};
    std::unique_ptr<CriteriaPage> view;

    OptionPages() {
        QFont arial(QStringLiteral("Arial"));
        arial.setPixelSize(11);
        tabs.setFont(arial);
        for (int i = 0; i < 5; ++i) {
            pages[i] = new QWidget;
            pages[i]->setObjectName(QStringLiteral("TabSheet%1").arg(7 + i));
            tabs.addTab(pages[i], pageNames()[i]);
        }
        view = std::make_unique<CriteriaPage>(criteria, pages);
        tabs.resize(516, 372);
        tabs.show();
    }
    static QStringList pageNames() {
        return {QStringLiteral("Statistisch"), QStringLiteral("Schein Optimierung"),
                QStringLiteral("Mathematisch"), QStringLiteral("n° CHANCE"), QStringLiteral("Allgemein")};
    }
    template <class W = QWidget> W* get(const QString& name) {
        auto* w = qobject_cast<W*>(view->control(name));
        if (!w) qFatal("no control %s", qPrintable(name));
        return w;
    }
    QSpinBox* spin(const char* name) { return get<QSpinBox>(QLatin1String(name)); }
    // The page that holds a widget, or -1.
    int pageOf(const QWidget* w) const {
        for (int i = 0; i < 5; ++i) {
            if (pages[i]->isAncestorOf(w)) return i;
        }
        return -1;
    }
    // Brings the page of a widget to the front, so that the mouse reaches it.
    void front(const QWidget* w) { tabs.setCurrentIndex(pageOf(w)); }
    // A press, a release or both on a spin's up or down button.
    void mouseOnArrow(QSpinBox* spin, bool up, bool press, bool release) {
        front(spin);
        QStyleOptionSpinBox option;
        option.initFrom(spin);
        option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame;
        option.frame = true;
        option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
        const QRect arrow = spin->style()->subControlRect(
            QStyle::CC_SpinBox, &option, up ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown, spin);
        if (press) QTest::mousePress(spin, Qt::LeftButton, {}, arrow.center());
        if (release) QTest::mouseRelease(spin, Qt::LeftButton, {}, arrow.center());
    }
    // Types a value into a spin's edit field, as the user does.
    void type(const char* edit, const QString& text) {
        auto* e = get<QLineEdit>(QLatin1String(edit));
        front(e);
        e->selectAll();
        QTest::keyClicks(e, text);
    }
};

} // namespace

class TestGeneratorView : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void designNamesAndModes_data() {
        QTest::addColumn<bool>("rowMode");
        QTest::newRow("pool mode") << false;
        QTest::newRow("row mode") << true;
    }
    void designNamesAndModes() {
        QFETCH(bool, rowMode);
        Dialog d;
        d.form.setRowMode(rowMode);
        QCOMPARE(d.form.rowMode(), rowMode);
        QCOMPARE(d.form.windowTitle(), QStringLiteral("Welche Zahlen für die Berechnung"));
        for (int n = 1; n <= 59; ++n) {
            QCOMPARE(d.box(n)->text(), QString::number(n));
            QCOMPARE(d.box(n)->toolTip(), QStringLiteral("1"));
            QCOMPARE(d.box(n)->isHidden(), n > 49);
        }
        QCOMPARE(d.find<QToolButton>("SpeedButton1")->toolTip(), QStringLiteral("Speichern der Liste"));
        QCOMPARE(d.find<QToolButton>("SpeedButton2")->toolTip(), QStringLiteral("Laden der Liste"));
        QCOMPARE(d.find<QPushButton>("BitBtn1")->text(), QStringLiteral("OK"));
        QVERIFY(d.find<QPushButton>("BitBtn1")->isDefault());
        QCOMPARE(d.find<QPushButton>("BitBtn2")->text(), QStringLiteral("Abbrechen"));
        QCOMPARE(d.find<QPushButton>("BitBtn3")->text(), QStringLiteral("&Rechnen"));
        QCOMPARE(d.find<QPushButton>("BitBtn4")->text(), QStringLiteral("&Zufall"));
        QCOMPARE(d.find<QPushButton>("BitBtn3")->geometry(), d.find<QPushButton>("BitBtn1")->geometry());
        QCOMPARE(d.find<QPushButton>("BitBtn3")->isHidden(), rowMode);
        QCOMPARE(d.find<QPushButton>("BitBtn4")->isHidden(), !rowMode);
        QVERIFY(!d.find<QPushButton>("BitBtn1")->isHidden());
        QVERIFY(d.find<QStatusBar>("StatusBar1"));
        auto* timer = d.find<QTimer>("Timer1");
        QCOMPARE(timer->interval(), 25);
        QVERIFY(!timer->isActive());

        d.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d.form));
        // Nothing lies outside the window.
        const QRect client = d.form.rect();
        for (QWidget* w : d.form.findChildren<QWidget*>()) {
            if (w->isVisible() && w->parentWidget() == &d.form)
                QVERIFY2(client.contains(w->geometry()), qPrintable(w->objectName()));
        }
    }

    void howTheDialogEnds_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("expected");
        QTest::newRow("OK") << "BitBtn1" << int(TForm6::Ok);
        QTest::newRow("Abbrechen") << "BitBtn2" << int(TForm6::Abort);
        QTest::newRow("Rechnen") << "BitBtn3" << int(TForm6::Retry);
        QTest::newRow("close box") << "close" << int(TForm6::Cancel);
        QTest::newRow("Escape") << "Escape" << int(TForm6::Cancel);
        QTest::newRow("Enter while Rechnen shows") << "Enter" << int(TForm6::Ok);
    }
    void howTheDialogEnds() {
        QFETCH(QString, how);
        QFETCH(int, expected);
        Dialog d;
        const TForm6::Result result = d.run([&] {
            if (how == QLatin1String("close"))
                d.form.close();
            else if (how == QLatin1String("Escape"))
                QTest::keyClick(&d.form, Qt::Key_Escape);
            else if (how == QLatin1String("Enter"))
                QTest::keyClick(d.box(3), Qt::Key_Return);
            else
                d.find<QPushButton>(how)->click();
        });
        QCOMPARE(int(result), expected);
        QVERIFY(!d.form.isVisible());
    }

    void closingStopsTheRandomDraw() {
        Dialog d;
        d.form.setRowMode(true);
        auto* random = d.find<QPushButton>("BitBtn4");
        auto* timer = d.find<QTimer>("Timer1");
        const TForm6::Result result = d.run([&] {
            const auto closeEvenOnFailure = qScopeGuard([&] { d.form.close(); });
            random->click();
            QVERIFY(timer->isActive());
            QTRY_VERIFY(d.form.list().Tippreihe[5] != 0);
            random->click(); // fixes the first position
            QTRY_COMPARE(random->text(), QStringLiteral("2 Stop"));
        });
        QCOMPARE(result, TForm6::Cancel);
        QVERIFY(!timer->isActive());
        QCOMPARE(random->text(), QStringLiteral("&Zufall")); // its own caption again, with its accelerator
        QCOMPARE(d.form.list().Losgeht, 1);
        int ticked = 0;
        for (int n = 1; n <= 49; ++n)
            ticked += d.box(n)->isChecked();
        QCOMPARE(ticked, 5);
    }

    void mousePressesChangeWeights() {
        Dialog d;
        d.form.list().setSet(12, true);
        d.form.list().setWeight(12, QStringLiteral("2"));
        d.form.showList();
        d.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d.form));
        const QPoint indicator(8, d.box(12)->height() / 2);

        QTest::mouseClick(d.box(12), Qt::RightButton, {}, indicator);
        QCOMPARE(d.box(12)->toolTip(), QStringLiteral("1"));
        QVERIFY(d.box(12)->isChecked());
        QTest::mouseClick(d.box(12), Qt::RightButton, {}, indicator);
        QCOMPARE(d.box(12)->toolTip(), QStringLiteral("0"));
        QVERIFY(!d.box(12)->isChecked());
        QCOMPARE(d.status(), QStringLiteral("Die Zahl 12 geht mit der Gewichtung 0 in die Berechnung ein"));

        // A left click toggles; box 1 also raises its weight when it becomes set.
        QTest::mouseClick(d.box(1), Qt::LeftButton, {}, indicator);
        QVERIFY(d.box(1)->isChecked());
        QVERIFY(d.form.list().isSet(1));
        QCOMPARE(d.box(1)->toolTip(), QStringLiteral("2"));
        QTest::mouseClick(d.box(12), Qt::LeftButton, {}, indicator);
        QVERIFY(d.form.list().isSet(12));
        QCOMPARE(d.box(12)->toolTip(), QStringLiteral("0"));
    }

    // However a box is ticked, the list the dialog hands back is what the boxes show.
    void theTicksShownAreTheTicksUsed_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Space") << "Space";
        QTest::newRow("accessibility toggle") << "toggle";
        QTest::newRow("accessibility press") << "press";
    }
    void theTicksShownAreTheTicksUsed() {
        QFETCH(QString, how);
        Dialog d;
        d.form.list().setSet(20, true);
        d.form.showList();
        const TForm6::Result result = d.run([&] {
            for (int n : {5, 20}) {
                QCheckBox* box = d.box(n);
                if (how == QLatin1String("Space")) {
                    box->setFocus();
                    QTest::keyClick(box, Qt::Key_Space);
                } else {
                    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(box);
                    a->actionInterface()->doAction(how == QLatin1String("toggle")
                                                       ? QAccessibleActionInterface::toggleAction()
                                                       : QAccessibleActionInterface::pressAction());
                }
            }
            QTRY_VERIFY(d.box(5)->isChecked() && !d.box(20)->isChecked());
            d.find<QPushButton>("BitBtn3")->click();
        });
        QCOMPARE(result, TForm6::Retry);
        QVERIFY(d.form.list().isSet(5));
        QVERIFY(!d.form.list().isSet(20));
    }

    void saveAndLoadTheList() {
        Dialog d;
        NumberList& list = d.form.list();
        list.setSet(1, true);
        list.setWeight(1, QStringLiteral("3"));
        list.setSet(4, true);
        list.setWeight(4, QString());
        d.form.showList();

        const QString path = d.home.file(QStringLiteral("liste.nlf"));
        d.dialogs.fileNames = {path};
        d.find<QToolButton>("SpeedButton1")->click();
        QCOMPARE(d.dialogs.fileDialogs.size(), 1);
        const FileDialogOptions& options = d.dialogs.fileDialogs.first();
        QCOMPARE(options.filter, QStringLiteral("Werteliste|*.nlf"));
        QCOMPARE(options.defaultExtension, QStringLiteral("nlf"));
        QCOMPARE(options.proposedName, QStringLiteral("20260307.nlf"));
        const QByteArray saved = d.home.readBytes(QStringLiteral("liste.nlf"));
        QVERIFY(saved.startsWith("3\r\n\r\n\r\n1\r\n\r\n"));
        QCOMPARE(saved.count("\r\n"), 49);
        QCOMPARE(d.box(4)->toolTip(), QStringLiteral("1"));

        list.setSet(1, false);
        list.setSet(4, false);
        list.setSet(9, true);
        d.form.showList();
        d.dialogs.fileNames = {path};
        d.find<QToolButton>("SpeedButton2")->click();
        QCOMPARE(d.dialogs.fileDialogs.last().proposedName, QStringLiteral("20260307.nlf"));
        QVERIFY(d.box(1)->isChecked() && d.box(4)->isChecked() && !d.box(9)->isChecked());
        QCOMPARE(d.box(1)->toolTip(), QStringLiteral("3"));

        // Cancelled dialogs do nothing.
        d.find<QToolButton>("SpeedButton1")->click();
        d.find<QToolButton>("SpeedButton2")->click();
        QCOMPARE(d.home.readBytes(QStringLiteral("liste.nlf")), saved);
        QVERIFY(d.box(1)->isChecked());
        QVERIFY(d.dialogs.messages.isEmpty());
    }

    void fileFailuresAreReportedAndChangeNothing() {
        Dialog d;
        const QString path = d.home.file(QStringLiteral("alt.nlf"));
        d.home.writeBytes(QStringLiteral("alt.nlf"), "5\r\n");
        // The temporary file beside it cannot be created: the save fails before the rename.
        QVERIFY(QDir().mkdir(path + QLatin1Char('~')));
        d.form.list().setSet(2, true);
        d.form.showList();

        d.dialogs.fileNames = {path};
        d.find<QToolButton>("SpeedButton1")->click();
        QCOMPARE(d.dialogs.messages.size(), 1);
        QVERIFY(d.dialogs.messages.first().contains(path));
        QCOMPARE(d.home.readBytes(QStringLiteral("alt.nlf")), QByteArray("5\r\n"));

        d.dialogs.fileNames = {d.home.file(QStringLiteral("fehlt.nlf"))};
        d.find<QToolButton>("SpeedButton2")->click();
        QCOMPARE(d.dialogs.messages.size(), 2);
        QVERIFY(d.box(2)->isChecked());
        QVERIFY(d.form.list().isSet(2));
    }

    void scalingIsCumulative() {
        Dialog d;
        auto* ok = d.find<QPushButton>("BitBtn1");
        const QRect design = ok->geometry();
        const QSize size = d.form.size();
        d.form.scaleBy(1.5);
        QCOMPARE(ok->geometry(),
                 QRect(design.x() * 1.5, design.y() * 1.5, design.width() * 1.5, design.height() * 1.5));
        QCOMPARE(d.box(1)->font().pixelSize(), 17);
        QCOMPARE(d.form.size(), QSize(size.width() * 1.5, size.height() * 1.5));
        d.form.scaleBy(1 / 1.5);
        QCOMPARE(ok->geometry(), design);
        QCOMPARE(d.form.size(), size);
    }
    // The option pages of the "Berechnung" tab: every option of the table on its page, with its
    // caption, hint, edit field, limits and value.
    void optionControlsOnTheirPages() {
        OptionPages p;
        const QStringList pages = OptionPages::pageNames();
        for (const OptionRow& option : optionTable()) {
            const QString name = QLatin1String(option.name);
            const int page = pages.indexOf(QString::fromUtf8(option.page));
            if (page < 0) {
                QVERIFY2(!p.view->control(name), option.name); // UpDown8 lives on the tip overview
                continue;
            }
            QWidget* w = p.view->control(name);
            QVERIFY2(w, option.name);
            QCOMPARE(w->objectName(), name);
            QVERIFY2(p.pageOf(w) == page, option.name);
            QCOMPARE(w->toolTip(), QString::fromUtf8(option.hint));
            switch (option.kind) {
            case OptionKind::Check:
                QVERIFY2(qobject_cast<QCheckBox*>(w), option.name);
                QCOMPARE(qobject_cast<QCheckBox*>(w)->text(), QString::fromUtf8(option.caption));
                QCOMPARE(qobject_cast<QCheckBox*>(w)->isChecked(), p.criteria.*(option.flag));
                break;
            case OptionKind::Radio:
                QVERIFY2(qobject_cast<QRadioButton*>(w), option.name);
                QCOMPARE(qobject_cast<QRadioButton*>(w)->text(), QString::fromUtf8(option.caption));
                QCOMPARE(qobject_cast<QRadioButton*>(w)->isChecked(), p.criteria.*(option.flag));
                break;
            case OptionKind::Spin: {
                auto* spin = qobject_cast<QSpinBox*>(w);
                QVERIFY2(spin, option.name);
                const SpinValue& value = p.criteria.*(option.spin);
                QCOMPARE(spin->minimum(), value.min);
                QCOMPARE(spin->maximum(), value.max);
                QCOMPARE(spin->value(), value.value);
                auto* edit = spin->findChild<QLineEdit*>();
                QCOMPARE(edit->objectName(), QLatin1String(option.edit));
                QCOMPARE(p.view->control(edit->objectName()), edit);
                QCOMPARE(edit->toolTip(),
                         QString::fromUtf8(option.hint)); // the status bar shows the edit's hint
                break;
            }
            }
        }
        auto* group = p.get<QGroupBox>(QStringLiteral("RadioGroup1"));
        QCOMPARE(group->title(), QStringLiteral("n° CHANCE"));
        for (const char* radio : {"RadioButton1", "RadioButton2", "RadioButton3"})
            QVERIFY(group->isAncestorOf(p.get(QLatin1String(radio))));
    }

    // Headings, notes and labels of the pages that are not options.
    void textsOfThePages_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("text");
        QTest::newRow("Statistisch heading")
            << 0 << QStringLiteral("Zahlen für die Tipps über Statistik bevorzugen");
        QTest::newRow("Statistisch note Allgemein")
            << 0
            << QStringLiteral("Unter \"Allgemein\" können Sie festlegen, dass nur diese Zahlen für die "
                              "Tippberechnung verwendet werden");
        QTest::newRow("Statistisch note x%")
            << 0
            << QStringLiteral("Für die Tippberechnung werden die jeweils ersten x% verwendet. (z.B. bis 30% "
                              "vom Maximum)");
        QTest::newRow("Schein heading rows")
            << 1 << QStringLiteral("Optimierung der einzelnen Tipps miteinander im Schein ");
        QTest::newRow("Schein heading draws")
            << 1 << QStringLiteral("Optimierung der einzelnen Tipps über die vergangenen Ziehungen");
        QTest::newRow("Schein heading devaluation")
            << 1 << QStringLiteral("Für höherer Quoten können verschiedene Zahlen  \"benachteiligt\" werden");
        QTest::newRow("Mathematisch heading")
            << 2 << QStringLiteral("Diese Bedingungen werden in jeder Tippreihe berücksichtigt");
        QTest::newRow("cross sums")
            << 2
            << QStringLiteral("Quersummen von                  bis                     im Tipp zulassen");
        QTest::newRow("cross sum note") << 2
                                        << QStringLiteral("Durch das Begrenzen der Quersummer können Sie "
                                                          "Tipps wie 1-2-3-4-5-6 oder 39-41-43-46-47-49");
        QTest::newRow("higher odds note")
            << 2
            << QStringLiteral(
                   "Mochten Sie auf höhere Quoten Tippen, wählen Sie Quersummer größer 130. (Datumstipper)");
        QTest::newRow("Label88")
            << 2
            << QStringLiteral(
                   "Die Quersummerverteilung der vergangenen Ziehungen sehen Sie im Diagramm unter QS  ");
        QTest::newRow("Label89")
            << 2
            << QStringLiteral(
                   "Paare entstehen meist automatisch, aber hier können Sie auch erzwungen werden.");
        QTest::newRow("Label91") << 2 << QStringLiteral("Dreier, ");
        QTest::newRow("Label90") << 2
                                 << QStringLiteral(
                                        "Vierer ... (3-4-5  oder 28-29-30-31) entstehen relativ selten, "
                                        "können hier ganz verhindert werden");
        QTest::newRow("n° CHANCE heading") << 3 << QStringLiteral("Berechnungsoptionen für n° CHANCE");
        QTest::newRow("Allgemein heading") << 4 << QStringLiteral("Allgemeine Berechnungsoptionen");
        QTest::newRow("run limit") << 4 << QStringLiteral("Maximale Berechnungsläufe");
        QTest::newRow("thousands") << 4 << QStringLiteral("Tausend");
        QTest::newRow("run limit note") << 4
                                        << QStringLiteral("Sie können versuchen die Berechnungsläufe zu "
                                                          "erhöhen, falls mit Ihren Einstellungen nicht "
                                                          "alle Reihen berechnet werden konnten. ");
    }
    void textsOfThePages() {
        QFETCH(int, page);
        QFETCH(QString, text);
        OptionPages p;
        QLabel* found = nullptr;
        for (auto* l : p.pages[page]->findChildren<QLabel*>()) {
            if (l->text() == text) found = l;
        }
        QVERIFY(found);
        const QString tag = QLatin1String(QTest::currentDataTag());
        if (tag.startsWith(QLatin1String("Label")))
            QCOMPARE(found->objectName(), tag);
        else
            QVERIFY2(found->objectName().startsWith(QLatin1String("LabelC")),
                     qPrintable(found->objectName()));
    }

    // Every control lies inside its page, and the spins of a caption with gaps lie over that caption.
    void layoutFitsThePages() {
        OptionPages p;
        for (QWidget* page : p.pages) {
            const QRect area = page->rect();
            for (QWidget* w : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                QVERIFY2(area.contains(w->geometry()), qPrintable(w->objectName()));
        }
        const auto over = [&](const char* spin, const char* caption) {
            const QRect s = p.get(QLatin1String(spin))->geometry();
            const QRect c = p.get(QLatin1String(caption))->geometry();
            return c.contains(s.center()) && s.top() == c.top();
        };
        QVERIFY(over("UpDown6", "CheckBox9"));
        QVERIFY(over("UpDown17", "CheckBox28"));
        QVERIFY(over("UpDown18", "CheckBox28"));
        QVERIFY(p.get("UpDown17")->geometry().right() < p.get("UpDown18")->geometry().left());
        QLabel* crossSums = nullptr;
        for (auto* l : p.pages[2]->findChildren<QLabel*>()) {
            if (l->text().startsWith(QLatin1String("Quersummen von"))) crossSums = l;
        }
        QVERIFY(crossSums);
        for (const char* name : {"UpDown1", "UpDown2"}) {
            const QRect s = p.get(QLatin1String(name))->geometry();
            QVERIFY2(crossSums->geometry().contains(s.center()), name);
        }
    }

    // However many blanks a language leaves for the spins of a sentence, they stand where the words before
    // them end and push the words after them along; a sentence without blanks gets its spins after it.
    void aSentenceMakesRoomForItsSpins_data() {
        QTest::addColumn<QString>("recent");
        QTest::addColumn<QString>("crossSums");
        QTest::newRow("as designed")
            << "Tipp darf keinen              er aus den letzten              Ziehungen sein"
            << "Quersummen von                  bis                     im Tipp zulassen";
        QTest::newRow("three blanks") << "Grille : pas de   bons numéros aux   derniers tirages"
                                      << "Somme entre   et   autorisée par grille";
        QTest::newRow("a long run")
            << QStringLiteral("Ne pas avoir%1bons numéros aux derniers%1tirages").arg(QString(40, ' '))
            << QStringLiteral("Сумма от%1до   в ставке").arg(QString(30, ' '));
        QTest::newRow("no blanks") << "Grille : pas de bons numéros aux derniers tirages"
                                   << "Somme autorisée par grille";
    }
    void aSentenceMakesRoomForItsSpins() {
        QFETCH(QString, recent);
        QFETCH(QString, crossSums);
        OptionPages p;
        p.get<QCheckBox>(QStringLiteral("CheckBox28"))->setText(recent);
        QLabel* crossSumCaption = nullptr;
        for (auto* l : p.pages[2]->findChildren<QLabel*>())
            if (l->text().startsWith(QLatin1String("Quersummen von"))) crossSumCaption = l;
        QVERIFY(crossSumCaption);
        crossSumCaption->setText(crossSums);
        p.view->layOut();
        const QStringList found = WidgetTexts({&p.tabs}).clippedTexts();
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
        for (const auto& [first, second] :
             {std::pair{"UpDown17", "UpDown18"}, std::pair{"UpDown1", "UpDown2"}})
            QVERIFY(p.get(QLatin1String(first))->geometry().right() <
                    p.get(QLatin1String(second))->geometry().left());
        for (QWidget* page : p.pages)
            for (QWidget* w : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                QVERIFY2(page->rect().contains(w->geometry()), qPrintable(w->objectName()));
    }

    // A user change is in the criteria at once: a running generation reads it at its next test.
    void userChangesReachTheCriteriaAtOnce() {
        OptionPages p;
        auto* box = p.get<QCheckBox>(QStringLiteral("CheckBox2"));
        p.front(box);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        QVERIFY(p.criteria.preferFrequent);
        p.get<QCheckBox>(QStringLiteral("CheckBox18"))->click();
        QVERIFY(!p.criteria.noThreeConsecutive);

        p.type("Edit92", QStringLiteral("100")); // no focus change, no Enter
        QCOMPARE(p.criteria.recentWeeks.value, 100);
        p.type("Edit37", QStringLiteral("7")); // below the limit: the edit does not take it
        QCOMPARE(p.criteria.crossSumMin.value, 50);
        QTest::keyClick(p.spin("UpDown12"), Qt::Key_Up);
        QCOMPARE(p.criteria.frequentPercent.value, 31);
        p.mouseOnArrow(p.spin("UpDown19"), false, true, true);
        QCOMPARE(p.criteria.chanceRecentDraws.value, 4);
    }

    void runLimitChangeCarriesTheValueBefore() {
        OptionPages p;
        QSignalSpy spy(p.view.get(), &CriteriaPage::runLimitChanged);
        p.mouseOnArrow(p.spin("UpDown7"), true, true, true);
        QCOMPARE(p.criteria.runLimitThousands.value, 51);
        p.type("Edit55", QStringLiteral("200"));
        QCOMPARE(p.criteria.runLimitThousands.value, 200);
        // Typing "200" passes through 2 and 20.
        QCOMPARE(spy.size(), 4);
        QCOMPARE(spy.at(0).at(0).toInt(), 50);
        QCOMPARE(spy.at(1).at(0).toInt(), 51);
        QCOMPARE(spy.at(3).at(0).toInt(), 20);
        // Code changes are shown, not reported.
        p.criteria.runLimitThousands.set(7);
        p.view->showCriteria();
        QCOMPARE(spy.size(), 4);
    }

    // The run relaxes options while it runs and the window shows them; showing is no user change.
    void showCriteriaShowsCodeChanges() {
        OptionPages p;
        GenerationCriteria& c = p.criteria;
        c.forcePair = true;
        c.lastDrawShared.set(3);
        c.secondLastDrawShared.set(2);
        c.historyMatchSize.setLimits(3, 7);
        c.historyMatchSize.set(7);
        c.chooseChanceMode(3);
        c.preferRare = false;
        const GenerationCriteria before = c;
        p.view->showCriteria();
        QVERIFY(p.get<QCheckBox>(QStringLiteral("CheckBox8"))->isChecked());
        QVERIFY(!p.get<QCheckBox>(QStringLiteral("CheckBox14"))->isChecked());
        QCOMPARE(p.spin("UpDown4")->value(), 3);
        QCOMPARE(p.get<QLineEdit>(QStringLiteral("Edit40"))->text(), QStringLiteral("3"));
        QCOMPARE(p.spin("UpDown5")->value(), 2);
        QCOMPARE(p.spin("UpDown6")->maximum(), 7);
        QCOMPARE(p.spin("UpDown6")->value(), 7);
        QVERIFY(p.get<QRadioButton>(QStringLiteral("RadioButton3"))->isChecked());
        QVERIFY(!p.get<QRadioButton>(QStringLiteral("RadioButton2"))->isChecked());
        // Narrower limits clamp the shown value without writing anything back on their own.
        QCOMPARE(c.historyMatchSize.value, before.historyMatchSize.value);
        QCOMPARE(c.chanceRarest, false);

        // Back to the values of its start: shown again.
        c.forcePair = false;
        c.historyMatchSize.setLimits(3, 5);
        p.view->showCriteria();
        QVERIFY(!p.get<QCheckBox>(QStringLiteral("CheckBox8"))->isChecked());
        QCOMPARE(p.spin("UpDown6")->maximum(), 5);
        QCOMPARE(p.spin("UpDown6")->value(), 5);
    }

    // Coupled ranges on mouse press and release of the spin buttons (and only there).
    void evenAndOddMinimaOnTheMouse_data() {
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<QString>("other");
        QTest::addColumn<int>("otherValue");
        QTest::addColumn<bool>("press");
        QTest::addColumn<bool>("release");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("value");
        // The up button steps after the press has set the new maximum.
        QTest::newRow("press UpDown15") << "UpDown15"
                                        << "Edit90" << 4 << true << false << 2 << 2;
        QTest::newRow("release UpDown15") << "UpDown15"
                                          << "Edit90" << 1 << false << true << 5 << 2;
        QTest::newRow("click UpDown15, room to step") << "UpDown15"
                                                      << "Edit90" << 3 << true << true << 3 << 3;
        QTest::newRow("press UpDown16") << "UpDown16"
                                        << "Edit89" << 5 << true << false << 1 << 1;
        QTest::newRow("release UpDown16") << "UpDown16"
                                          << "Edit89" << 6 << false << true << 0 << 0;
    }
    void evenAndOddMinimaOnTheMouse() {
        QFETCH(QString, pressed);
        QFETCH(QString, other);
        QFETCH(int, otherValue);
        QFETCH(bool, press);
        QFETCH(bool, release);
        QFETCH(int, max);
        QFETCH(int, value);
        OptionPages p;
        p.type(qPrintable(other), QString::number(otherValue));
        QCOMPARE(p.spin("UpDown15")->maximum(), 6); // typing is not coupled
        QCOMPARE(p.spin("UpDown16")->maximum(), 6);
        QSpinBox* spin = p.get<QSpinBox>(pressed);
        p.mouseOnArrow(spin, true, press, release);
        const SpinValue& field =
            pressed == QLatin1String("UpDown15") ? p.criteria.minEven : p.criteria.minOdd;
        QCOMPARE(field.max, max);
        QCOMPARE(field.value, value);
        QCOMPARE(spin->maximum(), max);
        QCOMPARE(spin->value(), value);
    }

    void overlapBoundsOnTheMouse() {
        OptionPages p;
        GenerationCriteria& c = p.criteria;
        // Pressing UpDown3 limits UpDown9 to it and itself to UpDown9, before its step.
        p.mouseOnArrow(p.spin("UpDown3"), false, true, false);
        QCOMPARE(c.minOverlap.max, 2);
        QCOMPARE(c.maxOverlap.min, 1);
        QCOMPARE(c.maxOverlap.value, 1);
        p.mouseOnArrow(p.spin("UpDown3"), false, false, true);
        p.mouseOnArrow(p.spin("UpDown3"), false, true, true);
        QCOMPARE(c.maxOverlap.value, 1); // the minimum holds
        QCOMPARE(c.minOverlap.max, 1);
        QCOMPARE(p.spin("UpDown9")->maximum(), 1);
        QCOMPARE(p.spin("UpDown3")->minimum(), 1);
        p.type("Edit39", QStringLiteral("4"));
        p.mouseOnArrow(p.spin("UpDown3"), true, true, true);
        QCOMPARE(c.maxOverlap.value, 5);
        QCOMPARE(c.minOverlap.max, 4); // the value at the press, before the step
        // Releasing (not pressing) on UpDown9 raises UpDown3's minimum to it.
        p.mouseOnArrow(p.spin("UpDown9"), true, true, false);
        QCOMPARE(c.minOverlap.value, 2);
        QCOMPARE(c.maxOverlap.min, 1);
        p.mouseOnArrow(p.spin("UpDown9"), true, false, true);
        QCOMPARE(c.maxOverlap.min, 2);
        QCOMPARE(p.spin("UpDown3")->minimum(), 2);
        QCOMPARE(c.minOverlap.max, 4); // changed by pressing UpDown3 only
    }

    // Typing is not coupled: a maximum below the minimum can be typed (the rows test then rejects).
    void typingIsNotCoupled() {
        OptionPages p;
        GenerationCriteria& c = p.criteria;
        auto* edit = p.get<QLineEdit>(QStringLiteral("Edit39"));
        p.front(edit);
        QTest::mouseClick(edit, Qt::LeftButton); // a click into the edit is no press on the spin button
        p.type("Edit39", QStringLiteral("0"));
        QCOMPARE(c.maxOverlap.value, 0);
        QCOMPARE(c.minOverlap.value, 1);
        QCOMPARE(c.maxOverlap.min, 0);
        QCOMPARE(c.minOverlap.max, 5);
        p.type("Edit89", QStringLiteral("6"));
        p.type("Edit90", QStringLiteral("6"));
        QCOMPARE(c.minEven.value, 6);
        QCOMPARE(c.minOdd.value, 6);
    }

    void chanceRulesAreExclusive() {
        OptionPages p;
        const auto rule = [&] {
            const GenerationCriteria& c = p.criteria;
            return QString::number(c.chanceAtRandom) + QString::number(c.chanceRarest) +
                   QString::number(c.chanceOverdue);
        };
        const auto click = [&](const char* name) {
            auto* radio = p.get<QRadioButton>(QLatin1String(name));
            p.front(radio);
            QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
        };
        QCOMPARE(rule(), QStringLiteral("010"));
        click("RadioButton1");
        QCOMPARE(rule(), QStringLiteral("100"));
        click("RadioButton3");
        QCOMPARE(rule(), QStringLiteral("001"));
        click("RadioButton3"); // clicking the chosen one keeps it
        QCOMPARE(rule(), QStringLiteral("001"));
        QVERIFY(p.get<QRadioButton>(QStringLiteral("RadioButton3"))->isChecked());
        QVERIFY(!p.get<QRadioButton>(QStringLiteral("RadioButton1"))->isChecked());
        click("RadioButton2");
        QCOMPARE(rule(), QStringLiteral("010"));
    }

    void chartButtonsAskForTheirStatistic_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<bool>("tabFirst");
        QTest::newRow("SpeedButton26") << int(Statistic::Frequency) << true;
        QTest::newRow("SpeedButton22") << int(Statistic::Overdue) << false;
        QTest::newRow("SpeedButton23") << int(Statistic::Pairs) << true;
        QTest::newRow("SpeedButton24") << int(Statistic::Triples) << true;
        QTest::newRow("SpeedButton25") << int(Statistic::Quadruples) << true;
        QTest::newRow("Label88") << int(Statistic::CrossSums) << true;
        QTest::newRow("Label89") << int(Statistic::Pairs) << true;
        QTest::newRow("Label91") << int(Statistic::Triples) << true;
        QTest::newRow("Label90") << int(Statistic::Quadruples) << true;
        QTest::newRow("Superselten") << int(Statistic::ChanceFrequency) << true;
        QTest::newRow("SuperAus") << int(Statistic::ChanceOverdue) << false;
    }
    void chartButtonsAskForTheirStatistic() {
        QFETCH(int, which);
        QFETCH(bool, tabFirst);
        OptionPages p;
        QSignalSpy spy(p.view.get(), &CriteriaPage::statisticRequested);
        QWidget* w = p.get(QLatin1String(QTest::currentDataTag()));
        const int page = QString::fromLatin1(QTest::currentDataTag()).startsWith(QLatin1String("Label")) ? 2
                         : QString::fromLatin1(QTest::currentDataTag()).startsWith(QLatin1String("Super"))
                             ? 3
                             : 0;
        QCOMPARE(p.pageOf(w), page);
        p.front(w);
        QTest::mouseClick(w, Qt::LeftButton);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), which);
        QCOMPARE(spy.at(0).at(1).toBool(), tabFirst);
    }
};

QTEST_MAIN(TestGeneratorView)
#include "tst_generator_view.moc"
