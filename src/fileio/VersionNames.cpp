// Old-version names, base(N).ext: recognising them and the ten-digit sorting form that makes a
// plain string sort put them in age order.
#include "fileio/VersionNames.h"

#include "fileio/FolderOps.h"
#include "fileio/Versions.h"

#include <algorithm>

namespace nimbus::fileio {

namespace {

constexpr std::string_view kSortingPrefix = "9990000000";
constexpr std::size_t kSortingDigits = 10;

bool allDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Finds the "(N)" group that ends the name's stem (the part before the extension).
bool findNumberGroup(const std::string &name, std::size_t &open, std::size_t &close)
{
    const std::size_t stemLength = name.size() - extensionOf(name).size();
    if (stemLength == 0 || name[stemLength - 1] != ')')
        return false;
    close = stemLength - 1;
    const auto paren = name.rfind('(', close);
    if (paren == std::string::npos)
        return false;
    open = paren;
    return allDigits(std::string_view(name).substr(open + 1, close - open - 1));
}

} // namespace

bool isCanonicalNumber(std::string_view digits)
{
    return allDigits(digits) && (digits.size() == 1 || digits[0] != '0');
}

std::string_view versionNumberIn(std::string_view name, std::string_view base, std::string_view ext)
{
    if (name.size() < base.size() + ext.size() + 3 || name.substr(0, base.size()) != base ||
        name[base.size()] != '(' || name.substr(name.size() - ext.size()) != ext ||
        name[name.size() - ext.size() - 1] != ')')
        return {};
    const std::string_view number =
        name.substr(base.size() + 1, name.size() - ext.size() - base.size() - 2);
    return allDigits(number) ? number : std::string_view();
}

std::string toSortingForm(const std::string &name)
{
    std::size_t open = 0;
    std::size_t close = 0;
    if (!findNumberGroup(name, open, close) || close - open - 1 >= kSortingDigits)
        return name;
    const std::size_t length = close - open - 1;
    return name.substr(0, open + 1) +
           std::string(kSortingPrefix.substr(0, kSortingDigits - length)) + name.substr(open + 1);
}

std::string fromSortingForm(const std::string &name)
{
    // "(999" then seven digits then ")": anything else is a name as it is on disk.
    const auto at = name.rfind("(999");
    if (at == std::string::npos || at + 11 >= name.size() || name[at + 11] != ')' ||
        !allDigits(std::string_view(name).substr(at + 4, 7)))
        return name;
    std::string number = name.substr(at + 4, 7);
    number.erase(0, std::min(number.find_first_not_of('0'), number.size() - 1));
    return name.substr(0, at + 1) + number + name.substr(at + 11);
}

bool isVersionName(const std::string &name)
{
    std::size_t open = 0;
    std::size_t close = 0;
    return findNumberGroup(name, open, close);
}

long long sortingFormNumber(const std::string &name)
{
    const auto at = name.rfind("(999");
    if (at == std::string::npos || at + 11 > name.size() ||
        !allDigits(std::string_view(name).substr(at + 4, 7)))
        return 0;
    return std::stoll(name.substr(at + 4, 7));
}

} // namespace nimbus::fileio
