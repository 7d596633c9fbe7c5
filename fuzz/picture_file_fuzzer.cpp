// libFuzzer target for reading pictures to copy from (ReadSourcePicture): each input is written to a
// file, since the reader takes a path, and read back.
#include <cstdio>
#include <cstdlib>

#include <unistd.h>

#include <QDir>
#include <QFile>

#include "fuzz/picture_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static const QString path =
        QDir::temp().filePath(QStringLiteral("pagewright-fuzz-picture-%1").arg(::getpid()));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
                static_cast<qint64>(size)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            std::abort();
        }
    }
    if (const char* fault = pw::fuzz::CheckPictureInput(path)) {
        std::fprintf(stderr, "%s\n", fault);
        std::abort();
    }
    return 0;
}
