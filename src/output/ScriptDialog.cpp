#include "output/ScriptDialog.h"

#include "output/ClickScript.h"
#include "widgets/LabelsView.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace kugelo {

TCSFForm::TCSFForm(Dialogs& dialogs, QWidget* parent) : QDialog(parent), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("CSFForm"));
    setWindowTitle(QStringLiteral("Script für Zahlenübergabe auswählen!"));
    setModal(true);
    setFixedSize(DesignClientWidth, DesignClientHeight);

    auto* scriptCaption = place<QLabel>(this, "Label1", {8, 8, 300, 16});
    scriptCaption->setText(QStringLiteral("Velmars Click-Script File"));
    m_script = place<QComboBox>(this, "LabeledEdit1", {8, 28, 366, 24});
    scriptCaption->setBuddy(m_script); // which names it
    m_script->setEditable(true);
    m_script->setInsertPolicy(QComboBox::NoInsert);
    auto* browse = place<QPushButton>(this, "BitBtn1", {380, 27, 32, 26});
    browse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    browse->setToolTip(QStringLiteral("Click-Script auswählen"));
    connect(browse, &QPushButton::clicked, this, [this] {
        if (!m_model) return;
        takeModel(*m_model);
        m_model->browse(m_dialogs);
        m_script->setEditText(m_model->choice.script);
    });

    place<QLabel>(this, "Label2", {8, 62, 200, 16})->setText(QStringLiteral("Parameter "));
    // Label, design name and place of each parameter field, in the order of m_parameters.
    struct Field {
        const char* caption;
        const char* name;
        QRect geometry;
    };
    static const Field kFields[] = {{"ZAHL1", "LabeledEdit2", {8, 98, 96, 24}},
                                    {"ZAHL2", "LabeledEdit3", {112, 98, 96, 24}},
                                    {"TEXT1", "LabeledEdit4", {216, 98, 96, 24}},
                                    {"TEXT2", "LabeledEdit5", {320, 98, 92, 24}}};
    for (std::size_t i = 0; i < m_parameters.size(); ++i) {
        const Field& f = kFields[i];
        auto* caption = place<QLabel>(this, QLatin1String(f.name) + QStringLiteral("Label"),
                                      f.geometry.translated(0, -18).adjusted(0, 0, 0, -8));
        caption->setText(QLatin1String(f.caption));
        caption->setProperty("untranslated", true); // the parameter names are the script's words
        m_parameters[i] = place<QLineEdit>(this, f.name, f.geometry);
        caption->setBuddy(m_parameters[i]);
    }

    auto* ok =
        place<QPushButton>(this, "BitBtn2", {DesignClientWidth - 196, DesignClientHeight - 40, 88, 28});
    ok->setText(QStringLiteral("OK"));
    ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    ok->setDefault(true);
    auto* cancel =
        place<QPushButton>(this, "BitBtn3", {DesignClientWidth - 100, DesignClientHeight - 40, 92, 28});
    cancel->setText(QStringLiteral("Abbrechen"));
    cancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TCSFForm::showModel(const ScriptDialogModel& model) {
    m_script->clear();
    m_script->addItems(model.scripts);
    m_script->setEditText(model.choice.script);
    const QString values[] = {model.choice.zahl1, model.choice.zahl2, model.choice.text1, model.choice.text2};
    for (std::size_t i = 0; i < m_parameters.size(); ++i)
        m_parameters[i]->setText(values[i]);
}

void TCSFForm::takeModel(ScriptDialogModel& model) const {
    model.choice.script = m_script->currentText();
    model.choice.zahl1 = m_parameters[0]->text();
    model.choice.zahl2 = m_parameters[1]->text();
    model.choice.text1 = m_parameters[2]->text();
    model.choice.text2 = m_parameters[3]->text();
}

bool TCSFForm::runModal(ScriptDialogModel& model) {
    showModel(model);
    m_model = &model;
    const bool ok = exec() == QDialog::Accepted;
    m_model = nullptr;
    takeModel(model);
    return ok;
}

} // namespace kugelo
