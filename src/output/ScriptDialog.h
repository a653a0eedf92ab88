#pragma once

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;

namespace kugelo {

class Dialogs;
struct ScriptDialogModel;

// The click-script dialog: the script path with the list of the script folder, the browse button and the
// four parameters. It shows a ScriptDialogModel and gives the user's changes back to it.
class TCSFForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int DesignClientWidth = 420;
    static constexpr int DesignClientHeight = 196;

    explicit TCSFForm(Dialogs& dialogs, QWidget* parent = nullptr);

    // Shows the model's values, runs the dialog and takes the values back; true when closed with OK.
    bool runModal(ScriptDialogModel& model);
    // The model's values in the controls, and back (runModal does both).
    void showModel(const ScriptDialogModel& model);
    void takeModel(ScriptDialogModel& model) const;

private:
    Dialogs& m_dialogs;
    ScriptDialogModel* m_model = nullptr; // while the dialog runs, for the browse button
    QComboBox* m_script = nullptr;        // LabeledEdit1
    // ZAHL1 (LabeledEdit2), ZAHL2 (LabeledEdit3), TEXT1 (LabeledEdit4), TEXT2 (LabeledEdit5)
    std::array<QLineEdit*, 4> m_parameters{};
};

} // namespace kugelo
