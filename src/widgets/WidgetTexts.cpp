#include "widgets/WidgetTexts.h"

#include "widgets/CaptionGapsView.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextLayout>

#include <algorithm>
#include <stdexcept>

namespace kugelo {

namespace {

bool hasOwnName(const QObject* object) {
    const QString name = object->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

// The tab widget a tab sheet belongs to, and the sheet's index there; nullptr for any other widget.
QTabWidget* tabsOf(const QWidget* page, int& index) {
    auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    index = tabs ? tabs->indexOf(const_cast<QWidget*>(page)) : -1;
    return index >= 0 ? tabs : nullptr;
}

// The children in the order they were created. A stacked widget raises the page it shows, which moves it
// to the end of its children: its pages come in their own order instead, so the walk does not depend on
// the tab in front.
QObjectList orderedChildren(QObject* parent) {
    auto* stack = qobject_cast<QStackedWidget*>(parent);
    if (!stack) return parent->children();
    QObjectList ordered;
    for (int i = 0; i < stack->count(); ++i)
        ordered << stack->widget(i);
    for (QObject* child : parent->children())
        if (!ordered.contains(child)) ordered << child;
    return ordered;
}

// A caption as painted with its accelerator marks: "&&" shows as "&", a single "&" not at all.
QString withoutMnemonics(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size()) ++i;
        shown += text.at(i);
    }
    return shown;
}

struct PaintedWord {
    QString word;
    QRectF rect;
};

// The words of a text as it is painted into room: on one line (or at its own line breaks), or wrapped at
// the width of room, each line aligned in room.
std::vector<PaintedWord> wordsIn(const QString& text, const QFont& font, const QRect& room,
                                 Qt::Alignment align, bool wrap) {
    QString shown = text;
    shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(shown, font);
    QTextOption option;
    option.setWrapMode(wrap ? QTextOption::WordWrap : QTextOption::ManualWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(wrap ? room.width() : 1e6);
        line.setPosition({0, height});
        height += line.height();
    }
    layout.endLayout();
    qreal top = 0;
    if (align & Qt::AlignBottom)
        top = room.height() - height;
    else if (align & Qt::AlignVCenter)
        top = (room.height() - height) / 2;
    std::vector<PaintedWord> words;
    static const QRegularExpression word(QStringLiteral("\\S+"));
    for (auto it = word.globalMatch(shown); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QTextLine line = layout.lineForTextPosition(int(m.capturedStart()));
        if (!line.isValid()) continue;
        qreal left = 0;
        if (align & Qt::AlignRight)
            left = room.width() - line.naturalTextWidth();
        else if (align & Qt::AlignHCenter)
            left = (room.width() - line.naturalTextWidth()) / 2;
        const qreal from = line.cursorToX(int(m.capturedStart()));
        const qreal to = line.cursorToX(int(m.capturedEnd()));
        words.push_back({m.captured(), QRectF(room.x() + left + from, room.y() + top + line.y(), to - from,
                                              line.height())});
    }
    return words;
}

// The words a label, check box or radio button paints, in its own coordinates; none for other controls
// and rich text.
std::vector<PaintedWord> paintedWords(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty() || label->textFormat() == Qt::RichText) return {};
        // Where a label paints its text: its contents less the margin and, on the aligned side, the indent.
        QRect room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(),
                                                    -label->margin());
        const Qt::Alignment align = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
        int indent = label->indent();
        if (indent < 0 && label->frameWidth() > 0)
            indent = label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2;
        if (indent > 0) {
            if (align & Qt::AlignLeft) room.setLeft(room.left() + indent);
            if (align & Qt::AlignRight) room.setRight(room.right() - indent);
            if (align & Qt::AlignTop) room.setTop(room.top() + indent);
            if (align & Qt::AlignBottom) room.setBottom(room.bottom() - indent);
        }
        const QString text = label->buddy() ? withoutMnemonics(paintedCaption(label)) : paintedCaption(label);
        return wordsIn(text, label->font(), room, align, label->wordWrap());
    }
    const auto* button = qobject_cast<const QAbstractButton*>(w);
    const bool radio = qobject_cast<const QRadioButton*>(w) != nullptr;
    if (!button || button->text().isEmpty() || !(radio || qobject_cast<const QCheckBox*>(w))) return {};
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    QRect room = button->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, button);
    if (!button->icon().isNull()) room.setLeft(room.left() + button->iconSize().width() + 4);
    return wordsIn(withoutMnemonics(paintedCaption(button)), button->font(), room,
                   QStyle::visualAlignment(button->layoutDirection(), Qt::AlignLeft | Qt::AlignVCenter),
                   false);
}

// The words of a caption that reach past the parent's edge, and those that another control of the same
// parent lies over, one line per control.
QStringList wordsOutOfView(const QWidget* w) {
    const QWidget* parent = w->parentWidget();
    if (!parent) return {};
    QStringList covered;
    const std::vector<PaintedWord> words = paintedWords(w);
    if (words.empty()) return {};
    // A word that reaches past the parent's edge is cut there.
    QStringList beyond;
    const QRectF room = QRectF(parent->rect()).translated(-w->pos());
    for (const PaintedWord& word : words)
        if (!room.contains(word.rect.adjusted(0.5, 0, -0.5, 0))) beyond << word.word;
    if (!beyond.isEmpty())
        covered << QStringLiteral("\"%1\" beyond the edge of %2")
                       .arg(beyond.join(QLatin1Char(' ')),
                            parent->objectName().isEmpty()
                                ? QString::fromLatin1(parent->metaObject()->className())
                                : parent->objectName());
    for (const QObject* child : parent->children()) {
        const auto* other = qobject_cast<const QWidget*>(child);
        if (!other || other == w || other->isWindow() || other->isHidden()) continue;
        const QRectF over = QRectF(other->geometry()).translated(-w->pos());
        QStringList under;
        for (const PaintedWord& word : words)
            // Antialiasing lets a glyph's edge reach half a pixel beyond its advance.
            if (word.rect.adjusted(0.5, 0, -0.5, 0).intersects(over)) under << word.word;
        if (!under.isEmpty())
            covered << QStringLiteral("\"%1\" under %2")
                           .arg(under.join(QLatin1Char(' ')),
                                other->objectName().isEmpty()
                                    ? QString::fromLatin1(other->metaObject()->className())
                                    : other->objectName());
    }
    return covered;
}

const char* const kHintTemplate = "hintTemplate";
const char* const kHintArgument = "hintArgument";
const char* const kListedCaption = "listedCaption";

void showHintTemplate(QWidget* control) {
    control->setToolTip(control->property(kHintTemplate)
                            .toString()
                            .replace(QLatin1String("%1"), control->property(kHintArgument).toString()));
}

// The hint of a widget as the lists hold it.
QString listedHint(const QWidget* w) {
    const QVariant hintTemplate = w->property(kHintTemplate);
    return hintTemplate.isValid() ? hintTemplate.toString() : w->toolTip();
}

} // namespace

void setHintTemplate(QWidget* control, const QString& hintTemplate) {
    control->setProperty(kHintTemplate, hintTemplate);
    showHintTemplate(control);
}

void setHintArgument(QWidget* control, const QString& argument) {
    control->setProperty(kHintArgument, argument);
    if (control->property(kHintTemplate).isValid()) showHintTemplate(control);
}

void setListedCaption(QWidget* control, const QString& caption) {
    control->setProperty(kListedCaption, caption);
}

std::vector<TextElement> WidgetTexts::elements() {
    m_handles.clear();
    std::vector<TextElement> out;
    for (QWidget* window : m_windows)
        if (window) walk(window->objectName(), window, out);
    return out;
}

void WidgetTexts::walk(const QString& window, QObject* parent, std::vector<TextElement>& out) {
    for (QObject* child : orderedChildren(parent)) {
        if (child->property("untranslated").toBool()) continue;
        if (qobject_cast<QAction*>(child)) {
            if (hasOwnName(child)) add(window, child, Kind::MenuItem, out);
            continue;
        }
        auto* w = qobject_cast<QWidget*>(child);
        if (!w) continue;
        if (qobject_cast<QMenu*>(w)) { // a menu: its own item lives in it
            walk(window, w, out);
            continue;
        }
        if (w->isWindow()) { // a window of its own, walked as such; here only its title
            if (hasOwnName(w)) add(window, w, Kind::Window, out);
            continue;
        }
        // Composite controls whose inner parts are no elements of the design.
        if (qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractScrollArea*>(w) ||
            qobject_cast<QTabBar*>(w) || qobject_cast<QStatusBar*>(w))
            continue;
        const bool named = hasOwnName(w);
        int tab = -1;
        if (qobject_cast<QLabel*>(w)) {
            if (named) add(window, w, Kind::Label, out);
            continue;
        }
        if (qobject_cast<QAbstractButton*>(w)) {
            if (named) add(window, w, Kind::Button, out);
            continue;
        }
        if (qobject_cast<QLineEdit*>(w)) {
            if (named) add(window, w, Kind::EditField, out);
            continue;
        }
        if (qobject_cast<QGroupBox*>(w)) {
            if (named) add(window, w, Kind::GroupBox, out);
        } else if (named && tabsOf(w, tab)) {
            add(window, w, Kind::TabSheet, out);
        } else if (named && qobject_cast<QFrame*>(w) && !qobject_cast<QStackedWidget*>(w)) {
            add(window, w, Kind::Panel, out);
        }
        walk(window, w, out);
    }
}

void WidgetTexts::add(const QString& window, QObject* object, Kind kind, std::vector<TextElement>& out) {
    TextElement e;
    e.window = window;
    e.name = object->objectName();
    e.fixed = object->property("tag").toInt() != 0;
    auto* w = qobject_cast<QWidget*>(object);
    int tab = -1;
    switch (kind) {
    case Kind::MenuItem: {
        auto* action = static_cast<QAction*>(object);
        e.caption = action->isSeparator() ? QStringLiteral("-") : action->text();
        e.hint = action->statusTip();
        e.menuItem = true;
        break;
    }
    case Kind::Label:
        e.caption = static_cast<QLabel*>(object)->text();
        e.hint = listedHint(w);
        break;
    case Kind::Button:
        e.caption = static_cast<QAbstractButton*>(object)->text();
        e.hint = listedHint(w);
        break;
    case Kind::GroupBox:
        e.caption = static_cast<QGroupBox*>(object)->title();
        e.hint = listedHint(w);
        break;
    case Kind::EditField:
        e.hint = listedHint(w);
        e.editField = true;
        break;
    case Kind::TabSheet: {
        QTabWidget* tabs = tabsOf(w, tab);
        e.caption = tabs->tabText(tab);
        e.hint = tabs->tabToolTip(tab);
        break;
    }
    case Kind::Panel:
        e.hint = listedHint(w);
        break;
    case Kind::Window:
        e.caption = w->windowTitle();
        e.hint = listedHint(w);
        break;
    }
    if (w && w->property(kListedCaption).isValid()) e.caption = w->property(kListedCaption).toString();
    out.push_back(e);
    m_handles.push_back({object, kind});
}

QStringList WidgetTexts::clippedTexts() {
    QStringList clipped;
    const std::vector<TextElement> walked = elements();
    const auto report = [&](std::size_t k, const QString& text, int needs, int has) {
        if (needs <= has) return;
        clipped << QStringLiteral("%1/%2: %3 (needs %4 px, has %5 px)")
                       .arg(walked[k].window, walked[k].name, text)
                       .arg(needs)
                       .arg(has);
    };
    std::vector<QTabWidget*> tabWidgets;
    for (std::size_t k = 0; k < m_handles.size(); ++k) {
        auto* w = qobject_cast<QWidget*>(m_handles[k].object.data());
        // Fixed elements keep the texts they were built with.
        if (!w || w->isHidden() || w->property("tag").toInt() != 0) continue;
        if (m_handles[k].kind == Kind::Label || m_handles[k].kind == Kind::Button) {
            const QString caption = m_handles[k].kind == Kind::Label
                                        ? static_cast<QLabel*>(w)->text()
                                        : static_cast<QAbstractButton*>(w)->text();
            for (const QString& covered : wordsOutOfView(w))
                clipped << QStringLiteral("%1/%2: %3 (%4)")
                               .arg(walked[k].window, walked[k].name, caption, covered);
        }
        switch (m_handles[k].kind) {
        case Kind::Label: {
            auto* label = static_cast<QLabel*>(w);
            if (label->text().isEmpty() || label->textFormat() == Qt::RichText) break;
            const QRect room = label->contentsRect();
            if (label->wordWrap()) {
                report(k, label->text(), label->heightForWidth(label->width()), label->height());
            } else {
                const QString shown = paintedCaption(label).remove(QLatin1Char('&'));
                report(k, label->text(),
                       label->fontMetrics().horizontalAdvance(shown) + 2 * label->indent() + 1, room.width());
            }
            break;
        }
        case Kind::Button: {
            // The text and what stands beside it (icon, check indicator) against the room inside the frame.
            auto* button = static_cast<QAbstractButton*>(w);
            if (button->text().isEmpty()) break;
            const QStyle* style = button->style();
            int needs =
                button->fontMetrics().horizontalAdvance(paintedCaption(button).remove(QLatin1Char('&')));
            if (!button->icon().isNull()) needs += button->iconSize().width() + 4;
            if (qobject_cast<QCheckBox*>(button))
                needs += style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, button) +
                         style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, button);
            else if (qobject_cast<QRadioButton*>(button))
                needs += style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button) +
                         style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button);
            else
                needs += 4; // the frame, a pixel of room on each side
            report(k, button->text(), needs, button->width());
            break;
        }
        case Kind::GroupBox: {
            auto* box = static_cast<QGroupBox*>(w);
            report(k, box->title(), box->fontMetrics().horizontalAdvance(box->title()) + 16, box->width());
            break;
        }
        case Kind::TabSheet: {
            int tab = -1;
            QTabWidget* tabs = tabsOf(w, tab);
            if (tabs && std::find(tabWidgets.begin(), tabWidgets.end(), tabs) == tabWidgets.end()) {
                tabWidgets.push_back(tabs);
                // The tab bar's size hint holds every tab at its full width.
                report(k, tabs->tabText(tab), tabs->tabBar()->sizeHint().width(), tabs->width());
            }
            break;
        }
        case Kind::MenuItem:
        case Kind::Panel:
        case Kind::EditField:
        case Kind::Window:
            break;
        }
    }
    return clipped;
}

void WidgetTexts::set(std::size_t element, const TextAssignment& texts) {
    if (element >= m_handles.size() || !m_handles[element].object)
        throw std::runtime_error("the element is gone");
    QObject* object = m_handles[element].object;
    auto* w = qobject_cast<QWidget*>(object);
    if (texts.describeOnly) {
        if (w) w->setAccessibleDescription(texts.hint);
        return;
    }
    int tab = -1;
    switch (m_handles[element].kind) {
    case Kind::MenuItem: {
        auto* action = static_cast<QAction*>(object);
        if (!action->isSeparator() && texts.setCaption) action->setText(texts.caption);
        action->setStatusTip(texts.hint);
        return;
    }
    case Kind::Label:
        if (texts.setCaption) static_cast<QLabel*>(object)->setText(texts.caption);
        break;
    case Kind::Button:
        if (texts.setCaption) static_cast<QAbstractButton*>(object)->setText(texts.caption);
        break;
    case Kind::GroupBox:
        if (texts.setCaption) static_cast<QGroupBox*>(object)->setTitle(texts.caption);
        break;
    case Kind::EditField:
    case Kind::Panel:
        break;
    case Kind::TabSheet: {
        QTabWidget* tabs = tabsOf(w, tab);
        if (!tabs) throw std::runtime_error("the tab sheet has left its tabs");
        if (texts.setCaption) tabs->setTabText(tab, texts.caption);
        tabs->setTabToolTip(tab, texts.hint);
        return;
    }
    case Kind::Window:
        if (texts.setCaption) w->setWindowTitle(texts.caption);
        break;
    }
    if (w->property(kHintTemplate).isValid())
        setHintTemplate(w, texts.hint);
    else
        w->setToolTip(texts.hint);
}

} // namespace kugelo
