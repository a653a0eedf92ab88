#include "output/ClickScript.h"

#include "sheet/TipSheet.h"

#include <QDir>

namespace kugelo {

QString fillClickScript(QString script, const TipSheet& sheet) {
    for (int r = 0; r < TipSheet::RowCount; ++r) {
        for (int f = 0; f < 5; ++f)
            script.replace(QStringLiteral("[Z%1_%2]").arg(f + 1).arg(r + 1), sheet.text(r, f));
        script.replace(QStringLiteral("[CHANCE%1]").arg(r + 1), sheet.text(r, TipSheet::Chance));
    }
    script.replace(QStringLiteral("[MELDUNGFERTIG]"),
                   QStringLiteral("Bitte überprüfen Sie jetzt den Tipp und dann können Sie ihn abgeben!"));
    // This program never chooses a draw day for the portal.
    for (const char* day : {"[MI]", "[SA]", "[MISA]"})
        script.replace(QLatin1String(day), QStringLiteral("NEIN"));
    return script;
}

QString scriptTipFileName(const QDate& endDate) {
    return endDate.addDays(7).toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".tpf");
}

QString filledScriptFileName(const QDate& today) {
    return today.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".csf");
}

QStringList automationArguments(const QString& filledScript, const AutomationChoice& choice) {
    return {QStringLiteral("START"), filledScript, choice.zahl1, choice.text1, choice.zahl2, choice.text2};
}

void ScriptDialogModel::open(const QString& folder) {
    scriptFolder = folder;
    scripts.clear();
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.csf")}, QDir::Files, QDir::Unsorted))
        scripts << dir.filePath(name);
    if (choice.script.isEmpty() && !scripts.isEmpty()) choice.script = scripts.last();
}

void ScriptDialogModel::browse(Dialogs& dialogs) {
    FileDialogOptions options;
    options.filter = QStringLiteral("Velmars Click Script|*.csf");
    options.defaultExtension = QStringLiteral("CSF");
    options.initialFolder = scriptFolder;
    const QString path = dialogs.openFileName(options);
    if (!path.isEmpty()) choice.script = path;
}

void ScriptDialogModel::close() {
    for (QString* zahl : {&choice.zahl1, &choice.zahl2})
        if (zahl->isEmpty()) *zahl = QStringLiteral("0");
}

} // namespace kugelo
