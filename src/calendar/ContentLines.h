// iCalendar content lines written directly into a byte buffer: a name, its parameters and its
// value, escaped as libical escapes them, folded at 75 octets without cutting a UTF-8
// character, and ended with CR LF. The writer uses it for every property it makes itself;
// only the zone's VTIMEZONE and the rare rich repeat rules still come from libical.
#pragma once

#include <string>
#include <string_view>

namespace nimbus::calendar {

class ContentLines {
public:
    // Lines are appended to out, which the caller owns and empties when it wishes.
    explicit ContentLines(std::string &out) : out_(out) {}

    // Starts a property line; each line ends with one of the value calls below.
    ContentLines &name(std::string_view name);
    // A parameter, quoted when its value holds ':', ';' or ','.
    ContentLines &param(std::string_view name, std::string_view value);

    // Ends the line with a value written as it stands (numbers, dates, keywords).
    void value(std::string_view value);
    // Ends the line with a TEXT value: backslash, ';', ',' and line feed escaped; CR, BS and
    // FF dropped. The value ends at its first NUL byte, as a C string would.
    void text(std::string_view value);
    // Ends the line with the value of an X- property: as text, but ';' and ',' stay.
    void extension(std::string_view value);

    // A whole line given unfolded ("BEGIN:VTODO").
    void line(std::string_view whole);
    // A line with an integer value.
    void number(std::string_view name, long long v);

    // Folds one unfolded line (without its line end) into out.
    static void appendFolded(std::string &out, std::string_view line);

private:
    void escaped(std::string_view value, bool listSeparators);
    void finish();

    std::string &out_;
    std::string line_; // the line being made, kept to reuse its capacity
};

} // namespace nimbus::calendar
