#pragma once

#include <QWidget>

namespace kugelo {

// The tab "Zahlen der letzten Ziehung" (TabSheet2), never shown: it holds the German message texts (Memo2)
// and a second update button (Button1), greyed with the others.
class LastDrawPage : public QWidget {
    Q_OBJECT
public:
    explicit LastDrawPage(QWidget* parent = nullptr);
};

} // namespace kugelo
