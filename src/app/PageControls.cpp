#include "app/PageControls.h"

#include "platform/DayNumber.h"
#include "widgets/DateFieldView.h"
#include "widgets/LabelsView.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QToolButton>
#include <QUrl>

namespace kugelo {

QLabel* label(QWidget* parent, const char* name, const QRect& geometry, const QString& text) {
    auto* l = place<QLabel>(parent, name, geometry);
    l->setText(text);
    return l;
}

QToolButton* speedButton(QWidget* parent, const char* name, const QRect& geometry, const QString& caption,
                         const QString& hint, QStyle::StandardPixmap icon) {
    auto* b = place<QToolButton>(parent, name, geometry);
    b->setText(caption);
    b->setToolTip(hint);
    b->setAutoRaise(false);
    if (icon != QStyle::SP_CustomBase) {
        b->setIcon(parent->style()->standardIcon(icon));
        b->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
    }
    return b;
}

QPushButton* button(QWidget* parent, const char* name, const QRect& geometry, const QString& caption,
                    const QString& hint, QStyle::StandardPixmap icon) {
    auto* b = place<QPushButton>(parent, name, geometry);
    b->setText(caption);
    b->setToolTip(hint);
    if (icon != QStyle::SP_CustomBase) b->setIcon(parent->style()->standardIcon(icon));
    return b;
}

QDateEdit* datePicker(QWidget* parent, const char* name, const QRect& geometry) {
    auto* d = place<DateFieldView>(parent, name, geometry);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    d->setMinimumDate(earliestDrawDate());
    d->setDate(earliestDrawDate());
    d->setToolTip(QStringLiteral(
        "Dieses Datum gilt als ENddatum für die Berechnung, Ziehungen danach werden nicht berücksichtigt"));
    return d;
}

QString spaced(const QString& text) {
    QStringList letters;
    for (QChar c : text)
        letters << QString(c);
    return letters.join(QLatin1Char(' '));
}

QString hostOnly(const QString& host) {
    const QUrl url(host);
    return url.host().isEmpty() ? host : url.host();
}

} // namespace kugelo
