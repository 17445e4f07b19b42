#include "platform/qt/audio_device.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <cstdio>

namespace zm {

QStringList audioModulePlaces(const QString& executableDir) {
    const QString name = QString::fromLatin1(kAudioModuleName);
    return {QDir::cleanPath(executableDir + QStringLiteral("/") + name),
            QDir::cleanPath(executableDir + QStringLiteral("/../lib/zibelou-malice/") + name)};
}

std::unique_ptr<AudioDevice> loadAudioDevice(const QString& executableDir) {
    const QStringList places = audioModulePlaces(executableDir);
    for (const QString& place : places) {
        if (!QFileInfo::exists(place))
            continue;
        // Never unloaded: the device's code lives in it.
        QLibrary module(place);
        auto create = reinterpret_cast<CreateAudioDevice>(module.resolve(kAudioModuleEntry));
        if (!create) {
            std::fprintf(stderr, "zibelou-malice: no sound, %s\n",
                         qPrintable(module.errorString()));
            return nullptr;
        }
        return std::unique_ptr<AudioDevice>(create());
    }
    std::fprintf(stderr, "zibelou-malice: no sound, the sound module is in neither %s\n",
                 qPrintable(places.join(QStringLiteral(" nor "))));
    return nullptr;
}

} // namespace zm
