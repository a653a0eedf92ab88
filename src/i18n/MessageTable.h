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
    // Texts the program used to build in German: the update's end without a service, the host set from
    // outside, a refused link, the errors of commands and of the settings file.
    NoConnection = 96,
    ServiceUnreachable = 97, // %1 host, %2 error, %3 the caption of the tab with the hosts
    ProxyUnreachable = 98,   // %1 host, %2 port, %3 error, %4 the caption of the tab with the proxy
    SetFromOutside = 99,     // %1 the environment variable
    LinkRefused = 100,
    Loading = 101,
    NoAnswerFrom = 102,
    CannotRemove = 103,       // %1 the file
    CannotCreateFolder = 104, // %1 the folder
    SettingsAreAFolder = 105, // %1 the path
    SettingsUnreadable = 106, // %1 the path, %2 why
    SettingsKeptAside = 107,  // %1 the copy
    // What assistive technology reads where the window shows only a number or a fixed German hint.
    RowHits = 108, // %1 the row, %2 its hits
    DrawDateName = 109,
    DrawDateDescription = 110,
    StatisticsStartName = 111,
    StatisticsStartDescription = 112,
    NumberWeight = 113, // %1 the number, %2 its weight
    NumberInRow = 114,  // %1 the number
    ValueRange = 115,   // %1 lowest, %2 highest
    FilledByRow = 116,
    ScriptValue = 117, // %1 the parameter's name
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
