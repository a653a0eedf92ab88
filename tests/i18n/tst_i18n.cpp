#include "i18n/LanguageFiles.h"
#include "i18n/MessageTable.h"
#include "i18n/TextCodec.h"
#include "i18n/TextFile.h"
#include "platform/Errors.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <QtTest>

using namespace kugelo;

namespace {
// The lines of a language data file as the build ships it.
QStringList shipped(const QString& name) {
    return readTextFile(qEnvironmentVariable("KUGELO_BIN_DIR") + QStringLiteral("/Land/") + name,
                        TextFileKind::LanguageFile)
        .toList();
}
} // namespace

class TestI18n : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Entries that callers glue to dates and numbers keep their blanks; reserved ones are empty.
    void defaultsKeepTheirBlanks_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("text");
        QTest::newRow("0 ends with a blank") << 0 << "Soll die Analyse der Datenbank jetzt ab dem ";
        QTest::newRow("1 begins with a blank") << 1 << " durchgeführt werden??";
        QTest::newRow("5 ends with two blanks") << 5 << "Ein Treffer am  ";
        QTest::newRow("11") << 11 << "Zahlen für Tipp ";
        QTest::newRow("22 and 23") << 22 << "Glückszahl ";
        QTest::newRow("23") << 23 << " gesetzt";
        QTest::newRow("28") << 28 << "Velmars Lotto-Tipp für ";
        QTest::newRow("42 run button") << 42 << "Stoppen";
        QTest::newRow("43 cross sum") << 43 << "Quersumme";
        QTest::newRow("58") << 58 << "Ändern Sie die Parameter um 12 Tipps zuberechnen";
        QTest::newRow("61 last") << 61 << "Stop";
        for (int n : {13, 14, 15, 27, 44})
            QTest::addRow("reserved %d", n) << n << "";
        QTest::newRow("62 first added later")
            << 62 << "Was der Zufall allein gebracht hätte, für dieselben Reihen gegen zufällige Ziehungen: ";
        QTest::newRow("86 ends with a blank")
            << 86 << "Mitgelieferte Ziehungen nicht lesbar, sie kommen vom Ziehungsdienst: ";
        QTest::newRow("95 ends with a blank") << 95 << "… und weitere: ";
        QTest::newRow("99 two arguments")
            << 99
            << "Gespeicherter Server %1 nicht benutzt, nur http:// und https:// sind erlaubt; es gilt %2";
        QTest::newRow("100 ends with a blank")
            << 100 << "Nicht mitgezählt, weil die Ziehung beim Tippen schon bekannt war: ";
        QTest::newRow("124 begins the texts the program once built in German") << 124 << "Keine Verbindung";
        QTest::newRow("129 as the update writes it") << 129 << "Loading";
        QTest::newRow("beyond the table") << 146 << "";
        QTest::newRow("negative") << -1 << "";
    }
    void defaultsKeepTheirBlanks() {
        QFETCH(int, n);
        QFETCH(QString, text);
        const MessageTable table;
        QCOMPARE(table.size(), qsizetype(146));
        QCOMPARE(table[n], text);
    }

    // A message file of the first 62 entries empties what it lacks of them; the entries added later keep
    // their German defaults until a file gives them.
    void replacingWithAShorterListEmptiesTheRest() {
        MessageTable table;
        table.replaceAll({"a", "b"});
        QCOMPARE(table[1], QStringLiteral("b"));
        QCOMPARE(table[43], QString());
        QCOMPARE(table[64], QStringLiteral("beobachtet"));
        QStringList full(63, QStringLiteral("x"));
        table.replaceAll(full);
        QCOMPARE(table[61], QStringLiteral("x"));
        QCOMPARE(table[62], QStringLiteral("x"));
        QCOMPARE(table[63], MessageTable::germanDefaults()[63]);
        table.resetToDefaults();
        QCOMPARE(table[43], QStringLiteral("Quersumme"));
    }

    void textFilesDecodeByMarkThenUtf8ThenWindows1252_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBFn\xC2\xB0") << QStringLiteral("n°");
        QTest::newRow("UTF-8 without mark") << QByteArray("Gl\xC3\xBC"
                                                          "ck")
                                            << QStringLiteral("Glück");
        QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFEG\0\xFC\0", 6) << QStringLiteral("Gü");
        QTest::newRow("UTF-16 BE") << QByteArray("\xFE\xFF\0G\0\xFC", 6) << QStringLiteral("Gü");
        QTest::newRow("Windows-1252") << QByteArray("Gl\xFC"
                                                    "ck \x80")
                                      << QStringLiteral("Glück €");
    }
    void textFilesDecodeByMarkThenUtf8ThenWindows1252() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decodeText(bytes), text);
    }

    // Lines joined with "|" for the comparison.
    void textLinesEndAtEveryLineEnd_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("lines");
        QTest::addColumn<int>("count");
        QTest::newRow("empty") << QByteArray() << "" << 0;
        QTest::newRow("one line end") << QByteArray("\r\n") << "" << 1;
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << "a|b" << 2;
        QTest::newRow("LF, no end after the last") << QByteArray("a\nb") << "a|b" << 2;
        QTest::newRow("lone CR") << QByteArray("a\rb\r") << "a|b" << 2;
        QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << "a||b" << 3;
        QTest::newRow("empty lines kept") << QByteArray("\r\n\r\na\r\r\n") << "||a|" << 4;
        QTest::newRow("UTF-8 mark is no text") << QByteArray("\xEF\xBB\xBF"
                                                             "1,2\r\n3")
                                               << "1,2|3" << 2;
        QTest::newRow("UTF-16 LE with CR LF") << QByteArray("\xFF\xFE"
                                                            "1\0\r\0\n\0"
                                                            "2\0",
                                                            10)
                                              << "1|2" << 2;
        QTest::newRow("UTF-16 BE with CR") << QByteArray("\xFE\xFF\0"
                                                         "1\0\r\0"
                                                         "2",
                                                         8)
                                           << "1|2" << 2;
        QTest::newRow("Windows-1252") << QByteArray("Gr\xFC\xDF\r\n") << "Grüß" << 1;
    }
    void textLinesEndAtEveryLineEnd() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, lines);
        QFETCH(int, count);
        const TextLines read = textLines(bytes);
        const QStringList got = read.toList();
        QCOMPARE(got.size(), count);
        QCOMPARE(got.join('|'), lines);
        QCOMPARE(read.join(QLatin1Char('|')), lines);
        QCOMPARE(TextLines(read).join(QLatin1Char('|')), lines); // joined in place, the copy's text only
        QCOMPARE(read.join(QLatin1Char('|')), lines);
    }

    void textBeyondItsBoundsIsNotRead() {
        QByteArray line(MaxTextLineLength, 'x');
        QCOMPARE(textLines(line + "\r\n" + line).size(), 2); // at the bound
        try {
            textLines("a\n" + line + 'x', QStringLiteral("t.tpf"));
            QFAIL("no error");
        } catch (const IoError& e) {
            QCOMPARE(e.text(), QStringLiteral(
                                   "t.tpf: line 2 is longer than 65536 characters, not read as a text file"));
        }
        try {
            textLines(QByteArray(MaxTextFileBytes + 1, '\n'), QStringLiteral("big.csv"));
            QFAIL("no error");
        } catch (const IoError& e) {
            QCOMPARE(e.text(),
                     QStringLiteral("big.csv: larger than 16777216 bytes, not read as a text file"));
        }
    }

    // Each kind of file has its bound, far beyond its real files: a file at the bound is read, one byte more
    // is refused with a message naming the file and the bound; a real file or fuzz seed of the kind loads.
    void everyKindOfTextFileHasItsBound_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<qint64>("bound");
        QTest::addColumn<QString>("sample"); // a real file of the kind from the sources, if there is one
        const QString root = QStringLiteral(KUGELO_SOURCE_DIR "/");
        QTest::newRow("tip file") << int(TextFileKind::TipFile) << (qint64(1) << 20)
                                  << root + "fuzz/corpus/tip_file/full-rows";
        QTest::newRow("number list") << int(TextFileKind::NumberList) << (qint64(1) << 20)
                                     << root + "fuzz/corpus/number_list/some-weights";
        QTest::newRow("click script") << int(TextFileKind::ClickScript) << (qint64(4) << 20) << QString();
        QTest::newRow("language file")
            << int(TextFileKind::LanguageFile) << (qint64(4) << 20) << root + "data/Land/Kugelo_ru.txt";
        QTest::newRow("message file") << int(TextFileKind::LanguageFile) << (qint64(4) << 20)
                                      << root + "fuzz/corpus/language_files/ru-utf16";
        QTest::newRow("draw archive")
            << int(TextFileKind::DrawArchive) << (qint64(16) << 20) << root + "data/loto-history.csv";
    }
    void everyKindOfTextFileHasItsBound() {
        QFETCH(int, kind);
        QFETCH(qint64, bound);
        QFETCH(QString, sample);
        const auto k = TextFileKind(kind);
        QCOMPARE(maxTextFileBytes(k), bound);

        if (!sample.isEmpty()) {
            QFile real(sample);
            QVERIFY2(real.open(QIODevice::ReadOnly), qPrintable(sample));
            const TextLines lines = readTextFile(sample, k);
            QVERIFY(lines.size() > 1);
            QCOMPARE(lines.toList(), textLines(real.readAll()).toList());
        }

        QTemporaryDir dir;
        const QString path = dir.filePath("file");
        QByteArray line(63, 'x');
        line += '\n';
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (qint64 written = 0; written < bound; written += line.size())
            QCOMPARE(file.write(line), line.size());
        file.close();
        QCOMPARE(readTextFile(path, k).size(), bound / line.size());
        QVERIFY(file.open(QIODevice::Append));
        file.write("x");
        file.close();
        try {
            readTextFile(path, k);
            QFAIL("no error");
        } catch (const IoError& e) {
            QCOMPARE(e.text(), fileTooLargeText(path, bound + 1, bound));
        }
        QVERIFY_THROWS_EXCEPTION(IoError, readTextFile(dir.filePath("missing"), k));
    }

    // Only regular files are read: a FIFO is refused at once (it is not waited on for a writer), and so is a
    // device that never ends.
    void textFilesAreOnlyRegularFiles_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("what");
        const std::pair<const char*, TextFileKind> kinds[] = {{"tip file", TextFileKind::TipFile},
                                                              {"number list", TextFileKind::NumberList},
                                                              {"click script", TextFileKind::ClickScript},
                                                              {"language file", TextFileKind::LanguageFile},
                                                              {"draw archive", TextFileKind::DrawArchive}};
        for (const auto& [name, kind] : kinds) {
            QTest::addRow("%s, FIFO", name) << int(kind) << "fifo";
            QTest::addRow("%s, /dev/zero", name) << int(kind) << "device";
        }
    }
    void textFilesAreOnlyRegularFiles() {
        QFETCH(int, kind);
        QFETCH(QString, what);
        QTemporaryDir dir;
        const QString fifo = dir.filePath("pipe");
        QVERIFY(test::makeFifo(fifo));
        const QString path = what == "fifo" ? fifo : QStringLiteral("/dev/zero");
        QString error;
        const bool atOnce = test::endsWithoutWaiting(fifo, [&] {
            try {
                readTextFile(path, TextFileKind(kind));
            } catch (const IoError& e) {
                error = e.text();
            }
        });
        QVERIFY2(atOnce, "the read waited for a writer");
        QCOMPARE(error, notRegularFileText(path));
    }

    // The walk against the master list: each element is looked for in the eleven entries from the last
    // match; the language file gives lines 2i and 2i+1, missing lines read as empty.
    void languageFileMatchesTheWalk_data() {
        QTest::addColumn<QStringList>("walk");     // element names of window "Form1"; "!" marks a fixed one
        QTest::addColumn<QStringList>("master");   // element names of the master list, in order
        QTest::addColumn<int>("languageLines");    // how many lines the language file has
        QTest::addColumn<QStringList>("expected"); // "name=caption|hint" per assignment, in walk order
        const QStringList abc{"A", "B", "C"};
        QTest::newRow("all found") << abc << abc << 6 << QStringList{"A=c0|h0", "B=c1|h1", "C=c2|h2"};
        QTest::newRow("an element added between master lists keeps its text")
            << QStringList{"A", "New", "B", "C"} << abc << 6 << QStringList{"A=c0|h0", "B=c1|h1", "C=c2|h2"};
        QTest::newRow("an element gone from the walk")
            << QStringList{"A", "C"} << abc << 6 << QStringList{"A=c0|h0", "C=c2|h2"};
        QTest::newRow("a short language file blanks the rest")
            << abc << abc << 3 << QStringList{"A=c0|h0", "B=c1|", "C=|"};
        QTest::newRow("a fixed element is never changed, its hint only describes it")
            << QStringList{"A", "!B", "C"} << abc << 6
            << QStringList{"A=c0|h0", "B=|h1 (described)", "C=c2|h2"};
        QTest::newRow("a fixed element found does not move the search")
            << QStringList{"A", "!C", "B"} << abc << 6
            << QStringList{"A=c0|h0", "C=|h2 (described)", "B=c1|h1"};
        QStringList gap{"A"};
        // The search looks at the entry of the last match and the ten after it.
        for (int i = 0; i < 10; ++i)
            gap << QStringLiteral("Gone%1").arg(i);
        gap << "Z";
        QTest::newRow("ten entries in a row without an element: the search loses step")
            << QStringList{"A", "Z"} << gap << 24 << QStringList{"A=c0|h0"};
        gap.removeAt(1);
        QTest::newRow("nine entries in a row without an element: found")
            << QStringList{"A", "Z"} << gap << 22 << QStringList{"A=c0|h0", "Z=c10|h10"};
        // Each match moves the search ten entries on at most, so four elements reach entry 40 at the
        // farthest; the entries after it (another S3 among them) take part in nothing.
        QStringList steps;
        for (int i = 0; i < 60; ++i)
            steps << (i == 10                ? QStringLiteral("A")
                      : i % 10 == 0 && i > 0 ? QStringLiteral("S%1").arg(std::min(i / 10 - 1, 3))
                                             : QStringLiteral("Gone%1").arg(i));
        QTest::newRow("each match moves the search ten entries on at most")
            << QStringList{"A", "S1", "S2", "S3"} << steps << 120
            << QStringList{"A=c10|h10", "S1=c20|h20", "S2=c30|h30", "S3=c40|h40"};
        QTest::newRow("a name found only before the last match is not found")
            << QStringList{"B", "A"} << abc << 6 << QStringList{"B=c1|h1"};
    }
    void languageFileMatchesTheWalk() {
        QFETCH(QStringList, walk);
        QFETCH(QStringList, master);
        QFETCH(int, languageLines);
        QFETCH(QStringList, expected);
        std::vector<TextElement> elements;
        for (const QString& name : walk) {
            TextElement e;
            e.window = QStringLiteral("Form1");
            e.fixed = name.startsWith(QLatin1Char('!'));
            e.name = e.fixed ? name.mid(1) : name;
            elements.push_back(e);
        }
        // The master list's names come with the blanks and control characters an edited file may add.
        QStringList masterLines;
        for (const QString& name : master)
            masterLines << QStringLiteral(" Form1\t") << name + QStringLiteral(" ") << QString() << QString()
                        << QStringLiteral("1");
        QStringList lines;
        for (int i = 0; i < languageLines; ++i)
            lines << (i % 2 ? QStringLiteral("h%1") : QStringLiteral("c%1")).arg(i / 2);
        QStringList got;
        for (const TextAssignment& a : matchLanguage(
                 elements, masterEntries(textLines(crlfText(masterLines))), textLines(crlfText(lines))))
            got << elements[a.element].name + QLatin1Char('=') + a.caption + QLatin1Char('|') + a.hint +
                       (a.describeOnly ? QStringLiteral(" (described)") : QString());
        QCOMPARE(got, expected);

        // The master list cut to the entries the search can reach gives the same texts.
        const std::size_t reach = reachableMasterEntries(elements);
        const auto near = masterEntries(textLines(crlfText(masterLines)), reach);
        QCOMPARE(near.size(), std::min<std::size_t>(reach, std::size_t(master.size())));
        QStringList gotNear;
        for (const TextAssignment& a : matchLanguage(elements, near, textLines(crlfText(lines))))
            gotNear << elements[a.element].name + QLatin1Char('=') + a.caption + QLatin1Char('|') + a.hint +
                           (a.describeOnly ? QStringLiteral(" (described)") : QString());
        QCOMPARE(gotNear, expected);
    }

    // Export: five master lines and two template lines per element; an edit field only with a hint, which
    // stands in for its caption; the template reads back (byte-order mark) as a language file that gives
    // every element its own texts again.
    void exportRoundTrip() {
        const auto element = [](const char* window, const char* name, const char* caption, const char* hint,
                                bool edit = false) {
            TextElement e;
            e.window = QLatin1String(window);
            e.name = QLatin1String(name);
            e.caption = QString::fromUtf8(caption);
            e.hint = QString::fromUtf8(hint);
            e.editField = edit;
            return e;
        };
        const std::vector<TextElement> walk{element("Form1", "Franz1", "Französisch", ""),
                                            element("Form1", "Edit85", "", "Die ersten X Prozent", true),
                                            element("Form1", "Edit86", "", "", true),
                                            element("Form3", "Label1", "n°:", "Русский")};
        const TextExport texts = exportTexts(walk);
        QCOMPARE(texts.masterList, QStringList({"Form1", "Franz1", "Französisch", "", "1", "Form1", "Edit85",
                                                "Die ersten X Prozent", "Die ersten X Prozent", "1", "Form3",
                                                "Label1", "n°:", "Русский", "1"}));
        const QByteArray bytes = crlfUtf16LeWithMark(texts.translationTemplate);
        QVERIFY(bytes.startsWith("\xFF\xFE"));
        QVERIFY(bytes.endsWith(QByteArray("\r\0\n\0", 4)));
        const TextLines template_ = textLines(bytes);
        QCOMPARE(template_.toList(), QStringList({"Französisch", "", "Die ersten X Prozent",
                                                  "Die ersten X Prozent", "n°:", "Русский"}));
        const auto assigned =
            matchLanguage(walk, masterEntries(textLines(crlfText(texts.masterList))), template_);
        QCOMPARE(assigned.size(), std::size_t(3)); // the edit field without a hint is not in the files
        QCOMPARE(assigned[0].caption, QStringLiteral("Französisch"));
        QCOMPARE(assigned[1].hint, QStringLiteral("Die ersten X Prozent"));
        QVERIFY(!assigned[1].setCaption); // an edit field only takes its hint
        QCOMPARE(assigned[2].hint, QStringLiteral("Русский"));
    }

    // The shipped translations: every element the built-in texts give a hint has one in every language, and
    // each language keeps to the game's own words.
    void shippedFilesHintWhatTheDesignHints_data() {
        QTest::addColumn<QString>("file");
        for (const Language& l : languages())
            QTest::newRow(l.fileName) << QString::fromLatin1(l.fileName);
    }
    void shippedFilesHintWhatTheDesignHints() {
        QFETCH(QString, file);
        const QStringList master = shipped(QStringLiteral("Kugelo.txt"));
        const QStringList lines = shipped(file);
        QStringList missing;
        for (qsizetype i = 0; 5 * i + 3 < master.size(); ++i)
            if (!master[5 * i + 3].isEmpty() && lines.value(2 * i + 1).trimmed().isEmpty())
                missing << master[5 * i + 1];
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
    }

    void shippedFilesUseTheGamesWords_data() {
        QTest::addColumn<QString>("file");      // a language file; its message file is read too
        QTest::addColumn<QString>("forbidden"); // a pattern no line of either may match
        // A row of the French Loto has five numbers: an example row of six teaches the wrong game.
        for (const Language& l : languages())
            if (l.number != 1) // the built-in German texts are the design's own
                QTest::addRow("%s: an example row of six numbers", l.fileName)
                    << QString::fromLatin1(l.fileName) << QStringLiteral("\\b\\d+(-\\d+){5}\\b");
        // The n° CHANCE keeps its French name, the game is the French "Loto", and a caption reads as a word
        // of its language.
        QTest::newRow("English names the n° CHANCE by its name") << "Kugelo_en.txt"
                                                                 << "Lucky Number";
        QTest::newRow("Italian: Loto, not the Italian Lotto") << "Kugelo_it.txt"
                                                              << "\\bLotto\\b";
        QTest::newRow("Russian rows read \"Ставка 3\"") << "Kugelo_ru.txt"
                                                        << "^\\d+\\. ставка$";
        QTest::newRow("Spanish \"rarest\" is no bare \"less\"") << "Kugelo_es.txt"
                                                                << "^menos$";
    }
    void shippedFilesUseTheGamesWords() {
        QFETCH(QString, file);
        QFETCH(QString, forbidden);
        const QRegularExpression pattern(forbidden);
        QStringList found;
        for (const QString& name : {file, file + QStringLiteral(".meld")})
            for (const QString& line : shipped(name))
                if (pattern.match(line).hasMatch()) found << line;
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

    // "Dreier, " and "Vierer ... (3-4-5 ...)" stand side by side and read as one sentence: the blank after
    // the comma is in one of the two captions.
    void aSentenceOverTwoLabelsKeepsItsBlank() {
        const std::vector<MasterEntry> master =
            masterEntries(textLines(crlfText(shipped(QStringLiteral("Kugelo.txt")))));
        const auto at = [&master](const char* name) {
            for (std::size_t i = 0; i < master.size(); ++i)
                if (master[i].name == QLatin1String(name)) return qsizetype(i);
            return qsizetype(-1);
        };
        const qsizetype first = at("Label91"), second = at("Label90");
        QVERIFY(first >= 0 && second >= 0);
        for (const Language& l : languages()) {
            const QStringList lines = shipped(QString::fromLatin1(l.fileName));
            const QString sentence = lines.value(2 * first) + lines.value(2 * second);
            QVERIFY2(!sentence.contains(QRegularExpression(QStringLiteral(",\\S"))),
                     qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(l.fileName), sentence)));
        }
    }

    // The language folder and its files are found whatever the case of their names.
    void languageFilesAreFoundWhateverTheCase() {
        QTemporaryDir program;
        QVERIFY(QDir(program.path()).mkpath(QStringLiteral("land")));
        QFile file(program.path() + QStringLiteral("/land/KUGELO_FR.TXT"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QCOMPARE(languageFilePath(program.path(), QStringLiteral("Kugelo_fr.txt")), file.fileName());
        QCOMPARE(languageFilePath(program.path(), QStringLiteral("Kugelo_de.txt")),
                 program.path() + QStringLiteral("/land/Kugelo_de.txt"));
    }
};

QTEST_GUILESS_MAIN(TestI18n)
#include "tst_i18n.moc"
