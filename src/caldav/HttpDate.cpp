// Reading HTTP dates; see HttpDate.h.
#include "caldav/HttpDate.h"

#include <array>

#include "store/DateFormat.h"

namespace nimbus::caldav {

std::optional<std::int64_t> httpDateSeconds(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    // "Sun, 06 Nov 1994 08:49:37 GMT"
    if (text.size() != 29 || text.substr(3, 2) != ", " || text[7] != ' ' || text[11] != ' ' ||
        text[16] != ' ' || text[19] != ':' || text[22] != ':' || text.substr(25) != " GMT")
        return std::nullopt;
    for (const std::size_t at : {5, 6, 12, 13, 14, 15, 17, 18, 20, 21, 23, 24})
        if (text[at] < '0' || text[at] > '9')
            return std::nullopt;
    static constexpr std::array<std::string_view, 12> kMonths{
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    int month = 0;
    for (std::size_t i = 0; i < kMonths.size(); ++i)
        if (text.substr(8, 3) == kMonths[i])
            month = static_cast<int>(i) + 1;
    const int day = dates::sliceToInt(text, 5, 2), year = dates::sliceToInt(text, 12, 4);
    const int hour = dates::sliceToInt(text, 17, 2), minute = dates::sliceToInt(text, 20, 2);
    const int second = dates::sliceToInt(text, 23, 2);
    if (month == 0 || !DateTime::isValidDate(year, month, day) ||
        !DateTime::isValidTime(hour, minute, second < 60 ? second : 59))
        return std::nullopt;
    return DateTime::fromCivil(year, month, day, hour, minute, second).msecs() / 1000;
}

} // namespace nimbus::caldav
