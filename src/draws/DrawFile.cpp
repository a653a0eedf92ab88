#include "draws/DrawFile.h"

#include "platform/Errors.h"

#include <QFileInfo>

namespace kugelo {

DrawFile::DrawFile(QString path, const FileOpener& opener) : m_path(std::move(path)), m_opener(opener) {}

bool DrawFile::exists() const {
    return QFileInfo::exists(m_path);
}

void DrawFile::createIfMissing() const {
    if (exists()) return;
    writeTarget(m_path); // a link to nothing is an error, not a file to create through it
    finishWriting(*m_opener.open(m_path, QIODevice::WriteOnly), m_path);
}

QString DrawFile::removeTempPath() const {
    return QFileInfo(m_path).absolutePath() + QStringLiteral("/Zahlen.da~");
}

std::vector<DrawRecord> DrawFile::readAll() const {
    const QByteArray data = readFileAtMost(m_path, MaxBytes, m_opener);
    const qsizetype count = data.size() / DrawRecord::Size;
    std::vector<DrawRecord> records;
    records.reserve(static_cast<std::size_t>(count));
    for (qsizetype i = 0; i < count; ++i)
        records.push_back(DrawRecord::decode(data.constData() + i * DrawRecord::Size));
    return records;
}

std::vector<DrawRecord> DrawFile::readDraws() const {
    std::vector<DrawRecord> records = readAll();
    std::erase_if(records, [](const DrawRecord& r) { return r.isDamaged(); });
    return records;
}

bool DrawFile::lastRecord(DrawRecord& record) const {
    auto device = m_opener.open(m_path, QIODevice::ReadOnly);
    for (qint64 i = device->size() / DrawRecord::Size - 1; i >= 0; --i) {
        if (!device->seek(i * DrawRecord::Size))
            throw IoError(QStringLiteral("%1: %2").arg(m_path, device->errorString()));
        const QByteArray bytes = device->read(DrawRecord::Size);
        if (bytes.size() != DrawRecord::Size)
            throw IoError(QStringLiteral("%1: %2").arg(m_path, device->errorString()));
        record = DrawRecord::decode(bytes.constData());
        // A damaged date would restart the update at the first draw and append duplicates after it; a record
        // that holds no draw is none to start after.
        if (!record.isDamaged()) return true;
    }
    return false;
}

QByteArray encodeDrawRecords(const std::vector<DrawRecord>& records) {
    QByteArray data(static_cast<qsizetype>(records.size()) * DrawRecord::Size, Qt::Uninitialized);
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i].encode(data.data() + static_cast<qsizetype>(i) * DrawRecord::Size);
    return data;
}

void DrawFile::append(const std::vector<DrawRecord>& records) const {
    auto device = m_opener.open(m_path, QIODevice::ReadWrite);
    const qint64 wholeRecords = device->size() / DrawRecord::Size;
    const QByteArray data = encodeDrawRecords(records);
    if (!device->seek(wholeRecords * DrawRecord::Size))
        throw IoError(QStringLiteral("%1: %2").arg(m_path, device->errorString()));
    writeAll(*device, data, m_path);
    // The bytes may reach the disk only here: a full disk shows at the flush, not at the write.
    finishWriting(*device, m_path);
}

bool DrawFile::insertInDateOrder(const DrawRecord& record) const {
    std::vector<DrawRecord> out;
    bool placed = false;
    bool replaced = false;
    for (const DrawRecord& stored : readAll()) {
        if (!placed && stored.Datum >= record.Datum) {
            out.push_back(record);
            placed = true;
        }
        if (stored.Datum == record.Datum) {
            replaced = true;
            continue;
        }
        out.push_back(stored);
    }
    if (!placed) out.push_back(record);
    writeFileWhole(m_path, insertTempPath(), encodeDrawRecords(out), m_opener);
    return replaced;
}

int DrawFile::removeDate(double datum) const {
    std::vector<DrawRecord> kept;
    int removed = 0;
    for (const DrawRecord& stored : readAll()) {
        if (stored.Datum == datum)
            ++removed;
        else
            kept.push_back(stored);
    }
    writeFileWhole(m_path, removeTempPath(), encodeDrawRecords(kept), m_opener);
    return removed;
}

void DrawFile::replaceContents(const std::vector<DrawRecord>& records) const {
    writeFileWhole(m_path, insertTempPath(), encodeDrawRecords(records), m_opener);
}

QByteArray DrawFile::bytes() const {
    return exists() ? readFileAtMost(m_path, MaxBytes, m_opener) : QByteArray();
}

void DrawFile::restoreBytes(const QByteArray& bytes) const {
    writeFileWhole(m_path, insertTempPath(), bytes, m_opener);
}

DrawReader::DrawReader(const DrawFile& file) : m_path(file.path()) {
    const auto device = file.opener().open(file.path(), QIODevice::ReadOnly);
    if (device->size() > DrawFile::MaxBytes)
        throw IoError(fileTooLargeText(file.path(), device->size(), DrawFile::MaxBytes));
    m_count = device->size() / DrawRecord::Size;
    m_bytes = device->read(m_count * DrawRecord::Size);
    m_error = device->errorString();
}

DrawRecord DrawReader::next() {
    const qint64 offset = m_read * DrawRecord::Size;
    ++m_read;
    if (offset + DrawRecord::Size > m_bytes.size())
        throw IoError(QStringLiteral("%1: %2").arg(m_path, m_error));
    return DrawRecord::decode(m_bytes.constData() + offset);
}

} // namespace kugelo
