// The settings file: any bytes as settings.json, opened by the store, restored into the program's values,
// saved, restored and saved again.
//
// Contract: a file that cannot be used, whole or in part, is kept aside unchanged as "<file>.corrupt" and
// the store says so;
// after a restore every spin position lies within its limits, every tip field is empty or a number in its
// range, and the statistics start is a real date no earlier than 6 October 2008; a file the store reads
// comes back value for value (the first of a name, as the store finds it) when written again; save -> load ->
// save gives the same bytes.
#include "FuzzSupport.h"

#include "controller/Settings.h"
#include "generator/GenerationCriteria.h"
#include "platform/Endpoints.h"
#include "platform/SettingsStore.h"
#include "sheet/TipSheet.h"
#include "state/MainState.h"

#include <QFile>
#include <algorithm>

using namespace kugelo;
using namespace kugelo::fuzz;

namespace {

struct Program {
    MainState state;
    GenerationCriteria criteria;
    TipSheet sheet;
    WindowValues window;
    KeptWindowValues kept;
    SettingsTargets targets() { return {state, criteria, sheet, window, kept}; }
};

void restore(SettingsStore& store, Program& p) {
    SettingsRestore(store, p.targets()).restoreAll(Endpoints().homePage());
}

void checkRestored(Program& p) {
    for (const OptionRow& row : optionTable()) {
        if (!row.spin) continue;
        const SpinValue& s = p.criteria.*(row.spin);
        FUZZ_CHECK(s.value >= s.min && s.value <= std::max(s.min, s.max),
                   QStringLiteral("%1 restored as %2 outside %3..%4")
                       .arg(QLatin1String(row.name))
                       .arg(s.value)
                       .arg(s.min)
                       .arg(s.max));
    }
    for (int r = 0; r < TipSheet::RowCount; ++r) {
        for (int f = 0; f < TipSheet::FieldCount; ++f) {
            const QString& text = p.sheet.text(r, f);
            bool ok = text.isEmpty();
            if (!ok) {
                const int value = text.toInt(&ok);
                ok = ok && value >= 1 && value <= TipSheet::maximum(f) && QString::number(value) == text;
            }
            FUZZ_CHECK(ok, QStringLiteral("tip field %1/%2 restored as \"%3\"").arg(r).arg(f).arg(text));
        }
    }
    FUZZ_CHECK(p.state.statisticsStart.isValid() && p.state.statisticsStart >= earliestDrawDate(),
               QStringLiteral("the statistics start restored as %1")
                   .arg(p.state.statisticsStart.toString(Qt::ISODate)));
}

// Saves the program's values into a new file and returns its bytes.
QByteArray save(Program& p, const QString& name) {
    const QString path = scratch() + name;
    QFile::remove(path);
    FileSettingsStore store(path);
    FUZZ_CHECK(store.openKey(SettingsStore::kugeloKey(), true), QStringLiteral("no key to save into"));
    saveSettings(store, p.targets());
    store.closeKey();
    return readScratch(path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = bytesOf(data, size);
    const QString path = scratch() + QStringLiteral("settings.json");
    QFile::remove(path + QStringLiteral(".corrupt"));
    writeScratch(QStringLiteral("settings.json"), bytes);

    FileSettingsStore store(path);
    const bool existed = store.openKey(SettingsStore::kugeloKey(), false);
    const bool damaged = !store.problem().isEmpty();
    if (damaged)
        FUZZ_CHECK(readScratch(path + QStringLiteral(".corrupt")) == bytes,
                   QStringLiteral("the unreadable file was not kept aside whole"));
    Program first;
    restore(store, first);
    checkRestored(first);

    // What the store read comes back value for value.
    if (existed) {
        // A name may stand twice in a file; the store finds the first, so that one is what the value is.
        std::vector<SettingValue> read;
        for (const SettingValue& v : store.values()) {
            const bool seen = std::any_of(read.begin(), read.end(), [&](const SettingValue& r) {
                return r.name.compare(v.name, Qt::CaseInsensitive) == 0;
            });
            if (!seen) read.push_back(v);
        }
        const QString copyPath = scratch() + QStringLiteral("copy.json");
        QFile::remove(copyPath);
        {
            FileSettingsStore copy(copyPath);
            copy.openKey(SettingsStore::kugeloKey(), true);
            for (const SettingValue& v : read)
                copy.write(v);
            copy.closeKey();
        }
        FileSettingsStore back(copyPath);
        FUZZ_CHECK(back.openKey(SettingsStore::kugeloKey(), false) && back.problem().isEmpty(),
                   QStringLiteral("a copy of the values cannot be read: %1").arg(back.problem().reason));
        FUZZ_CHECK(back.values() == read, QStringLiteral("the values changed on their way through the file"));
    }

    // Without the key the values are the defaults, whatever the bytes were: their round trip is the same
    // every time, so it runs once.
    static bool defaultsRoundTripped = false;
    if (!existed) {
        if (defaultsRoundTripped) return 0;
        defaultsRoundTripped = true;
    }
    const QByteArray saved = save(first, QStringLiteral("saved1.json"));
    FileSettingsStore reread(scratch() + QStringLiteral("saved1.json"));
    FUZZ_CHECK(reread.openKey(SettingsStore::kugeloKey(), false) && reread.problem().isEmpty(),
               QStringLiteral("the saved settings cannot be read: %1").arg(reread.problem().reason));
    Program second;
    restore(reread, second);
    checkRestored(second);
    FUZZ_CHECK(save(second, QStringLiteral("saved2.json")) == saved,
               QStringLiteral("save -> load -> save changed the file"));
    return 0;
}
