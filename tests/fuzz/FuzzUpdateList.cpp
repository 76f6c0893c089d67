// Fuzz target: arbitrary bytes as a downloaded update list, and its version as a number.
#include "FuzzUpdateScratch.h"

#include "update/RegUpdate.h"
#include "update/VersionNumber.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace nimbus::update;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string path = nimbus::fuzz::updateScratchFolder() + "updatelist.txt";
    nimbus::fuzz::writeBytes(path, data, size);
    RegUpdate update;
    update.read(path);
    if (VersionNumber(update.version) < 0)
        std::abort();
    if (VersionNumber(std::string_view(reinterpret_cast<const char *>(data), size)) < 0)
        std::abort();
    return 0;
}
