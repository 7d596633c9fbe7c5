// libFuzzer target for reading language files (TFormList::LoadFromBytes, behind LoadFromFile).
#include <cstdio>
#include <cstdlib>

#include "fuzz/language_file_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const char* fault = pw::fuzz::CheckLanguageFileInput(bytes)) {
        std::fprintf(stderr, "%s\n", fault);
        std::abort();
    }
    return 0;
}
