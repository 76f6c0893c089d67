// The compact string's block: made on assignment, freed when the text becomes empty; short
// texts take theirs from the pool.
#include "store/CompactString.h"

#include <limits>
#include <ostream>
#include <stdexcept>

#include "store/CompactStringPool.h"

namespace nimbus {

namespace {

bool pooled(std::size_t bytes)
{
    return bytes <= compact::kLargestBlock;
}

// Whether a block made for `had` bytes has room for `needs`, exactly as a new one would.
bool sameRoom(std::size_t had, std::size_t needs)
{
    if (pooled(had) && pooled(needs))
        return compact::pooledSize(had) == compact::pooledSize(needs);
    return had == needs;
}

char *newBlock(std::size_t bytes)
{
    return pooled(bytes) ? compact::takeBlock(bytes) : new char[bytes];
}

void deleteBlock(char *block, std::size_t bytes) noexcept
{
    if (pooled(bytes))
        compact::returnBlock(block, bytes);
    else
        delete[] block;
}

} // namespace

void CompactString::assign(std::string_view text)
{
    if (text.empty()) {
        clear();
        return;
    }
    if (text.size() > std::numeric_limits<Length>::max())
        throw std::length_error("CompactString: text too long");
    const auto size = static_cast<Length>(text.size());
    const std::size_t bytes = blockBytes(text.size());
    if (block_ && sameRoom(blockBytes(storedSize()), bytes)) {
        // The block has the room: the text replaces the old one in place (memmove, since
        // text may be a part of it).
        std::memmove(block_ + sizeof(Length), text.data(), text.size());
        std::memcpy(block_, &size, sizeof size);
        block_[bytes - 1] = '\0';
        return;
    }
    // The new block is filled before the old one is freed: text may lie inside it.
    char *block = newBlock(bytes);
    std::memcpy(block, &size, sizeof size);
    std::memcpy(block + sizeof(Length), text.data(), text.size());
    block[bytes - 1] = '\0';
    if (block_)
        release();
    block_ = block;
}

void CompactString::release() noexcept
{
    deleteBlock(block_, blockBytes(storedSize()));
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
