// A string that costs one pointer while it is empty, for the node's fields that most topics
// leave empty or rarely read (stamps, origins, the last completion). A std::string is 32
// bytes even when empty; at 100,000 topics ten such fields were 30 MiB of nothing.
//
// The text lives in one block (its length, its bytes, a NUL), made when a value is assigned
// and freed when the string becomes empty again, so empty() is "no block". Blocks of the
// short texts the fields hold (dates, times, stamps, names) come from a pool of small blocks
// (CompactStringPool.h); a new value of the same block size reuses the block in place. The class
// offers the part of std::string's face the fields are used with: assignment from any text,
// comparison with any text, empty(), size(), c_str(), substr(), find(), indexing, "+" and
// conversion to std::string_view and std::string. What needs a std::string& (an in-place edit)
// takes a copy and assigns it back.
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>

namespace nimbus {

class CompactString {
public:
    using size_type = std::size_t;
    static constexpr size_type npos = std::string::npos;

    CompactString() noexcept = default;
    explicit CompactString(std::string_view text) { assign(text); }
    CompactString(const CompactString &other) { assign(other.view()); }
    CompactString(CompactString &&other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
    ~CompactString()
    {
        if (block_)
            release();
    }

    CompactString &operator=(const CompactString &other)
    {
        if (this != &other)
            assign(other.view());
        return *this;
    }
    CompactString &operator=(CompactString &&other) noexcept
    {
        if (this != &other) {
            if (block_)
                release();
            block_ = std::exchange(other.block_, nullptr);
        }
        return *this;
    }
    CompactString &operator=(std::string_view text)
    {
        assign(text);
        return *this;
    }
    CompactString &operator=(const std::string &text) { return *this = std::string_view(text); }
    CompactString &operator=(const char *text) { return *this = std::string_view(text); }

    // Replaces the text; an empty text frees the block. A text that overlaps this one (a part
    // of itself) is copied before the old block goes.
    void assign(std::string_view text);
    void clear() noexcept
    {
        if (block_)
            release();
    }

    bool empty() const noexcept { return block_ == nullptr; }
    size_type size() const noexcept { return block_ ? storedSize() : 0; }
    size_type length() const noexcept { return size(); }
    const char *data() const noexcept { return block_ ? bytes() : ""; }
    const char *c_str() const noexcept { return data(); }
    const char *begin() const noexcept { return data(); }
    const char *end() const noexcept { return data() + size(); }
    char operator[](size_type pos) const noexcept { return data()[pos]; }
    char front() const noexcept { return data()[0]; }
    char back() const noexcept { return data()[size() - 1]; }

    std::string_view view() const noexcept { return {data(), size()}; }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const noexcept { return view(); }
    operator std::string() const { return str(); }

    std::string substr(size_type pos = 0, size_type count = npos) const
    {
        return std::string(view().substr(pos, count));
    }
    size_type find(std::string_view text, size_type pos = 0) const noexcept
    {
        return view().find(text, pos);
    }
    size_type find(char c, size_type pos = 0) const noexcept { return view().find(c, pos); }
    int compare(std::string_view text) const noexcept { return view().compare(text); }
    bool starts_with(std::string_view text) const noexcept { return view().starts_with(text); }
    bool ends_with(std::string_view text) const noexcept { return view().ends_with(text); }

    friend bool operator==(const CompactString &a, const CompactString &b) noexcept
    {
        return a.view() == b.view();
    }
    friend bool operator==(const CompactString &a, std::string_view b) noexcept
    {
        return a.view() == b;
    }
    friend std::strong_ordering operator<=>(const CompactString &a, const CompactString &b) noexcept
    {
        return a.view() <=> b.view();
    }
    friend std::strong_ordering operator<=>(const CompactString &a, std::string_view b) noexcept
    {
        return a.view() <=> b;
    }

    friend std::string operator+(const CompactString &a, const CompactString &b)
    {
        return concat(a, b);
    }
    friend std::string operator+(const CompactString &a, std::string_view b)
    {
        return concat(a, b);
    }
    friend std::string operator+(std::string_view a, const CompactString &b)
    {
        return concat(a, b);
    }
    friend std::string operator+(const CompactString &a, char b) { return concat(a, {&b, 1}); }
    friend std::string operator+(char a, const CompactString &b) { return concat({&a, 1}, b); }

    friend std::ostream &operator<<(std::ostream &out, const CompactString &text);

private:
    using Length = std::uint32_t;
    Length storedSize() const noexcept
    {
        Length size;
        std::memcpy(&size, block_, sizeof size);
        return size;
    }
    const char *bytes() const noexcept { return block_ + sizeof(Length); }
    static std::size_t blockBytes(std::size_t size) { return sizeof(Length) + size + 1; }
    // Frees the block (there is one).
    void release() noexcept;
    static std::string concat(std::string_view a, std::string_view b);

    char *block_ = nullptr; // the length, the bytes, NUL; null when empty
};

} // namespace nimbus
