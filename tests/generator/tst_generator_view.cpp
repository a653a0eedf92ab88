#include "Doubles.h"
#include "TestSupport.h"

#include "generator/NumberListDialog.h"
#include "generator/RandomSource.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>

using namespace kugelo;
using namespace kugelo::test;

namespace {

// The dialog over a temporary home, with the dialogs double and a fixed clock.
struct Dialog {
    TempHome home;
    ScriptedDialogs dialogs;
    FakeClock clock{QDate(2026, 3, 7)};
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
        QCOMPARE(random->text(), QStringLiteral("Zufall"));
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
};

QTEST_MAIN(TestGeneratorView)
#include "tst_generator_view.moc"
