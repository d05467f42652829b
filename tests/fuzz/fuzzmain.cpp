// libFuzzer entry for one reader, chosen at build time by QV_FUZZ_TARGET.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QByteArray>

#include "fuzzreaders.h"

namespace {
FuzzReaders::Reader target = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzReaders::setUp();
    target = FuzzReaders::reader(QStringLiteral(QV_FUZZ_TARGET));
    if (!target)
        abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    target(QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size)));
    return 0;
}
