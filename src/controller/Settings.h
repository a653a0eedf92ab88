#pragma once

#include "platform/Endpoints.h"
#include "state/MainState.h"

#include <QString>
#include <array>
#include <functional>
#include <vector>

namespace kugelo {

struct GenerationCriteria;
class MessageTable;
class SettingsStore;
struct SettingsProblem;
class TipSheet;

// The print-position fields of the print-position window, in the order they are restored and saved.
inline constexpr std::array<const char*, 19> kPrintPositionNames = {
    "Edit1F8",  "Edit2F8",  "Edit3F8",  "Edit4F8",  "Edit5F8",  "Edit6F8",  "Edit7F8",
    "Edit8F8",  "Edit9F8",  "Edit10F8", "Edit11F8", "Edit12F8", "Edit13F8", "Edit15F8",
    "Edit17F8", "Edit19F8", "Edit21F8", "Edit23F8", "Edit14F8"};

// Values of windows that no command shows (print positions, print font, portal choice) and flags that are
// only read: restored and written back, used by nothing else.
struct KeptWindowValues {
    std::array<QString, 19> printPositions = {QStringLiteral("14"),
                                              QStringLiteral("14"),
                                              QStringLiteral("3"),
                                              QStringLiteral("0"),
                                              QStringLiteral("258"),
                                              QStringLiteral("162"),
                                              QStringLiteral("258"),
                                              QStringLiteral("204"),
                                              QStringLiteral("258"),
                                              QStringLiteral("285"),
                                              QStringLiteral("325"),
                                              QStringLiteral("258"),
                                              QStringLiteral("216"),
                                              QStringLiteral("545"),
                                              QStringLiteral("216"),
                                              QStringLiteral("449"),
                                              QString(),
                                              QString(),
                                              QStringLiteral("schein.jpg")};
    qint32 RadioF8 = 0;
    // The print font: style bits (1 bold, 2 italic, 4 underline, 8 strike-out), colour (0x00BBGGRR, or
    // 0xFF0000nn for system colour nn), size in points, family.
    quint8 fontStyle = 1;
    qint32 fontColor = static_cast<qint32>(0xFF000008); // the system window-text colour
    qint32 fontSize = 8;
    QString fontName = QStringLiteral("Arial");
    qint32 portalChoice = 0; // what "OnlineRadio" is written from
    bool Spiel77Ja = false;
    bool Super6Ja = false;
};

// The controls of the main window that the settings fill and that no domain object holds.
struct WindowValues {
    int height = 0; // the main window's size
    int width = 0;
    bool normalState = true; // neither maximised nor minimised (only then is the size saved)
    QString feeOneDraw = QStringLiteral("0,50");  // Edit81: the fee for one draw
    QString feeTwoDraws = QStringLiteral("1,00"); // Edit82: the fee for two draws
    bool linkPageEnabled = false;                 // CheckBox21 "Linkseite aktivieren"
    QString linkAddress;                          // URLEdit
    QString proxyHost;                            // ProxyHostEdit
    QString proxyPort = QStringLiteral("80");     // ProxyPortEdit
    // The stored vendor hosts; empty when none is stored.
    QString ProductHost;
    QString CompanyHost;
    QString ResultsHost;
};

// The hosts in use: the stored ones where set (else those of base), each overridden by its environment
// variable. Only http and https hosts are used: a stored host of another scheme is ignored (base's host is
// used), a variable of another scheme refused (the stored or base's host stays); each is added to refused
// when given.
Endpoints endpointsInUse(const WindowValues& stored, const Endpoints& base,
                         std::vector<RefusedHost>* refused = nullptr,
                         const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());

// Everything the settings restore into and save from.
struct SettingsTargets {
    MainState& state;
    GenerationCriteria& criteria;
    TipSheet& sheet;
    WindowValues& window;
    KeptWindowValues& kept;
};

// The names of the 84 tip values in the order they are read, and in the order they are written.
const std::vector<QString>& tipValueNamesForRestore();
const std::vector<QString>& tipValueNamesForSave();

// Restores the settings of the open key in the portions the start-up interleaves with its own steps. A
// value is applied only when it exists; one that exists with another type ends its group, and outside the
// groups counts as missing.
class SettingsRestore {
public:
    SettingsRestore(const SettingsStore& store, SettingsTargets targets);

    // "Losnummer", "NeuerSchein".
    void unguarded();
    // The options, the n° CHANCE rule, "Spiel77Ja", "Super6Ja", "Land", the window size (resize is called
    // as soon as a size value is read), "TippTop", "TippLeft", "Sprache".
    void group1(const std::function<void(int width, int height)>& resize = {});
    // The spin positions, then the 84 tip values through the field validation.
    void group2();
    // The print positions, "RadioF8", "OnlineRadio".
    void group3();
    // The print font, only when "DruckSchrift" exists.
    void printFont();
    // The fees.
    void group4();
    // "Browser", also when it is stored as a string.
    void browser();
    // "URLEdit" (homePage when missing), the proxy.
    void group5(const QString& homePage);
    // "ProductHost", "CompanyHost", "ResultsHost".
    void hosts();
    // "DateTimePicker2"; a value that cannot be read sets the earliest date.
    void dateTimePicker2();

    // Every portion in order, for callers that have nothing to do between them.
    void restoreAll(const QString& homePage);

    // Only the generation options (groups 1 and 2 without the rest), for the command-line tool.
    void optionsOnly();

private:
    template <class F> void group(F&& reads);
    void options();
    void spins();

    const SettingsStore& m_store;
    SettingsTargets m_t;
};

// Writes every setting into the open key. A failing write ends the save silently (the print values in a
// block of their own); the values written so far stay.
void saveSettings(SettingsStore& store, const SettingsTargets& targets);

// What the status bar says about stored settings that could not be used, in the language of the table;
// empty when there is no problem.
QString settingsProblemText(const SettingsProblem& problem, const MessageTable& messages);

} // namespace kugelo
