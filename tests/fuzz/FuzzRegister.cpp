// Fuzz target: arbitrary bytes as "VersionReg.lst". Whatever was read must save and read back
// to the same entries.
#include "FuzzUpdateScratch.h"

#include "store/Clock.h"
#include "update/RegList.h"
#include "update/SoftwareList.h"

#include <cstdint>
#include <cstdlib>

using namespace nimbus::update;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string &folder = nimbus::fuzz::updateScratchFolder();
    nimbus::FixedClock clock;
    RegList reg(folder, clock);
    nimbus::fuzz::writeBytes(reg.registerPath, data, size);
    reg.Load(reg.registerPath, "L");
    Display(reg);
    if (!reg.Save())
        std::abort();
    RegList again(folder, clock);
    again.Load(again.registerPath, "L");
    if (again.entries.size() != reg.entries.size())
        std::abort();
    for (std::size_t i = 0; i < reg.entries.size(); ++i)
        if (!(*again.entries[i] == *reg.entries[i]))
            std::abort();
    return 0;
}
