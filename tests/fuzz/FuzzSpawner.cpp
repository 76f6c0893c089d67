// Fuzz target for the Spawner's command line: the bytes are split into arguments at zero bytes
// (as the install script could hand over any text) and read into run settings.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "SpawnerArguments.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    std::vector<std::string> arguments;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
        if (i == bytes.size() || bytes[i] == '\0') {
            arguments.emplace_back(bytes.substr(start, i - start));
            start = i + 1;
        }
    }
    const spawner::RunSettings settings = spawner::SpawnerArguments::parse(arguments);
    // The settings only ever hold the four screen modes, and a command is never longer than
    // the argument it came from.
    if (std::string_view("MFHN").find(settings.screenMode) == std::string_view::npos)
        std::abort();
    if (settings.command.size() > size)
        std::abort();
    if (!settings.error.empty() && settings.error.rfind("*** ", 0) != 0)
        std::abort();
    return 0;
}
