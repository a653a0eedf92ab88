#pragma once

#include <QStringList>
#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace kugelo {

class Endpoints;
struct WindowValues;

// The "Internet-Optionen" tab (TabSheet3): the proxy, the vendor's hosts, the web links and the values
// kept in the settings that no command shows.
class InternetPage : public QWidget {
    Q_OBJECT
public:
    InternetPage(const WindowValues& values, const Endpoints& endpoints, QWidget* parent = nullptr);

    // Shows the stored values of the page in their controls, and takes them back; a host is taken only
    // where no environment variable sets it, and the built-in host is taken as none.
    void showValues(const WindowValues& values);
    void takeValues(WindowValues& values, const Endpoints& builtIn) const;
    // The texts of the host fields that name no http or https host (takeValues leaves them out).
    QStringList refusedHosts() const;
    // Shows the hosts in use: greyed where an environment variable sets them, with a tool tip that says
    // so (setFromOutside, "%1" for the variable), and the links.
    void showEndpoints(const Endpoints& endpoints, const QString& setFromOutside);

Q_SIGNALS:
    // The update reads the proxy before every request: every change is reported.
    void proxyHostChanged(const QString& text);
    void proxyPortChanged(const QString& text);
    // The user finished editing a host field.
    void hostEdited();
    void linkClicked(const QString& address);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Each field is described, and a host field also shows as its placeholder, by the hint of its label,
    // in the language shown; a host set from outside adds why it is greyed.
    struct Described {
        QLabel* label;
        QLineEdit* field;
        bool placeholder;
    };
    void describeFields();

    std::array<Described, 5> m_described{};
    QLineEdit* m_proxyHost = nullptr;       // ProxyHostEdit
    QLineEdit* m_proxyPort = nullptr;       // ProxyPortEdit
    std::array<QLineEdit*, 3> m_hosts{};    // ProductHostEdit, CompanyHostEdit, ResultsHostEdit
    QLabel* m_productPage = nullptr;        // Label52
    QLabel* m_resultsPage = nullptr;        // Label54
    QLineEdit* m_oneDrawFee = nullptr;      // Edit81
    QLineEdit* m_twoDrawsFee = nullptr;     // Edit82
    QCheckBox* m_linkPage = nullptr;        // CheckBox21
    QLineEdit* m_linkPageAddress = nullptr; // URLEdit
};

} // namespace kugelo
