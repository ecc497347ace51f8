// Reads the fixed file version out of arbitrary file contents. The reader
// works on files, so each input is written to a scratch file first.
#include "platform/VersionResource.h"

#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/pe-version-fuzz-" + std::to_string(::getpid()) + ".exe";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return 0;
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);
    (void)platform::GetFixedFileVersion(path);
    return 0;
}
