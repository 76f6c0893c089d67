// The node's run-time ordering key: three characters (status group, urgency, priority) held
// in place in four bytes, where a std::string would cost 32 for every topic of the store. It
// has the part of a string's face the code uses: indexing, size(), comparison with any text,
// "+" with text and conversion to std::string_view.
#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

namespace nimbus {

class SortKey {
public:
    using size_type = std::size_t;
    static constexpr size_type kLength = 3;

    // "ZZZ": no status group, not urgent, no priority.
    constexpr SortKey() noexcept = default;
    // The first three characters of text; a shorter text is filled up with 'Z'.
    explicit SortKey(std::string_view text) noexcept { assign(text); }
    SortKey &operator=(std::string_view text) noexcept
    {
        assign(text);
        return *this;
    }
    SortKey &operator=(const std::string &text) noexcept { return *this = std::string_view(text); }
    SortKey &operator=(const char *text) noexcept { return *this = std::string_view(text); }

    static constexpr size_type size() noexcept { return kLength; }
    char operator[](size_type pos) const noexcept { return chars_[pos]; }
    char &operator[](size_type pos) noexcept { return chars_[pos]; }
    char front() const noexcept { return chars_[0]; }
    const char *data() const noexcept { return chars_.data(); }

    std::string_view view() const noexcept { return {chars_.data(), kLength}; }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const noexcept { return view(); }

    friend bool operator==(const SortKey &a, const SortKey &b) noexcept
    {
        return a.view() == b.view();
    }
    friend bool operator==(const SortKey &a, std::string_view b) noexcept { return a.view() == b; }
    friend std::strong_ordering operator<=>(const SortKey &a, const SortKey &b) noexcept
    {
        return a.view() <=> b.view();
    }
    friend std::strong_ordering operator<=>(const SortKey &a, std::string_view b) noexcept
    {
        return a.view() <=> b;
    }
    friend std::string operator+(const SortKey &key, std::string_view text)
    {
        std::string joined;
        joined.reserve(kLength + text.size());
        joined.append(key.view());
        joined.append(text);
        return joined;
    }
    friend std::string operator+(std::string_view text, const SortKey &key)
    {
        std::string joined;
        joined.reserve(text.size() + kLength);
        joined.append(text);
        joined.append(key.view());
        return joined;
    }

private:
    void assign(std::string_view text) noexcept
    {
        for (size_type i = 0; i < kLength; ++i)
            chars_[i] = i < text.size() ? text[i] : 'Z';
    }

    // The three characters and a NUL, so that data() is a C string as well.
    std::array<char, kLength + 1> chars_{'Z', 'Z', 'Z', '\0'};
};

static_assert(sizeof(SortKey) == 4);

std::ostream &operator<<(std::ostream &out, const SortKey &key);

} // namespace nimbus
