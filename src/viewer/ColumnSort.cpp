// Sort keys of the column types: text, number and the four date layouts.
#include "viewer/ColumnSort.h"

#include "fileio/UiText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace nimbus::viewer {

namespace {

struct TypeInfo {
    ColumnType type;
    const char *name;
    const char *caption;
};

constexpr std::array<TypeInfo, kColumnTypeCount> kTypes{{
    {ColumnType::Text, "text", NIMBUS_TEXT_NOOP("nimbus::viewer", "text")},
    {ColumnType::Number, "number", NIMBUS_TEXT_NOOP("nimbus::viewer", "number")},
    {ColumnType::Date1, "date1",
     NIMBUS_TEXT_NOOP("nimbus::viewer", "date - dd/mm/yy or dd/mm/yyyy")},
    {ColumnType::Date2, "date2",
     NIMBUS_TEXT_NOOP("nimbus::viewer", "date - mm/dd/yy or mm/dd/yyyy")},
    {ColumnType::Date3, "date3",
     NIMBUS_TEXT_NOOP("nimbus::viewer", "date - yy/mm/dd or yyyy/mm/dd")},
    {ColumnType::Date4, "date4", NIMBUS_TEXT_NOOP("nimbus::viewer", "date - yyyymmdd")},
}};

const TypeInfo &infoOf(ColumnType type)
{
    return kTypes[static_cast<std::size_t>(type)];
}

// Characters first..first+count-1 of a cell, counted from 1 as the date layouts are given.
std::string_view chars(std::string_view cell, std::size_t first, std::size_t count)
{
    return cell.substr(first - 1, count);
}

// Day-first and month-first dates become year, month, day so that text order is date order.
std::string dateKey(std::string_view cell, bool dayFirst)
{
    if (cell.size() != 10 && cell.size() != 8)
        return std::string(cell);
    const std::string_view day = dayFirst ? chars(cell, 1, 2) : chars(cell, 4, 2);
    const std::string_view month = dayFirst ? chars(cell, 4, 2) : chars(cell, 1, 2);
    std::string key;
    if (cell.size() == 10)
        key.append(chars(cell, 7, 4));
    else
        key.append("20").append(chars(cell, 7, 2));
    key.append(month).append(day);
    return key;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

int compareText(std::string_view a, std::string_view b)
{
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

} // namespace

ColumnType columnTypeFromName(std::string_view name)
{
    for (const TypeInfo &info : kTypes)
        if (name == info.name)
            return info.type;
    return ColumnType::Text;
}

const char *columnTypeName(ColumnType type)
{
    return infoOf(type).name;
}

const char *columnTypeCaption(ColumnType type)
{
    return infoOf(type).caption;
}

std::string lowerCase(std::string_view text)
{
    std::string out(text);
    for (char &c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string sortKey(ColumnType type, std::string_view cell)
{
    switch (type) {
    case ColumnType::Date1:
        return lowerCase(dateKey(cell, true));
    case ColumnType::Date2:
        return lowerCase(dateKey(cell, false));
    case ColumnType::Date3:
        return lowerCase(cell.size() == 8 ? "20" + std::string(cell) : std::string(cell));
    case ColumnType::Date4:
        return lowerCase(cell);
    case ColumnType::Text:
    case ColumnType::Number:
        break;
    }
    return lowerCase(cell);
}

bool numberKey(std::string_view cell, double &value)
{
    std::string_view text = trimmed(cell);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    double parsed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec != std::errc() || end != text.data() + text.size() || std::isnan(parsed))
        return false;
    value = parsed;
    return true;
}

int compareCells(ColumnType type, std::string_view a, std::string_view b)
{
    if (type == ColumnType::Number) {
        double x = 0;
        double y = 0;
        const bool xn = numberKey(a, x);
        const bool yn = numberKey(b, y);
        if (xn && yn)
            return x < y ? -1 : (x > y ? 1 : 0);
        if (xn != yn)
            return xn ? 1 : -1; // cells that are not numbers come first
    }
    return compareText(sortKey(type, a), sortKey(type, b));
}

} // namespace nimbus::viewer
