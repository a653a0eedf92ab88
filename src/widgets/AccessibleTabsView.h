#pragma once

class QTabBar;

namespace kugelo {

// Makes assistive technology see the hidden tabs of a tab bar as what they are: invisible, and not to be
// pressed (Qt's own view of a tab bar shows every tab, hidden or not, and a press brings a hidden tab to
// the front); and the bar with the description it is given (Qt's own view has none). Call it once the
// tabs are hidden.
void hideHiddenTabsFromAssistiveTechnology(QTabBar* bar);

} // namespace kugelo
