// libFuzzer entry point: see README.md.
#include "fuzz/cibles.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString probleme = zm::fuzz::essayerLecture2(bytes);
    if (!probleme.isEmpty()) {
        std::fprintf(stderr, "%s\n", probleme.toUtf8().constData());
        std::abort();
    }
    return 0;
}
