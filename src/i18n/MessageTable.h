#pragma once

#include <QString>
#include <QStringList>

namespace kugelo {

// The entries of the message table by name; the number is the line of the message file.
enum class Msg : int {
    AnalysisOfDrawsAsk = 0,
    AnalysisOfDrawsAskEnd = 1,
    AnalysisOfDrawsClearsTips = 2,
    DrawSearchStopAt = 3,
    CompareDrawResult = 4,
    SearchHitOn = 5,
    SearchFoundContinue = 6,
    SearchDrawFound = 7,
    HitsOfDrawsInDatabase = 8,
    SimilarNumbersNextDraw = 9,
    ChanceOverdueCaption = 10,
    NumbersForTip = 11,
    NumbersForRun = 12,
    Unused13 = 13,
    Unused14 = 14,
    Unused15 = 15,
    LuckyNumberInputError = 16,
    AnalysisOfSettingsAsk = 17,
    AnalysisOfSettingsAskEnd = 18,
    AnalysisOfSettingsClearsTips = 19,
    LuckyNumberCaption = 20,
    LuckyNumberPrompt = 21,
    LuckyNumberSet = 22,
    LuckyNumberSetEnd = 23,
    CurrentSettingsBrought = 24,
    RowDistributionCaption = 25,
    OverdueCaption = 26,
    Unused27 = 27,
    PrintHeader = 28,
    Tip = 29,
    ChanceBall = 30,
    CountWithout = 31,
    Draws = 32,
    WithEach = 33,
    Rows = 34,
    ComputingPairs = 35,
    ComputingTriples = 36,
    ComputingQuadruples = 37,
    ComputingDistribution = 38,
    ComputingOverdue = 39,
    ComputingNeighbours = 40,
    RunBegins = 41,
    StopRun = 42,
    CrossSum = 43,
    Unused44 = 44,
    NoWarranty = 45,
    NumberDistribution = 46,
    ChanceFrequencyCaption = 47,
    AnalysisStopAt = 48,
    TipTest = 49,
    HitFoundOn = 50,
    Continue = 51,
    DrawFound = 52,
    DrawsCount = 53,
    PairsFound = 54,
    TriplesFound = 55,
    CrossSumDistribution = 56,
    QuadruplesFound = 57,
    ChangeParameters = 58,
    TipsComputed = 59,
    RandomCaption = 60,
    RandomStop = 61,
    // Added later: what chance alone would have given (the analyses' reports), the analyses' progress, the
    // long jobs' progress line.
    ChanceHeadingRows = 62,
    ChanceHeadingComparisons = 63,
    ChanceObserved = 64,
    ChanceExpected = 65,
    ChanceRatio = 66,
    ChanceAtLeastTwo = 67,
    ChanceInterval = 68,
    ChanceIntervalTo = 69,
    ChanceBetter = 70,
    ChanceWithin = 71,
    ChanceWorse = 72,
    AnalysisCycle = 73,
    AnalysisStopHint = 74,
    SearchStopHint = 75,
    // The progress line of the long jobs: counts (%1 of %2, %3 found), time left and how to stop.
    UpdateProgress = 76,
    RunProgress = 77,
    AnalysisProgress = 78,
    TimeLeft = 79,
    UnitSeconds = 80,
    UnitMinutes = 81,
    UnitHours = 82,
    UpdateStopKeys = 83,
    RunStopKeys = 84,
    AnalysisStopKeys = 85,
    ShippedHistoryUnusable = 86,
    UndoLink = 87,
    UndoDrawFileChanged = 88,
    UndoSheetChanged = 89,
    ImportTitle = 90,
    ImportFiles = 91,
    ImportAdded = 92,
    ImportReplaced = 93,
    ImportSkipped = 94,
    ImportMoreSkipped = 95,
    // What the status bar says when a search or an analysis was stopped.
    SearchStopped = 96,
    AnalysisStopped = 97,
    // Only http and https hosts and addresses: a host entered or a request refused (%1: what was refused),
    // a stored host ignored (%1: the stored host, %2: the host used instead).
    OnlyWebAddresses = 98,
    StoredHostIgnored = 99,
    // The comparison with chance leaves out the rows that were made knowing their draw.
    ChanceLeftOut = 100,
    // The title of the edit menu.
    EditMenu = 101,
    // What a command did, as the status bar says it (%1, %2: a file, a date, a count).
    UndoHint = 102,
    TipsSaved = 103,
    TipsLoaded = 104,
    TipsCleared = 105,
    DrawRemoved = 106,
    NoDrawToRemove = 107,
    DrawStored = 108,
    Undone = 109,
    ListingOpened = 110,
    ListingNotOpened = 111,
    SearchNothingFound = 112,
    SearchFound = 113,
    BasketShown = 114,
    ScriptStarted = 115,
    // How the run chose the n° CHANCE, after its final text.
    ChanceByChance = 116,
    ChanceRarest = 117,
    ChanceLongestOverdue = 118,
    // Why the statistics have no draw (%1 the start, %2 the end or the newest draw).
    StartAfterEnd = 119,
    StartAfterNewest = 120,
    // The chart's legend: its colours, and what its caption's average is.
    LegendPrimes = 121,
    LegendOthers = 122,
    CrossSumExplained = 123,
    // Texts the program used to build in German: the update's end without a service, the host set from
    // outside, a refused link, the errors of commands and of the settings file.
    NoConnection = 124,
    ServiceUnreachable = 125, // %1 host, %2 error, %3 the caption of the tab with the hosts
    ProxyUnreachable = 126,   // %1 host, %2 port, %3 error, %4 the caption of the tab with the proxy
    SetFromOutside = 127,     // %1 the environment variable
    LinkRefused = 128,
    Loading = 129,
    NoAnswerFrom = 130,
    CannotRemove = 131,       // %1 the file
    CannotCreateFolder = 132, // %1 the folder
    SettingsAreAFolder = 133, // %1 the path
    SettingsUnreadable = 134, // %1 the path, %2 why
    SettingsKeptAside = 135,  // %1 the copy
    // What assistive technology reads where the window shows only a number or a fixed German hint.
    RowHits = 136, // %1 the row, %2 its hits
    DrawDateName = 137,
    DrawDateDescription = 138,
    StatisticsStartName = 139,
    StatisticsStartDescription = 140,
    NumberWeight = 141, // %1 the number, %2 its weight
    NumberInRow = 142,  // %1 the number
    ValueRange = 143,   // %1 lowest, %2 highest
    FilledByRow = 144,
    ScriptValue = 145, // %1 the parameter's name
};

// The numbered run-time texts (questions, messages, status texts, captions) that a language file can
// replace. Holds the German defaults until a message file is loaded.
class MessageTable {
public:
    // The entries every message file has; a file without the later ones keeps their German defaults.
    static constexpr int DefaultCount = 62;

    MessageTable();

    // Entry n; an index outside the table reads as an empty text.
    QString operator[](int n) const;
    QString operator[](Msg entry) const { return (*this)[static_cast<int>(entry)]; }
    QString text(int n) const { return (*this)[n]; }

    // Replaces the whole table by the lines of a message file; missing entries of the first DefaultCount
    // read as empty, missing later ones keep their German defaults.
    void replaceAll(const QStringList& lines);
    void resetToDefaults();

    qsizetype size() const { return m_texts.size(); }

    static const QStringList& germanDefaults();

private:
    QStringList m_texts;
};

} // namespace kugelo
