#include "generator/GenerationCriteria.h"

#include <QSet>
#include <QtTest>

using namespace kugelo;

namespace {

QString text(const char* utf8) {
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

} // namespace

class TestCriteria : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every option control: kind, edit field, page, default and (spins) limits.
    void everyOption_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("value"); // checks and radios: 0 or 1
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        const auto check = [](const char* name, const char* page, bool on) {
            QTest::newRow(name) << "check" << QString() << QString::fromUtf8(page) << int(on) << 0 << 0;
        };
        const auto spin = [](const char* name, const char* edit, const char* page, int value, int min,
                             int max) {
            QTest::newRow(name) << "spin" << QString::fromLatin1(edit) << QString::fromUtf8(page) << value
                                << min << max;
        };
        const char* s = "Statistisch";
        check("CheckBox2", s, false);
        spin("UpDown12", "Edit85", s, 30, 5, 75);
        check("CheckBox14", s, true);
        spin("UpDown14", "Edit87", s, 20, 5, 75);
        check("CheckBox10", s, true);
        spin("UpDown13", "Edit86", s, 30, 5, 75);
        check("CheckBox1", s, false);
        check("CheckBox11", s, false);
        check("CheckBox6", s, false);
        check("CheckBox12", s, false);
        check("CheckBox7", s, false);
        check("CheckBox13", s, false);
        check("CheckBox19", s, false);
        const char* o = "Schein Optimierung";
        check("CheckBox3", o, true);
        spin("UpDown3", "Edit39", o, 2, 0, 5);
        check("CheckBox24", o, true);
        spin("UpDown9", "Edit88", o, 1, 0, 5);
        check("CheckBox27", o, true);
        check("CheckBox9", o, true);
        spin("UpDown6", "Edit42", o, 4, 3, 5);
        check("CheckBox28", o, true);
        spin("UpDown17", "Edit91", o, 3, 2, 5);
        spin("UpDown18", "Edit92", o, 60, 4, 128);
        check("CheckBox4", o, true);
        spin("UpDown4", "Edit40", o, 0, 0, 5);
        check("CheckBox5", o, true);
        spin("UpDown5", "Edit41", o, 0, 0, 5);
        check("CheckBox23", o, true);
        spin("UpDown11", "Edit84", o, 1, 0, 5);
        check("CheckBox31", o, false);
        check("CheckBox29", o, false);
        check("CheckBox30", o, false);
        const char* m = "Mathematisch";
        spin("UpDown1", "Edit37", m, 50, 21, 279);
        spin("UpDown2", "Edit38", m, 200, 21, 239);
        check("CheckBox22", m, false);
        spin("UpDown10", "Edit83", m, 2, 0, 6);
        check("CheckBox25", m, false);
        spin("UpDown15", "Edit89", m, 2, 0, 6);
        check("CheckBox26", m, false);
        spin("UpDown16", "Edit90", m, 2, 0, 6);
        check("CheckBox8", m, false);
        check("CheckBox18", m, true);
        const char* c = "n° CHANCE";
        QTest::newRow("RadioButton1") << "radio" << QString() << QString::fromUtf8(c) << 0 << 0 << 0;
        QTest::newRow("RadioButton2") << "radio" << QString() << QString::fromUtf8(c) << 1 << 0 << 0;
        QTest::newRow("RadioButton3") << "radio" << QString() << QString::fromUtf8(c) << 0 << 0 << 0;
        check("CheckBox16", c, true);
        spin("UpDown19", "Edit105", c, 5, 1, 5);
        const char* a = "Allgemein";
        check("CheckBox15", a, false);
        check("CheckBox20", a, false);
        spin("UpDown7", "Edit55", a, 50, 1, 30000);
        spin("UpDown8", "Edit80", "Tipp-Übersicht", 5, 1, 12);
    }
    void everyOption() {
        QFETCH(QString, kind);
        QFETCH(QString, edit);
        QFETCH(QString, page);
        QFETCH(int, value);
        QFETCH(int, min);
        QFETCH(int, max);
        const OptionRow* option = findOption(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(option);
        QCOMPARE(text(option->page), page);
        QCOMPARE(text(option->edit), edit);
        const GenerationCriteria defaults;
        if (kind == QLatin1String("spin")) {
            QCOMPARE(option->kind, OptionKind::Spin);
            QVERIFY(option->spin && !option->flag);
            const SpinValue& spin = defaults.*(option->spin);
            QCOMPARE(spin.value, value);
            QCOMPARE(spin.min, min);
            QCOMPARE(spin.max, max);
        } else {
            QCOMPARE(option->kind, kind == QLatin1String("radio") ? OptionKind::Radio : OptionKind::Check);
            QVERIFY(option->flag && !option->spin);
            QCOMPARE(int(defaults.*(option->flag)), value);
        }
    }

    // The table holds the options above and nothing else, each name once, in the order of the tabs.
    void namesAreUniqueAndComplete() {
        QSet<QString> names;
        QStringList pages;
        for (const OptionRow& option : optionTable()) {
            QVERIFY2(!names.contains(text(option.name)), option.name);
            names.insert(text(option.name));
            if (pages.isEmpty() || pages.last() != text(option.page)) pages << text(option.page);
        }
        QCOMPARE(names.size(), 51); // the rows of everyOption
        QCOMPARE(int(optionTable().size()), 51);
        QCOMPARE(pages, QStringList({QStringLiteral("Statistisch"), QStringLiteral("Schein Optimierung"),
                                     QStringLiteral("Mathematisch"), QStringLiteral("n° CHANCE"),
                                     QStringLiteral("Allgemein"), QStringLiteral("Tipp-Übersicht")}));
    }

    // Each row reaches its own field: writing a distinct value through every row and reading it back
    // finds no two rows sharing a field, and the field is the one named after the control.
    void eachRowHasItsOwnField() {
        const auto& table = optionTable();
        for (const OptionRow& option : table) {
            if (!option.flag) continue;
            GenerationCriteria c;
            for (const OptionRow& other : table) {
                if (other.flag) c.*(other.flag) = false;
            }
            c.*(option.flag) = true;
            const auto set = std::count_if(table.begin(), table.end(), [&](const OptionRow& other) {
                return other.flag && c.*(other.flag);
            });
            QVERIFY2(set == 1, option.name);
        }
        GenerationCriteria c;
        for (size_t i = 0; i < table.size(); ++i) {
            if (!table[i].spin) continue;
            (c.*(table[i].spin)).setLimits(-1000, 1000);
            (c.*(table[i].spin)).set(int(i));
        }
        for (size_t i = 0; i < table.size(); ++i) {
            if (table[i].spin) QCOMPARE((c.*(table[i].spin)).value, int(i));
        }
        QCOMPARE(&(c.*(findOption(QStringLiteral("UpDown18"))->spin)), &c.recentWeeks);
        QCOMPARE(&(c.*(findOption(QStringLiteral("CheckBox27"))->flag)), &c.pairwiseOverlap);
        QCOMPARE(&(c.*(findOption(QStringLiteral("RadioButton3"))->flag)), &c.chanceOverdue);
    }

    // Captions and hints are kept character for character, odd blanks and spelling included.
    void captionsAndHints_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        const QString percent =
            QStringLiteral("Die erste X Prozent werden mit einer Höheren Wahrscheinlichkeit versehen");
        const QString database = QStringLiteral("Tipp vor noch keinen Xer aus der Datenbank entsprechen, "
                                                "beginnen mit dem Datum  aus deer Diagrammübersicht");
        const QString lastDraw = QStringLiteral("Übereinstimmung mit Zahlen aus vorhergehender Ziehung");
        const QString crossSums =
            QStringLiteral("Quersummen von                  bis                     im Tipp zulassen");
        QTest::newRow("CheckBox2") << QStringLiteral("Zahlen die besonders oft gezogen wurden bevorzugen")
                                   << QStringLiteral(
                                          "Die ersten X% der am häufigsten gezogenen Zahlen bevorzugen");
        QTest::newRow("CheckBox14") << QStringLiteral("Zahlen die besonders selten gezogen wurden bevorzugen")
                                    << QStringLiteral(
                                           "die ersten X% der am seltensten gezogenen Zahlen bevorzugen");
        QTest::newRow("CheckBox10") << QStringLiteral("Zahlen die am längsten überfällig sind")
                                    << QStringLiteral(
                                           "die ersten X% der am längsten überfälligen Zahlen bevorzugen");
        QTest::newRow("UpDown12") << QString() << percent;
        QTest::newRow("UpDown14") << QString() << percent;
        QTest::newRow("UpDown13") << QString() << percent;
        QTest::newRow("CheckBox1") << QStringLiteral("Zahlen mit einer häufigen Paarebildung bevorzugen")
                                   << QString();
        QTest::newRow("CheckBox13") << QStringLiteral("seltensten") << QString();
        QTest::newRow("CheckBox9")
            << QStringLiteral("Tipp darf noch keinen              er aus der Datenbank entsprechen")
            << database;
        QTest::newRow("UpDown6")
            << QString()
            << QStringLiteral("Setzen Sie den Wert auf 5 oder 6 falls Sie die komplette Datenbank verwenden");
        QTest::newRow("CheckBox28")
            << QStringLiteral("Tipp darf keinen              er aus den letzten              Ziehungen sein")
            << database;
        QTest::newRow("UpDown17")
            << QString()
            << QStringLiteral("Setzen Sie den Wert auf 4 oder 5 falls Sie die Ziehungszahl sehr groß wählen");
        QTest::newRow("UpDown18")
            << QString()
            << QStringLiteral("Hier können Sie nochmal  ab ev. 3 oder 4 der letzten Ziehungen ausschließen");
        QTest::newRow("CheckBox4") << QStringLiteral(
                                          "maximale Übereinstimmung mit der letzten Ziehung zulassen:")
                                   << lastDraw;
        QTest::newRow("CheckBox5") << QStringLiteral(
                                          "maximale Übereinstimmung mit Zahlen der vorletzten Ziehung:")
                                   << lastDraw;
        QTest::newRow("CheckBox23") << QStringLiteral(
                                           "maximale Übereinstimmung mit der vorvorletzten Ziehung:")
                                    << lastDraw;
        QTest::newRow("UpDown4") << QString() << QString();
        QTest::newRow("CheckBox31") << QStringLiteral(
                                           "n° CHANCEl in Übereinstimmungsberechnung mit einbeziehen!")
                                    << QString();
        QTest::newRow("CheckBox29")
            << QStringLiteral("vermeiden der Zahlen 1-12 (Monat oft getippt durch Datums-Tipper) ")
            << QString();
        QTest::newRow("CheckBox30")
            << QStringLiteral(
                   "Wertigkeit der Zahlen von 1-31 verringern (Datum)  -  selterner im Tipp enthalten")
            << QString();
        QTest::newRow("UpDown1") << crossSums << QString();
        QTest::newRow("UpDown2") << crossSums << QString();
        QTest::newRow("CheckBox25") << QStringLiteral("mindest Anzahl der gerade Zahlen in jedem Tipp")
                                    << QString();
        QTest::newRow("CheckBox26") << QStringLiteral("mindest Anzahl der ungerade Zahlen in jede m Tipp")
                                    << QString();
        QTest::newRow("CheckBox18") << QStringLiteral("keine Dreier, Vierer... Gruppen") << QString();
        QTest::newRow("RadioButton2")
            << QStringLiteral("die am seltensten gezogen Zahl verwenden") << QString();
        QTest::newRow("CheckBox16") << QStringLiteral("keine n° CHANCE Zahl aus den letzten Ziehungen")
                                    << QString();
        QTest::newRow("CheckBox20") << QStringLiteral(
                                           "Liste für Zahlenreihengenerierung anzeigen / bearbeiten")
                                    << QString();
        QTest::newRow("UpDown7") << QStringLiteral("Maximale Berechnungsläufe") << QString();
        QTest::newRow("UpDown8") << QString() << QString();
    }
    void captionsAndHints() {
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        const OptionRow* option = findOption(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(option);
        QCOMPARE(text(option->caption), caption);
        QCOMPARE(text(option->hint), hint);
    }

    void findOptionByDesignName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("found");
        QTest::newRow("first row") << QStringLiteral("CheckBox2") << true;
        QTest::newRow("last row") << QStringLiteral("UpDown8") << true;
        QTest::newRow("edit field is not an option") << QStringLiteral("Edit39") << false;
        QTest::newRow("other case") << QStringLiteral("checkbox2") << false;
        QTest::newRow("prefix") << QStringLiteral("CheckBox") << false;
        QTest::newRow("no such control") << QStringLiteral("CheckBox17") << false;
        QTest::newRow("empty") << QString() << false;
    }
    void findOptionByDesignName() {
        QFETCH(QString, name);
        QFETCH(bool, found);
        const OptionRow* option = findOption(name);
        QCOMPARE(option != nullptr, found);
        if (found) QCOMPARE(text(option->name), name);
    }
};

QTEST_GUILESS_MAIN(TestCriteria)
#include "tst_criteria.moc"
