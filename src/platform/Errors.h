#pragma once

#include <QString>
#include <stdexcept>

namespace kugelo {

// Base of the two failures that cross layers; the command layer shows what() in the general error report.
class KugeloError : public std::runtime_error {
public:
    explicit KugeloError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// A file operation failed (open, read, write, rename).
class IoError : public KugeloError {
public:
    using KugeloError::KugeloError;
};

// A folder that a file needs could not be created; the command layer says so in the user's language.
class FolderError : public IoError {
public:
    explicit FolderError(const QString& folder)
        : IoError(QStringLiteral("%1: the folder cannot be created").arg(folder)), m_folder(folder) {}
    const QString& folder() const { return m_folder; }

private:
    QString m_folder;
};

// A text was not a whole number where one was required.
class ConversionError : public KugeloError {
public:
    using KugeloError::KugeloError;
};

} // namespace kugelo
