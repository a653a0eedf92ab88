#pragma once

#include "generator/NumberList.h"
#include "widgets/ScalerView.h"

#include <QDialog>
#include <QEvent>
#include <QSize>
#include <array>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QTimer;

namespace kugelo {

class Clock;
class Dialogs;
class RandomSource;

// The number list dialog: the 49 number boxes with their weights, the random draw of the row mode and
// the number list files. It shows the NumberList it owns and forwards the user's actions to it.
class TForm6 : public QDialog {
    Q_OBJECT
public:
    // How the dialog was closed: OK button, close box, "Abbrechen", "&Rechnen".
    enum Result { Ok, Cancel, Abort, Retry };

    static constexpr int DesignClientWidth = 338;
    static constexpr int DesignClientHeight = 262;

    TForm6(RandomSource& random, Dialogs& dialogs, const Clock& clock, QWidget* parent = nullptr);

    NumberList& list() { return m_list; }
    const NumberList& list() const { return m_list; }

    // Row mode: the random button BitBtn4 is shown and the compute button BitBtn3 hidden; pool mode the
    // reverse.
    void setRowMode(bool rowMode);
    bool rowMode() const;

    // Shows the list's boxes, weights (as tool tips), colours and captions again after a caller changed it.
    void showList();

    // The random button's caption now (a language was applied) is the one it shows whenever no random draw
    // runs.
    void takeRandomCaption();
    // What assistive technology reads, in the language shown: "%1" the number and "%2" its weight in the
    // pool mode (also the status panel's weight text), "%1" the number in the row mode.
    void setAccessibleTexts(const QString& weightText, const QString& rowText);

    // Shows the dialog modally and returns how it was closed; a running random draw stops.
    Result runModal();

    // Scales positions, sizes and font heights of the content and the window by factor (cumulative).
    void scaleBy(double factor);

    // Button handlers under their design names.
    void SpeedButton1Click(); // save the list
    void SpeedButton2Click(); // load the list
    void BitBtn4Click();      // random draw: start, fix the next position, stop
    void Timer1Timer();

    void done(int code) override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void finish(Result result);
    int boxNumber(QObject* object) const;
    // Panel 0 shows the list's status text; a number's weight text is read in the language shown.
    void showStatus();
    // Each box says what ticking it does, with its weight in the pool mode.
    void describeBoxes();
    // Focus and keys on box n: returns whether the key was taken.
    bool keyOnBox(int n, QEvent::Type type, QKeyEvent* key);

    RandomSource& m_random;
    Dialogs& m_dialogs;
    const Clock& m_clock;
    NumberList m_list;
    Result m_result = Cancel;

    std::array<QCheckBox*, NumberList::BoxCount + 1> m_boxes{}; // index 0 unused
    QPushButton* m_ok = nullptr;                                // BitBtn1
    QPushButton* m_abort = nullptr;                             // BitBtn2
    QPushButton* m_compute = nullptr;                           // BitBtn3
    QPushButton* m_randomButton = nullptr;                      // BitBtn4
    QLabel* m_panel0 = nullptr;
    QString m_idleRandomCaption = QStringLiteral("&Zufall");
    QString m_weightText = QStringLiteral("Die Zahl %1 geht mit der Gewichtung %2 in die Berechnung ein");
    QString m_rowText = QStringLiteral("Ankreuzen nimmt die Zahl %1 in den Tipp");
    QTimer* m_timer = nullptr;
    ContentScaler m_scaler;
};

} // namespace kugelo
