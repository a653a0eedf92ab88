#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <optional>
#include <utility>

class QFontMetrics;

namespace kugelo {

// Captions that read as a sentence around controls: each run of three or more blanks of the text is the
// place of one control (a spin in "Sum from [50] to [200] allowed"). However many blanks a language
// gives a run, it is painted at least as wide as its control with kGapMargin on either side, so the words
// after a control always come after it. The text itself (what a language file sets and the export and
// assistive technology read) keeps its blanks.
constexpr int kGapMargin = 1;

// The caption with room for controls of the given widths in its runs of blanks, in order: a run narrower
// than its control and the margins gets more blanks; a wider one, and runs without a width, stay as they are.
QString captionWithRoom(const QString& caption, const QFontMetrics& metrics, const QList<int>& widths);

// The horizontal span of the n-th run of blanks of a text, from where the text starts; nullopt when the
// text has no such run.
std::optional<std::pair<int, int>> blankRunSpan(const QString& text, const QFontMetrics& metrics, int n);

// The text a label or button paints: its caption, with the room its controls take for a caption with gaps.
QString paintedCaption(const QWidget* w);

// A check box whose caption holds controls in its runs of blanks.
class GapCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;
    // The controls in the runs of blanks, in the order of the runs.
    void setGapControls(const QList<QWidget*>& controls);
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<QPointer<QWidget>> m_controls;
};

// A one-line label whose caption holds controls in its runs of blanks.
class GapLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    void setGapControls(const QList<QWidget*>& controls);
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<QPointer<QWidget>> m_controls;
};

} // namespace kugelo
