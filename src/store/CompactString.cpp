// The compact string's block: made on assignment, freed when the text becomes empty.
#include "store/CompactString.h"

#include <limits>
#include <ostream>
#include <stdexcept>

namespace nimbus {

void CompactString::assign(std::string_view text)
{
    if (text.empty()) {
        release();
        return;
    }
    if (text.size() > std::numeric_limits<Length>::max())
        throw std::length_error("CompactString: text too long");
    const auto size = static_cast<Length>(text.size());
    // The new block is filled before the old one is freed: text may lie inside it.
    char *block = new char[sizeof(Length) + text.size() + 1];
    std::memcpy(block, &size, sizeof size);
    std::memcpy(block + sizeof(Length), text.data(), text.size());
    block[sizeof(Length) + text.size()] = '\0';
    release();
    block_ = block;
}

void CompactString::release() noexcept
{
    delete[] block_;
    block_ = nullptr;
}

std::string CompactString::concat(std::string_view a, std::string_view b)
{
    std::string joined;
    joined.reserve(a.size() + b.size());
    joined.append(a);
    joined.append(b);
    return joined;
}

std::ostream &operator<<(std::ostream &out, const CompactString &text)
{
    return out << text.view();
}

} // namespace nimbus
