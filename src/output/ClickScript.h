#pragma once

#include "platform/Dialogs.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace kugelo {

class TipSheet;

// The click script with the rows filled in: for rows 1 to 12 the placeholders "[Z<field>_<row>]" of the
// five main numbers, then "[CHANCE<row>]", then "[MELDUNGFERTIG]", "[MI]", "[SA]" and "[MISA]", each
// replaced wherever it occurs. The closing bracket belongs to the placeholder, so "[Z1_1]" never touches
// "[Z1_10]".
QString fillClickScript(QString script, const TipSheet& sheet);

// The tip copy beside the filled scripts: the end date + 7 days as "yyyymmdd.tpf".
QString scriptTipFileName(const QDate& endDate);
// The filled script of a day: "yyyymmdd.csf".
QString filledScriptFileName(const QDate& today);

// What the automation program keeps in its settings key, and what this program keeps there for it.
struct AutomationChoice {
    QString script; // full path of the chosen click script
    QString zahl1;
    QString text1;
    QString zahl2;
    QString text2;
};

// The automation program's arguments: "START", the filled script, ZAHL1, TEXT1, ZAHL2, TEXT2, each a value
// of its own (no quoting, no shell).
QStringList automationArguments(const QString& filledScript, const AutomationChoice& choice);

// The script dialog without its window: the list of click scripts, the chosen path and the four
// parameters.
struct ScriptDialogModel {
    AutomationChoice choice;
    QStringList scripts; // full paths of the "*.csf" files of the script folder, in the folder's order
    QString scriptFolder;

    // The dialog opens: the list is refilled from the script folder; an empty path becomes the last
    // script listed.
    void open(const QString& folder);
    // The browse button: a file dialog in the script folder; a chosen file becomes the path.
    void browse(Dialogs& dialogs);
    // The dialog closes (by either button): an empty ZAHL1 or ZAHL2 becomes "0".
    void close();
};

} // namespace kugelo
