// Fuzz target for the answers of CalDAV servers: the bytes go through the XML reader and the
// multistatus reader; every href read is also resolved and decoded as sync would.
#include <cstddef>
#include <cstdint>
#include <string>

#include "caldav/Multistatus.h"
#include "caldav/ServerAddress.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    const nimbus::caldav::Multistatus ms = nimbus::caldav::readMultistatus(bytes);
    for (const nimbus::caldav::DavResource &r : ms.resources) {
        const std::string url = nimbus::caldav::resolveHref("https://dav.example.org/cal/", r.href);
        (void)nimbus::caldav::encodePath(nimbus::caldav::normalPath(url));
    }
    return 0;
}
