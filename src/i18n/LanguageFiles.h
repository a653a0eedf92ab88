#pragma once

#include "i18n/TextFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace kugelo {

// The six languages of the menu "Sprache/&Language", by their stored number (sprache).
struct Language {
    int number;           // 1 German .. 6 Russian; 0 is "none applied"
    const char* menuItem; // the menu item's name
    const char* caption;  // its built-in caption
    const char* fileName; // the language file in "Land"; its message file adds ".meld"
    const char* code;     // ISO 639-1, for Qt's own translations
};
const std::array<Language, 6>& languages();
// The language of a stored number; nullptr outside 1..6.
const Language* languageByNumber(int number);

// The folder of the language files beside the executable, and the master list in it.
QString languageFolder(const QString& programFolder);
QString masterListPath(const QString& programFolder);
// A file of the language folder, found whatever the case of its name ("land\" and "Land\" name the same
// folder, "kugelo_fr.txt" the same file as "Kugelo_fr.txt"); the exact path when there is none.
QString languageFilePath(const QString& programFolder, const QString& fileName);

// One element of a window whose caption and hint a language file can replace, in walk order.
struct TextElement {
    QString window;  // name of the owning window, e.g. "Form1"
    QString name;    // element name, e.g. "BitBtn7"
    QString caption; // empty for edit fields (they only have a hint)
    QString hint;    //
    bool editField = false;
    bool menuItem = false;
    bool fixed = false; // a non-zero tag: exported, never changed by a language file
};

// An element's identity as the master list compares it: without leading and trailing blanks and control
// characters.
QString identityText(const QString& text);

// One entry (five lines) of the master list.
struct MasterEntry {
    QString window;
    QString name;
};
// The master list's entries, at most maxEntries of them; an incomplete last entry still counts with what it
// has.
std::vector<MasterEntry> masterEntries(const TextLines& lines, std::size_t maxEntries = SIZE_MAX);

// What an export writes: the master list (five lines per element: window, name, caption, hint, character
// set; an edit field only when it has a hint, with the hint as its caption) and the translation template
// (two lines per exported element: caption, hint).
struct TextExport {
    QStringList masterList;
    QStringList translationTemplate;
};
TextExport exportTexts(const std::vector<TextElement>& elements);

// The texts a language file gives an element of the walk.
struct TextAssignment {
    std::size_t element; // index into the walk
    QString caption;     // not for edit fields
    QString hint;
    bool setCaption = true;
    // A fixed element keeps its caption and hint: the hint is only what assistive technology reads of it.
    bool describeOnly = false;
};
// Matches the walk against the master list: each element that is not fixed is looked for in the next
// eleven master entries from the last match; a found element takes the language file's lines 2i and 2i+1
// (missing lines read as empty), an element not found keeps its texts and the search position. A fixed
// element found in the same eleven entries gets its hint as a description only, and the search position
// stays.
std::vector<TextAssignment> matchLanguage(const std::vector<TextElement>& walk,
                                          const std::vector<MasterEntry>& master,
                                          const TextLines& languageLines);
// How many master entries matchLanguage can reach for a walk: each match moves the search at most ten
// entries on, so no element looks beyond entry 10 × (elements that are looked for). A master list longer
// than that need not be kept whole.
std::size_t reachableMasterEntries(const std::vector<TextElement>& walk);

// The template's bytes: each line followed by CR LF, UTF-16 LE with a byte-order mark. (The master list
// is written as every other text file, through crlfText.)
QByteArray crlfUtf16LeWithMark(const QStringList& lines);

// The files of an export to path, which are written as one unit: the master list at path, the template at
// path + ".trans" and, when messages are given, the message file at path + ".meld" (each line followed by
// CR LF, UTF-8). A crash while they are written leaves the set as it was before or as written, once
// settleTextExport(path) has run: an export cut off after its journal ("<path>.journal") is finished, one
// cut off before it leaves the old files.
void writeTextExport(const QString& path, const TextExport& texts,
                     const std::optional<QStringList>& messages = std::nullopt);
void settleTextExport(const QString& path);

} // namespace kugelo
