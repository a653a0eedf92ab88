#include "app/DatabasePage.h"

#include "app/PageControls.h"
#include "widgets/LabelsView.h"

#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

namespace kugelo {

DatabasePage::DatabasePage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet4"));
    const auto connectStatistic = [this](QPushButton* b, Statistic statistic) {
        connect(b, &QPushButton::clicked, this, [this, statistic] { Q_EMIT statisticRequested(statistic); });
    };
    auto* update =
        button(this, "BitBtn1", {8, 8, 180, 28}, QStringLiteral("&Datenbank aktualisieren"),
               QStringLiteral("aktualieren der Datenbank über Internet"), QStyle::SP_BrowserReload);
    connect(update, &QPushButton::clicked, this, &DatabasePage::updateRequested);
    m_stop = speedButton(this, "SpeedButton8", {194, 9, 26, 26}, {}, QStringLiteral("Stoppt das Einlesen"),
                         QStyle::SP_BrowserStop);
    m_stop->setVisible(false);
    connect(m_stop, &QToolButton::clicked, this, &DatabasePage::stopRequested);

    m_date = datePicker(this, "DateTimePicker1", {8, 48, 110, 24});
    connect(m_date, &QDateEdit::dateChanged, this, &DatabasePage::dateChanged);
    auto* select = speedButton(this, "SpeedButton5", {124, 47, 26, 26}, {},
                               QStringLiteral("Bewertung des Tipps für die Ziehung des gewählten Datums"),
                               QStyle::SP_DialogApplyButton);
    connect(select, &QToolButton::clicked, this, &DatabasePage::selectRequested);
    m_selectedDraw = label(this, "Label29", {158, 52, 358, 16}, {});
    QFont bold = m_selectedDraw->font();
    bold.setBold(true);
    m_selectedDraw->setFont(bold);

    auto* remove = button(this, "BitBtn6", {8, 84, 110, 28}, QStringLiteral("Löschen"),
                          QStringLiteral("Löschen der aktuell angezeigten Ziehung"), QStyle::SP_TrashIcon);
    connect(remove, &QPushButton::clicked, this, &DatabasePage::removeRequested);
    auto* enter =
        button(this, "BitBtn8", {124, 84, 110, 28}, QStringLiteral("Eingeben"),
               QStringLiteral("manuelle eingaben der Ziehungsdaten."), QStyle::SP_FileDialogNewFolder);
    connect(enter, &QPushButton::clicked, this, &DatabasePage::enterRequested);
    auto* import =
        button(this, "ImportButton", {240, 84, 150, 28}, QStringLiteral("CSV importieren…"),
               QStringLiteral("Ziehungen aus CSV-Archiven übernehmen (Archiv des Veranstalters oder "
                              "Datum,Zahlen,Chance,Joker)"),
               QStyle::SP_DialogOpenButton);
    connect(import, &QPushButton::clicked, this, &DatabasePage::importRequested);

    connectStatistic(button(this, "Button2", {8, 126, 92, 26}, QStringLiteral("Paare suchen"),
                            QStringLiteral("Erzeugen der Grafik für die Paarbildung der Zahlen")),
                     Statistic::Pairs);
    connectStatistic(
        button(this, "Button3", {104, 126, 92, 26}, QStringLiteral("Dreier suchen"),
               QStringLiteral("Erzeugen der Grafik für die Bildung von Dreiergruppen der Zahlen")),
        Statistic::Triples);
    connectStatistic(button(this, "Button4", {200, 126, 92, 26}, QStringLiteral("Vierer suchen"),
                            QStringLiteral("Erzeugen der Grafik für die Bildung von Viergruppen der Zahlen")),
                     Statistic::Quadruples);
    connectStatistic(button(this, "Button5", {296, 126, 92, 26}, QStringLiteral("Ausstehende"),
                            QStringLiteral("Erzeugt die Grafik für die Ausstehenden Zahlen")),
                     Statistic::Overdue);
    connectStatistic(button(this, "Button8", {392, 126, 124, 26}, QStringLiteral("Glanzball ausstehende"),
                            QStringLiteral("Welcher Glanzball ist am länsten überfällig")),
                     Statistic::ChanceOverdue);

    const QString analysisHint =
        QStringLiteral("Berechnung und Erfolg beginnend mit dem oben gewählten Datum");
    label(this, "Label73", {8, 170, 508, 16},
          QStringLiteral("Anhand der eingestellten Parameter werden Tipps berechnet und ausgewertet"));
    auto* parameters =
        button(this, "BitBtn9", {8, 188, 508, 28},
               QStringLiteral("Historische Analyse der Parameter beginnenden mit oben gewähltem Datum"),
               analysisHint);
    connect(parameters, &QPushButton::clicked, this, &DatabasePage::parameterAnalysisRequested);
    label(this, "Label74", {8, 230, 508, 16}, QStringLiteral("War eine Ziehung schonmal ein 4er oder 5er?"));
    auto* draws =
        button(this, "BitBtn19", {8, 248, 508, 28},
               QStringLiteral("Historische Analyse beginnend mit dem oben gewähltem Datum"), analysisHint);
    connect(draws, &QPushButton::clicked, this, &DatabasePage::drawAnalysisRequested);

    place<QPlainTextEdit>(this, "Memo1", {0, 0, 10, 10})->setVisible(false);
}

void DatabasePage::showSelectedDraw(const QString& text) {
    m_selectedDraw->setText(text);
}

QDate DatabasePage::showDate(QDate date) {
    const QSignalBlocker block(m_date);
    m_date->setDate(date);
    return m_date->date();
}

void DatabasePage::showStop(bool visible) {
    m_stop->setVisible(visible);
}

} // namespace kugelo
