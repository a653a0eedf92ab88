#pragma once

#include <QString>
#include <QStringList>

namespace kugelo {

// The numbered run-time texts (questions, messages, status texts, captions) that a language file can
// replace. Holds the German defaults until a message file is loaded.
class MessageTable {
public:
    static constexpr int DefaultCount = 62;

    MessageTable();

    // Entry n; an index outside the table reads as an empty text.
    QString operator[](int n) const;
    QString text(int n) const { return (*this)[n]; }

    // Replaces the whole table by the lines of a message file; missing entries read as empty.
    void replaceAll(const QStringList& lines) { m_texts = lines; }
    void resetToDefaults();

    qsizetype size() const { return m_texts.size(); }

    static const QStringList& germanDefaults();

private:
    QStringList m_texts;
};

} // namespace kugelo
