#pragma once

#include "i18n/LanguageFiles.h"

#include <QPointer>
#include <vector>

class QObject;
class QTabWidget;
class QWidget;

namespace kugelo {

// A hint that names a configured address: the element's hint in the lists and language files is the
// template, with "%1" where the address goes; the control shows the template with the address filled in.
// A language file that gives the element its hint gives the template.
void setHintTemplate(QWidget* control, const QString& hintTemplate);
void setHintArgument(QWidget* control, const QString& argument);

// A fixed element that shows a configured text (an address) is listed with its design caption instead, so
// that what an export writes does not depend on the configuration.
void setListedCaption(QWidget* control, const QString& caption);

// The elements of the program's windows whose caption and hint a language file replaces: menu items,
// labels, panels, buttons, check boxes, radio buttons, tab sheets, radio groups, edit fields (their hint)
// and windows owned by a window (their title). The windows are walked in the order given, each one's
// elements in the order they were created; an element needs a name of its own. A widget with the property
// "tag" not 0 is fixed (exported, never changed); one with "untranslated" set is no element.
class WidgetTexts {
public:
    explicit WidgetTexts(std::vector<QWidget*> windows) : m_windows(std::move(windows)) {}

    // Walks the windows again; set() addresses the elements of the last walk.
    std::vector<TextElement> elements();
    void set(std::size_t element, const TextAssignment& texts);

    // The captions that do not fit their controls at the size these have now, one line each:
    // "window/name: caption (needs N px, has M px)", and the words of labels, check boxes and radio
    // buttons that reach past their parent's edge or that another control of the same parent lies over:
    // "window/name: caption ("words" beyond the edge of parent)", "window/name: caption ("words" under
    // name)", one line per control over them. Hidden controls and menus are left out; tab sheets count as
    // one row of tabs per tab widget.
    QStringList clippedTexts();

private:
    enum class Kind { MenuItem, Label, Panel, Button, GroupBox, EditField, TabSheet, Window };
    struct Handle {
        QPointer<QObject> object;
        Kind kind;
    };
    void walk(const QString& window, QObject* parent, std::vector<TextElement>& out);
    void add(const QString& window, QObject* object, Kind kind, std::vector<TextElement>& out);

    std::vector<QWidget*> m_windows;
    std::vector<Handle> m_handles;
};

} // namespace kugelo
