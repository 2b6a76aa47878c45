// libFuzzer target: decoding and checking a state document, and writing it back.
// Built by this folder's own CMake project (clang only); see the README.

#include "fuzz/state_properties.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const StateProperties::Outcome outcome = StateProperties::check(bytes);
    if (!outcome.failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", outcome.failure.toUtf8().constData());
        std::abort();
    }
    return 0;
}
