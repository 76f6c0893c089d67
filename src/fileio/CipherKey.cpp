// The key of the enciphered container: the file's own name, completed by a fixed filler.
#include "fileio/OMFILE.h"

#include "fileio/FolderOps.h"

namespace nimbus::fileio {

// Fixed for good: every enciphered file ever written depends on these 29 characters.
const char *const kKeyFiller = "Nimbus#Desk!Keeps~Secrets*Ok.";

std::string cipherKeyFor(std::string_view path)
{
    const auto slash = path.rfind('/');
    std::string key(slash == std::string_view::npos ? path : path.substr(slash + 1));
    while (key.size() < kKeyLength)
        key += kKeyFiller;
    key.resize(kKeyLength);
    return key;
}

} // namespace nimbus::fileio
