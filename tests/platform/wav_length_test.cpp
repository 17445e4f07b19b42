#include "platform/wav_length.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace zm;

namespace {

QByteArray le32(quint32 v) {
    QByteArray b(4, 0);
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le16(quint16 v) {
    QByteArray b(2, 0);
    qToLittleEndian(v, b.data());
    return b;
}

// A PCM header, optionally with an extra chunk before the samples.
QByteArray wav(quint32 rate, quint16 channels, quint32 dataBytes, bool listChunk = false) {
    QByteArray fmt = le16(1) + le16(channels) + le32(rate) + le32(rate * channels * 2) +
                     le16(channels * 2) + le16(16);
    QByteArray body = "WAVE" + QByteArray("fmt ") + le32(16) + fmt;
    if (listChunk)
        body += QByteArray("LIST") + le32(5) + QByteArray("abcde") + QByteArray(1, 0);
    body += QByteArray("data") + le32(dataBytes);
    return "RIFF" + le32(quint32(body.size() + dataBytes)) + body;
}

} // namespace

TEST(WavLength, LengthComesFromTheHeader) {
    struct Case {
        const char* what;
        QByteArray head;
        qint64 fileSize;
        std::optional<qint64> ms;
    };
    const QByteArray oneSecond = wav(22050, 1, 44100);
    const QByteArray stereo = wav(44100, 2, 176400 / 2);
    const QByteArray withList = wav(22050, 1, 22050, true);
    const Case cases[] = {
        {"one second mono", oneSecond, oneSecond.size() + 44100, 1000},
        {"half a second stereo", stereo, stereo.size() + 88200, 500},
        {"an odd-sized chunk before the data", withList, withList.size() + 22050, 500},
        {"samples cut short by a damaged file", oneSecond, oneSecond.size() + 22050, 500},
        {"no samples at all", oneSecond, oneSecond.size(), 0},
        {"not a WAV file", QByteArray("ID3\x03 some mp3"), 100, std::nullopt},
        {"empty", QByteArray(), 0, std::nullopt},
        {"no format chunk", "RIFF" + le32(20) + "WAVE" + "data" + le32(8), 28, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(wavLengthMs(c.head, c.fileSize), c.ms);
    }
}

TEST(WavLength, AMissingFileHasNoLength) {
    EXPECT_EQ(wavFileLengthMs(QStringLiteral("/nonexistent/1.amb")), std::nullopt);
}
