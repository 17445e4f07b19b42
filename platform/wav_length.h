#pragma once
// Length of a WAV file in milliseconds, read from its header. Audio back ends
// report the end of a sound late or never, so the game computes the end of an
// ambience from its start time and this length.

#include <QByteArray>
#include <QString>
#include <optional>

namespace zm {

// The length of the sound of a WAV file, from the first bytes of the file and
// its size, or nothing when they are not those of a readable WAV file.
std::optional<qint64> wavLengthMs(const QByteArray& head, qint64 fileSize);
std::optional<qint64> wavFileLengthMs(const QString& path);

} // namespace zm
