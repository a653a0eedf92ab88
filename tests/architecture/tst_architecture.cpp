// The shape of the source tree: domain code sees no window, and folders include each other one way.
//
// Widget code lives in src/app/ and src/widgets/ and, inside other folders, in files named *Page, *Dialog,
// *Window and *View. Every other source file is domain code (kugelo-cli's folder counts as domain code too:
// it runs without a display). The compiler only partly guards this: a domain file that includes a widget
// header compiles whenever the widget library happens to be on its include path.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {

const QString kSourceDir = QStringLiteral(KUGELO_SOURCE_DIR "/src");
const QString kQtHeaders = QStringLiteral(KUGELO_QT_HEADERS);

// Qt modules that need a display (or draw): none of them may reach the domain.
const QStringList kGuiModules = {
    "QtGui",    "QtWidgets",       "QtCharts",       "QtMultimedia", "QtMultimediaWidgets",
    "QtOpenGL", "QtOpenGLWidgets", "QtPrintSupport", "QtSvg",        "QtQuick",
    "QtQml"};
const QStringList kWidgetFolders = {"app", "widgets"};

struct Source {
    QString path;               // relative to src/, e.g. "draws/DrawFile.cpp"
    QString folder;             // "draws"
    QStringList localIncludes;  // "app/MainState.h"
    QStringList systemIncludes; // "QLabel", "QtWidgets/QLabel"
};

bool isWidgetFile(const QString& path) {
    const QString folder = path.section('/', 0, 0);
    if (kWidgetFolders.contains(folder)) return true;
    static const QRegularExpression widgetName(QStringLiteral("(Page|Dialog|Window|View)\\.(h|cpp)$"));
    return widgetName.match(path).hasMatch();
}

QList<Source> readSources(const QString& root) {
    QList<Source> sources;
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*([<\"])([^>\"]+)[>\"]"));
    QDirIterator it(root, {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        Source s;
        s.path = QDir(root).relativeFilePath(file);
        s.folder = s.path.contains('/') ? s.path.section('/', 0, 0) : QString();
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) continue;
        while (!f.atEnd()) {
            const QString line = QString::fromUtf8(f.readLine());
            const auto m = include.match(line);
            if (!m.hasMatch()) continue;
            (m.captured(1) == "\"" ? s.localIncludes : s.systemIncludes) << m.captured(2);
        }
        sources << s;
    }
    return sources;
}

// The GUI module that provides a system header, or an empty text.
QString guiModuleOf(const QString& header, const QString& qtHeaders) {
    if (header.contains('/')) {
        const QString module = header.section('/', 0, 0);
        return kGuiModules.contains(module) ? module : QString();
    }
    for (const QString& module : kGuiModules) {
        if (header == module || QFileInfo::exists(qtHeaders + '/' + module + '/' + header)) return module;
    }
    return {};
}

// What breaks the rules in a tree: one line per fault.
QStringList faults(const QList<Source>& sources, const QString& qtHeaders) {
    QStringList found;
    QMap<QString, QMap<QString, QString>> edges; // folder -> included folder -> one file that does it
    for (const Source& s : sources) {
        const bool widget = isWidgetFile(s.path);
        if (!widget) {
            for (const QString& header : s.systemIncludes) {
                const QString module = guiModuleOf(header, qtHeaders);
                if (!module.isEmpty())
                    found << QStringLiteral("%1 includes <%2> from %3").arg(s.path, header, module);
            }
            for (const QString& header : s.localIncludes) {
                if (header.contains('/') && isWidgetFile(header))
                    found << QStringLiteral("%1 includes the widget header %2").arg(s.path, header);
            }
        }
        for (const QString& header : s.localIncludes) {
            const QString folder = header.contains('/') ? header.section('/', 0, 0) : s.folder;
            if (folder != s.folder && !s.folder.isEmpty() && !edges[s.folder].contains(folder))
                edges[s.folder][folder] = s.path + " -> " + header;
        }
    }
    // Any cycle among the folders.
    QMap<QString, int> state; // 1 on the path, 2 done
    QStringList path;
    std::function<void(const QString&)> visit = [&](const QString& folder) {
        state[folder] = 1;
        path << folder;
        for (auto it = edges[folder].cbegin(); it != edges[folder].cend(); ++it) {
            if (state.value(it.key()) == 1) {
                const QStringList cycle = path.mid(path.indexOf(it.key())) << it.key();
                QStringList how;
                for (qsizetype i = 0; i + 1 < cycle.size(); ++i)
                    how << edges[cycle[i]][cycle[i + 1]];
                found << QStringLiteral("the folders %1 include each other (%2)")
                             .arg(cycle.join(QStringLiteral(" -> ")), how.join(QStringLiteral("; ")));
            } else if (state.value(it.key()) == 0) {
                visit(it.key());
            }
        }
        path.removeLast();
        state[folder] = 2;
    };
    for (const QString& folder : edges.keys())
        if (state.value(folder) == 0) visit(folder);
    return found;
}

// A small tree written out for the checks of the checker itself.
struct Tree {
    QTemporaryDir dir;
    void write(const QString& path, const QByteArray& text) {
        QDir().mkpath(QFileInfo(dir.filePath(path)).path());
        QFile f(dir.filePath(path));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
};

} // namespace

class TestArchitecture : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The checker on small trees: each breach is seen, and a sound tree passes.
    void checkerSeesEachBreach_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fault"); // empty: none
        QTest::newRow("domain may use QtCore") << "draws/A.cpp"
                                               << "#include <QString>\n#include <QFile>"
                                               << "";
        QTest::newRow("domain includes a widget") << "draws/A.cpp"
                                                  << "#include <QLabel>"
                                                  << "from QtWidgets";
        QTest::newRow("domain includes a module path") << "draws/A.h"
                                                       << "#include <QtCharts/QChart>"
                                                       << "from QtCharts";
        QTest::newRow("domain includes QtGui") << "stats/A.cpp"
                                               << "#include <QColor>"
                                               << "from QtGui";
        QTest::newRow("domain includes a page") << "draws/A.cpp"
                                                << "#include \"generator/CriteriaPage.h\""
                                                << "widget header generator/CriteriaPage.h";
        QTest::newRow("domain includes the window folder") << "draws/A.cpp"
                                                           << "#include \"app/State.h\""
                                                           << "widget header app/State.h";
        QTest::newRow("a view may use widgets") << "draws/AView.cpp"
                                                << "#include <QLabel>"
                                                << "";
        QTest::newRow("two folders include each other") << "platform/B.cpp"
                                                        << "#include \"draws/A.h\""
                                                        << "draws -> platform -> draws include each other";
    }
    void checkerSeesEachBreach() {
        QFETCH(QString, file);
        QFETCH(QString, text);
        QFETCH(QString, fault);
        Tree tree;
        tree.write("draws/A.h", "#include \"platform/B.h\"\n");
        tree.write("platform/B.h", "#include <QString>\n");
        tree.write(file, text.toUtf8());
        const QStringList found = faults(readSources(tree.dir.path()), kQtHeaders);
        if (fault.isEmpty()) {
            QVERIFY2(found.isEmpty(), qPrintable(found.join('\n')));
        } else {
            QCOMPARE(found.size(), 1);
            QVERIFY2(found.first().contains(fault), qPrintable(found.first()));
        }
    }

    void sourceTreeKeepsTheRules() {
        QVERIFY2(QFileInfo::exists(kQtHeaders + "/QtWidgets/QWidget"), qPrintable(kQtHeaders));
        const QList<Source> sources = readSources(kSourceDir);
        QVERIFY(sources.size() > 50);
        const QStringList found = faults(sources, kQtHeaders);
        QVERIFY2(found.isEmpty(), qPrintable(found.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestArchitecture)
#include "tst_architecture.moc"
