#include "Doubles.h"

#include "controller/Settings.h"
#include "generator/GenerationCriteria.h"
#include "platform/SettingsStore.h"
#include "sheet/TipRows.h"
#include "sheet/TipSheet.h"

#include <QtTest>

using namespace kugelo;
using namespace kugelo::test;

namespace {

const QString kHomePage = QStringLiteral("http://www.velmar.example/");

// Everything the settings restore into, at its design values.
struct Targets {
    MainState state;
    GenerationCriteria criteria;
    TipSheet sheet;
    WindowValues window;
    KeptWindowValues kept;

    SettingsTargets refs() { return {state, criteria, sheet, window, kept}; }
    void restore(const SettingsStore& store) { SettingsRestore(store, refs()).restoreAll(kHomePage); }
    void save(SettingsStore& store) { saveSettings(store, refs()); }
};

// The options as "name=value" lines, so that a difference names its option.
QStringList describe(const GenerationCriteria& c) {
    QStringList lines;
    for (const OptionRow& row : optionTable()) {
        if (row.spin) {
            const SpinValue& s = c.*row.spin;
            lines << QStringLiteral("%1=%2 (%3..%4)")
                         .arg(QLatin1String(row.name))
                         .arg(s.value)
                         .arg(s.min)
                         .arg(s.max);
        } else {
            lines << QStringLiteral("%1=%2").arg(QLatin1String(row.name)).arg(c.*row.flag);
        }
    }
    return lines;
}

QStringList describe(const TipSheet& sheet) {
    QStringList lines;
    for (int r = 0; r < 12; ++r) {
        QStringList fields;
        for (int f = 0; f < 7; ++f)
            fields << sheet.text(r, f);
        lines << fields.join(',');
    }
    return lines;
}

QStringList describe(const Targets& t) {
    const MainState& s = t.state;
    const WindowValues& w = t.window;
    const KeptWindowValues& k = t.kept;
    QStringList lines = describe(t.criteria) + describe(t.sheet);
    lines << QStringLiteral("state %1 %2 %3 %4 %5 %6 %7")
                 .arg(s.neuerSchein)
                 .arg(s.Land)
                 .arg(s.TippTop)
                 .arg(s.TippLeft)
                 .arg(s.sprache)
                 .arg(s.OnlineRadio)
                 .arg(s.statisticsStart.toString(Qt::ISODate));
    lines << QStringLiteral("window %1x%2 %3 %4 %5 %6 %7:%8 %9 %10 %11")
                 .arg(w.width)
                 .arg(w.height)
                 .arg(w.feeOneDraw, w.feeTwoDraws)
                 .arg(w.linkPageEnabled)
                 .arg(w.linkAddress, w.proxyHost, w.proxyPort, w.ProductHost, w.CompanyHost, w.ResultsHost);
    lines << QStringLiteral("print %1 %2 %3 %4 %5 %6")
                 .arg(QStringList(k.printPositions.begin(), k.printPositions.end()).join('|'))
                 .arg(k.RadioF8)
                 .arg(k.fontStyle)
                 .arg(k.fontColor)
                 .arg(k.fontSize)
                 .arg(k.fontName);
    return lines;
}

// Changes every stored value to something other than its design value.
void changeEverything(Targets& t) {
    for (const OptionRow& row : optionTable()) {
        if (row.kind == OptionKind::Check) t.criteria.*row.flag = !(t.criteria.*row.flag);
    }
    t.criteria.chooseChanceMode(3);
    t.criteria.historyMatchSize.setLimits(3, 7); // CheckBox31 is now on
    for (const OptionRow& row : optionTable()) {
        if (!row.spin) continue;
        SpinValue& s = t.criteria.*row.spin;
        s.set(s.value == s.max ? s.min : s.max);
    }
    for (int r = 0; r < 12; ++r) {
        for (int f = 0; f < 5; ++f)
            t.sheet.setText(r, f, QString::number((r * 5 + f) % 49 + 1));
        t.sheet.setText(r, 5, QString::number(r % 10 + 1));
        t.sheet.setText(r, 6, QString::number((r + 3) % 10 + 1));
    }
    t.state.neuerSchein = 7;
    t.state.Land = 2;
    t.state.TippTop = 40;
    t.state.TippLeft = 50;
    t.state.sprache = 4;
    t.state.statisticsStart = QDate(2015, 3, 14);
    t.window = WindowValues{600,
                            700,
                            true,
                            "0,80",
                            "1,60",
                            true,
                            "http://links.example/",
                            "proxy.example",
                            "3128",
                            "http://draws.example",
                            "http://company.example",
                            "http://results.example"};
    for (std::size_t i = 0; i < t.kept.printPositions.size(); ++i)
        t.kept.printPositions[i] = QStringLiteral("p%1").arg(i);
    t.kept.RadioF8 = 1;
    t.kept.fontStyle = 6;
    t.kept.fontColor = 0x00112233;
    t.kept.fontSize = 12;
    t.kept.fontName = "Courier New";
}

QStringList storedNames(const MemorySettingsStore& store) {
    QStringList names;
    for (const SettingValue& v : store.keys.at(SettingsStore::kugeloKey()))
        names << v.name;
    return names;
}

MemorySettingsStore storeWith(const std::function<void(SettingsStore&)>& fill) {
    MemorySettingsStore store;
    store.openKey(SettingsStore::kugeloKey(), true);
    fill(store);
    return store;
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void anEmptyStoreGivesTheDesignValues() {
        MemorySettingsStore store;
        store.openKey(SettingsStore::kugeloKey(), true);
        Targets t;
        t.restore(store);
        QCOMPARE(describe(t.criteria), describe(GenerationCriteria()));
        QCOMPARE(describe(t.sheet), describe(TipSheet()));
        QCOMPARE(t.state.sprache, 3);
        QCOMPARE(t.state.Land, 1);
        QCOMPARE(t.state.TippTop, 39);
        QCOMPARE(t.state.TippLeft, 47);
        QCOMPARE(t.state.OnlineRadio, 1);
        QCOMPARE(t.state.statisticsStart, QDate(2008, 10, 6));
        QCOMPARE(t.window.proxyPort, QStringLiteral("80"));
        QCOMPARE(t.window.linkAddress, kHomePage);
        QCOMPARE(t.window.feeOneDraw, QStringLiteral("0,50"));
        QCOMPARE(t.kept.fontName, QStringLiteral("Arial"));
    }

    // Every stored value changed, saved, restored into design values: all come back.
    void everythingSurvivesASaveAndARestore() {
        Targets before;
        changeEverything(before);
        MemorySettingsStore store;
        store.openKey(SettingsStore::kugeloKey(), true);
        before.save(store);

        Targets after;
        after.restore(store);
        before.state.OnlineRadio = 0; // written from the portal choice, always 0
        QCOMPARE(describe(after), describe(before));

        const QStringList names = storedNames(store);
        QCOMPARE(names.size(), 1 + 29 + 3 + 2 + 3 + 19 + 84 + 8 + 3 + 19 + 6);
        for (const char* never : {"Losnummer", "Spiel77Ja", "Super6Ja"})
            QVERIFY(!names.contains(QLatin1String(never)));
        // The tip values of row 1 go in the written order.
        QCOMPARE(names.mid(names.indexOf("Edit1"), 10),
                 QStringList({"Edit1", "Edit2", "Edit3", "Edit7", "Edit8", "Edit9", "Edit4", "Edit5", "Edit6",
                              "Edit10"}));
    }

    void theUnguardedValuesAreReadNotWritten() {
        MemorySettingsStore store = storeWith([](SettingsStore& s) {
            s.writeString("Losnummer", "1234567");
            s.writeString("NeuerSchein", "not a number"); // counts as missing
            s.writeBool("Spiel77Ja", true);
        });
        Targets t;
        t.restore(store);
        QCOMPARE(t.state.LosNr, QStringLiteral("1234567"));
        QCOMPARE(t.state.neuerSchein, 0);
        QVERIFY(t.kept.Spiel77Ja);
    }

    // A value of another type ends its group; the other groups are read normally.
    void aValueOfAnotherTypeEndsItsGroup() {
        MemorySettingsStore store = storeWith([](SettingsStore& s) {
            s.writeBool("Chekcbox1", true);
            s.writeString("Chekcbox3", "1");
            s.writeBool("Chekcbox4", false);
            s.writeInteger("Sprache", 1);
            s.writeInteger("Land", 5);
            s.writeInteger("UpDown1", 100);
            s.writeString("Edit1", "17");
            s.writeString("URLEdit", "http://links.example/");
            s.writeInteger("ProxyHostEdit", 8080);
            s.writeString("ProxyPortEdit", "3128");
        });
        Targets t;
        t.restore(store);
        QVERIFY(t.criteria.frequentPairs);
        QVERIFY(t.criteria.limitLastDraw); // not reached
        QCOMPARE(t.state.sprache, 0);      // no language is applied
        QCOMPARE(t.state.Land, 0);
        QCOMPARE(t.state.TippTop, 0);
        QCOMPARE(t.criteria.crossSumMin.value, 100);
        QCOMPARE(t.sheet.text(0, 0), QStringLiteral("17"));
        QCOMPARE(t.window.linkAddress, QStringLiteral("http://links.example/"));
        QCOMPARE(t.window.proxyPort, QStringLiteral("80"));
    }

    // "URLEdit" of another type ends settings group 5; the field keeps its design text, the home page, which
    // the next close writes back.
    void urlEditOfAnotherTypeKeepsTheHomePage() {
        MemorySettingsStore store = storeWith([](SettingsStore& s) {
            s.writeInteger("URLEdit", 1);
            s.writeString("ProxyHostEdit", "proxy.example");
        });
        Targets t;
        t.restore(store);
        QCOMPARE(t.window.linkAddress, kHomePage);
        QCOMPARE(t.window.proxyHost, QString()); // not reached
        t.save(store);
        QCOMPARE(store.readString("URLEdit"), kHomePage);
    }

    void theLimitOfUpDown6FollowsCheckBox31_data() {
        QTest::addColumn<bool>("checkBox31");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("limit");
        QTest::newRow("6 without the n° CHANCE") << false << 6 << 5 << 5;
        QTest::newRow("6 with the n° CHANCE") << true << 6 << 6 << 7;
        QTest::newRow("7 with the n° CHANCE") << true << 7 << 7 << 7;
        QTest::newRow("below the lower limit") << false << 1 << 3 << 5;
    }
    void theLimitOfUpDown6FollowsCheckBox31() {
        QFETCH(bool, checkBox31);
        QFETCH(int, stored);
        QFETCH(int, shown);
        QFETCH(int, limit);
        MemorySettingsStore store = storeWith([&](SettingsStore& s) {
            s.writeBool("Chekcbox31", checkBox31);
            s.writeInteger("UpDown6", stored);
        });
        Targets t;
        t.restore(store);
        QCOMPARE(t.criteria.historyMatchSize.value, shown);
        QCOMPARE(t.criteria.historyMatchSize.max, limit);
    }

    void tipValuesPassTheFieldValidation_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("0") << "Edit1"
                           << "0"
                           << "";
        QTest::newRow("57") << "Edit1"
                            << "57"
                            << "";
        QTest::newRow("49") << "Edit1"
                            << "49"
                            << "49";
        QTest::newRow("n° CHANCE 10") << "Edit6"
                                      << "10"
                                      << "10";
        QTest::newRow("n° CHANCE 11") << "Edit6"
                                      << "11"
                                      << "";
        QTest::newRow("not a number") << "Edit2"
                                      << "x"
                                      << "";
    }
    void tipValuesPassTheFieldValidation() {
        QFETCH(QString, name);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        MemorySettingsStore store = storeWith([&](SettingsStore& s) { s.writeString(name, stored); });
        Targets t;
        t.restore(store);
        const int field = name == "Edit6" ? 5 : name.mid(4).toInt() - 1;
        QCOMPARE(t.sheet.text(0, field), shown);
    }

    void aMaximisedWindowKeepsTheStoredSize() {
        MemorySettingsStore store = storeWith([](SettingsStore& s) {
            s.writeInteger("height", 500);
            s.writeInteger("width", 600);
        });
        Targets t;
        t.window.height = 900;
        t.window.width = 1200;
        t.window.normalState = false;
        t.save(store);
        QCOMPARE(store.readInteger("height"), 500);
        QCOMPARE(store.readInteger("width"), 600);
        t.window.normalState = true;
        t.save(store);
        QCOMPARE(store.readInteger("height"), 900);
    }

    void onlineRadioIsReadButWrittenAsZero() {
        MemorySettingsStore store = storeWith([](SettingsStore& s) { s.writeInteger("OnlineRadio", 1); });
        Targets t;
        t.restore(store);
        QCOMPARE(t.state.OnlineRadio, 1);
        t.save(store);
        QCOMPARE(store.readInteger("OnlineRadio"), 0);
    }

    void browserStoredAsAString_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("checked");
        QTest::newRow("truth value 0") << "integer" << false;
        QTest::newRow("a non-empty string unchecks") << "string x" << false;
        QTest::newRow("an empty string changes nothing") << "string" << true;
        QTest::newRow("bytes count as missing") << "bytes" << true;
    }
    void browserStoredAsAString() {
        QFETCH(QString, kind);
        QFETCH(bool, checked);
        MemorySettingsStore store = storeWith([&](SettingsStore& s) {
            if (kind == "integer") s.writeBool("Browser", false);
            if (kind.startsWith("string")) s.writeString("Browser", kind.mid(7));
            if (kind == "bytes") s.writeBytes("Browser", "x");
        });
        Targets t;
        t.window.linkPageEnabled = true;
        t.restore(store);
        QCOMPARE(t.window.linkPageEnabled, checked);
    }

    void theStatisticsStartDate_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QDate>("shown");
        QTest::newRow("a date") << "date" << QDate(2015, 3, 14);
        QTest::newRow("before the earliest date") << "early" << QDate(2008, 10, 6);
        QTest::newRow("four bytes") << "short" << QDate(2008, 10, 6);
        QTest::newRow("a string") << "string" << QDate(2008, 10, 6);
    }
    void theStatisticsStartDate() {
        QFETCH(QString, kind);
        QFETCH(QDate, shown);
        MemorySettingsStore store = storeWith([&](SettingsStore& s) {
            if (kind == "date") s.writeDateTime("DateTimePicker2", toDayNumber(QDate(2015, 3, 14)));
            if (kind == "early") s.writeDateTime("DateTimePicker2", toDayNumber(QDate(2001, 1, 1)));
            if (kind == "short") s.writeBytes("DateTimePicker2", "abcd");
            if (kind == "string") s.writeString("DateTimePicker2", "2015-03-14");
        });
        Targets t;
        t.state.statisticsStart = QDate(2012, 1, 1);
        t.restore(store);
        QCOMPARE(t.state.statisticsStart, shown);
    }

    // A failing write ends the save; the values written so far stay. The print values are a block of their
    // own inside it.
    void aFailingWriteEndsTheSave_data() {
        QTest::addColumn<int>("writes");
        QTest::addColumn<QString>("lastWritten");
        QTest::newRow("in the options") << 5 << "Chekcbox4";
        QTest::newRow("in the print values") << 155 << "Edit3F8";
    }
    void aFailingWriteEndsTheSave() {
        QFETCH(int, writes);
        QFETCH(QString, lastWritten);
        MemorySettingsStore store;
        store.openKey(SettingsStore::kugeloKey(), true);
        store.failWritesAfter = writes;
        Targets t;
        t.save(store);
        const QStringList names = storedNames(store);
        QCOMPARE(names.size(), writes);
        QCOMPARE(names.last(), lastWritten);
    }

    void onlyTheOptionsForTheCommandLine() {
        MemorySettingsStore store = storeWith([](SettingsStore& s) {
            s.writeInteger("UpDown8", 3);
            s.writeBool("Chekcbox27", false);
            s.writeString("Edit1", "17");
            s.writeInteger("Sprache", 1);
        });
        Targets t;
        SettingsRestore(store, t.refs()).optionsOnly();
        QCOMPARE(t.criteria.rowCount.value, 3);
        QVERIFY(!t.criteria.pairwiseOverlap);
        QCOMPARE(t.sheet.text(0, 0), QString());
        QCOMPARE(t.state.sprache, 0);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
