#include "i18n/LanguageFiles.h"

#include "platform/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace kugelo {

const std::array<Language, 6>& languages() {
    static const std::array<Language, 6> table{{
        {1, "Deutsch1", "Deutsch", "Kugelo_de.txt", "de"},
        {2, "Englich1", "Englisch", "Kugelo_en.txt", "en"},
        {3, "Franz1", "Französisch", "Kugelo_fr.txt", "fr"},
        {4, "Spanisch1", "Spanisch", "Kugelo_es.txt", "es"},
        {5, "Italenisch1", "Italienisch", "Kugelo_it.txt", "it"},
        {6, "Russisch1", "Russisch", "Kugelo_ru.txt", "ru"},
    }};
    return table;
}

const Language* languageByNumber(int number) {
    for (const Language& l : languages())
        if (l.number == number) return &l;
    return nullptr;
}

QString languageFolder(const QString& programFolder) {
    const QDir program(programFolder);
    for (const QString& entry : program.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (entry.compare(QLatin1String("Land"), Qt::CaseInsensitive) == 0) return program.filePath(entry);
    return program.filePath(QStringLiteral("Land"));
}

QString languageFilePath(const QString& programFolder, const QString& fileName) {
    const QDir folder(languageFolder(programFolder));
    for (const QString& entry : folder.entryList(QDir::Files))
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0) return folder.filePath(entry);
    return folder.filePath(fileName);
}

QString masterListPath(const QString& programFolder) {
    return languageFilePath(programFolder, QStringLiteral("Kugelo.txt"));
}

QString identityText(const QString& text) {
    const auto trimmed = [](QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && trimmed(text[begin]))
        ++begin;
    while (end > begin && trimmed(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

std::vector<MasterEntry> masterEntries(const TextLines& lines, std::size_t maxEntries) {
    std::vector<MasterEntry> entries;
    for (qsizetype i = 0; i < lines.size() && entries.size() < maxEntries; i += 5)
        entries.push_back({identityText(lines[i]), identityText(lines.value(i + 1))});
    return entries;
}

std::size_t reachableMasterEntries(const std::vector<TextElement>& walk) {
    const auto lookedFor =
        std::size_t(std::count_if(walk.begin(), walk.end(), [](const TextElement& e) { return !e.fixed; }));
    return 10 * lookedFor + 1;
}

TextExport exportTexts(const std::vector<TextElement>& elements) {
    TextExport out;
    for (const TextElement& e : elements) {
        if (e.editField && e.hint.isEmpty()) continue;
        const QString caption = e.editField ? e.hint : e.caption;
        // The character set: the default one (1) for every element, which is what menu items always have.
        out.masterList << e.window << e.name << caption << e.hint << QStringLiteral("1");
        out.translationTemplate << caption << e.hint;
    }
    return out;
}

std::vector<TextAssignment> matchLanguage(const std::vector<TextElement>& walk,
                                          const std::vector<MasterEntry>& master,
                                          const TextLines& languageLines) {
    constexpr std::size_t kLookAhead = 11;
    const auto line = [&](std::size_t n) {
        return n < static_cast<std::size_t>(languageLines.size()) ? languageLines[qsizetype(n)] : QString();
    };
    std::vector<TextAssignment> assignments;
    std::size_t position = 0;
    for (std::size_t k = 0; k < walk.size(); ++k) {
        const TextElement& e = walk[k];
        const QString window = identityText(e.window);
        const QString name = identityText(e.name);
        for (std::size_t i = position; i < master.size() && i < position + kLookAhead; ++i) {
            if (master[i].window != window || master[i].name != name) continue;
            if (e.fixed) {
                if (!line(2 * i + 1).isEmpty()) assignments.push_back({k, {}, line(2 * i + 1), false, true});
                break;
            }
            assignments.push_back({k, line(2 * i), line(2 * i + 1), !e.editField});
            position = i;
            break;
        }
    }
    return assignments;
}

QByteArray crlfUtf16LeWithMark(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text) {
        bytes += char(c.unicode() & 0xFF);
        bytes += char(c.unicode() >> 8);
    }
    return bytes;
}

namespace {

QString exportJournal(const QString& path) {
    return path + QStringLiteral(".journal");
}

QStringList exportFiles(const QString& path) {
    return {path, path + QStringLiteral(".trans"), path + QStringLiteral(".meld")};
}

} // namespace

void writeTextExport(const QString& path, const TextExport& texts,
                     const std::optional<QStringList>& messages) {
    const QStringList files = exportFiles(path);
    std::vector<FileSetMember> members{{files[0], crlfText(texts.masterList)},
                                       {files[1], crlfUtf16LeWithMark(texts.translationTemplate)}};
    if (messages) members.push_back({files[2], crlfText(*messages)});
    writeFileSet(exportJournal(path), members);
}

void settleTextExport(const QString& path) {
    settleFileSet(exportJournal(path), exportFiles(path));
}

} // namespace kugelo
