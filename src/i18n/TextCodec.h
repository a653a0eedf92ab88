#pragma once

#include <QByteArrayView>
#include <QString>

namespace kugelo {

// Decodes a text file: by its byte-order mark (UTF-16 LE/BE, UTF-8), else as UTF-8 when the bytes are
// valid UTF-8, else as Windows-1252, so that files made on Windows load too.
QString decodeText(QByteArrayView bytes);

} // namespace kugelo
