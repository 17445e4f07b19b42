#include "platform/wav_length.h"

#include <QFile>

namespace zm {
namespace {

quint32 readLe32(const QByteArray& b, qsizetype at) {
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 |
           quint32(quint8(b[at + 2])) << 16 | quint32(quint8(b[at + 3])) << 24;
}

} // namespace

std::optional<qint64> wavLengthMs(const QByteArray& bytes, qint64 fileSize) {
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    quint32 byteRate = 0;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = readLe32(bytes, at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt " && size >= 16 && body + 16 <= bytes.size()) {
            byteRate = readLe32(bytes, body + 8);
        } else if (id == "data") {
            if (byteRate == 0)
                return std::nullopt;
            // A data chunk cut short by a damaged file still plays what it holds.
            const qint64 available = std::min<qint64>(size, fileSize - body);
            if (available <= 0)
                return qint64(0);
            return available * 1000 / byteRate;
        }
        at = body + qsizetype(size) + (size & 1);
    }
    return std::nullopt;
}

std::optional<qint64> wavFileLengthMs(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The chunks before the samples are small: the start of the file is enough.
    return wavLengthMs(file.read(4096), file.size());
}

} // namespace zm
