// The X-NIMBUS- field table; see NimbusFields.h.
#include "calendar/NimbusFields.h"

#include <charconv>
#include <cstdint>

#include "fileio/Fnv1a.h"

namespace nimbus::calendar {

namespace {

std::string num(int v) { return std::to_string(v); }
std::string flag(bool v) { return v ? "1" : "0"; }

// An integer value; values that are not numbers leave the field as it is.
void setInt(int &field, const std::string &text)
{
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec == std::errc() && end == text.data() + text.size())
        field = v;
}

#define NIMBUS_INT(NAME, FIELD)                                                                    \
    NimbusField                                                                                    \
    {                                                                                              \
        NAME, [](const TNimbusNode &n) { return num(n.FIELD); },                                   \
            [](TNimbusNode &n, const std::string &v) { setInt(n.FIELD, v); },                      \
            [](const TNimbusNode &a, const TNimbusNode &b) { return a.FIELD == b.FIELD; }          \
    }
#define NIMBUS_BOOL(NAME, FIELD)                                                                   \
    NimbusField                                                                                    \
    {                                                                                              \
        NAME, [](const TNimbusNode &n) { return flag(n.FIELD); },                                  \
            [](TNimbusNode &n, const std::string &v) { n.FIELD = v == "1"; },                      \
            [](const TNimbusNode &a, const TNimbusNode &b) { return a.FIELD == b.FIELD; }          \
    }
#define NIMBUS_TEXT(NAME, FIELD)                                                                   \
    NimbusField                                                                                    \
    {                                                                                              \
        NAME, [](const TNimbusNode &n) { return std::string(n.FIELD); },                           \
            [](TNimbusNode &n, const std::string &v) { n.FIELD = v; },                             \
            [](const TNimbusNode &a, const TNimbusNode &b) { return a.FIELD == b.FIELD; }          \
    }

}  // namespace

std::string standardValueFingerprint(const std::string &value)
{
    // FNV-1a, 64 bits, as hexadecimal: short, and safe in a parameter value.
    std::uint64_t h = fileio::fnv1a(value);
    static const char digits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, h >>= 4)
        text[static_cast<std::size_t>(i)] = digits[h & 0xF];
    return text;
}

const std::vector<NimbusField> &nimbusFields()
{
    static const std::vector<NimbusField> fields = {
        NIMBUS_TEXT("X-NIMBUS-TEXT", text),
        NIMBUS_INT("X-NIMBUS-TYPE", ttype),
        NIMBUS_INT("X-NIMBUS-STATUS", status),
        NIMBUS_BOOL("X-NIMBUS-FAV", fav),
        NIMBUS_BOOL("X-NIMBUS-URGENT", urgent),
        NIMBUS_BOOL("X-NIMBUS-LOCK", lock),
        NIMBUS_INT("X-NIMBUS-PRI", pri),
        NIMBUS_BOOL("X-NIMBUS-RECUR", recur),
        NIMBUS_BOOL("X-NIMBUS-DL", dl),
        NIMBUS_TEXT("X-NIMBUS-DLDATE", dlDate),
        NIMBUS_TEXT("X-NIMBUS-DLTIME", dlTime),
        NIMBUS_TEXT("X-NIMBUS-RSDATE", rsDate),
        NIMBUS_TEXT("X-NIMBUS-RSTIME", rsTime),
        NIMBUS_INT("X-NIMBUS-RNO", rno),
        NIMBUS_INT("X-NIMBUS-RTYPE", rtype),
        NIMBUS_BOOL("X-NIMBUS-AUTO", autoComplete),
        NIMBUS_INT("X-NIMBUS-FLNO", flno),
        NIMBUS_INT("X-NIMBUS-FLTYP", fltyp),
        NIMBUS_BOOL("X-NIMBUS-CALPR", calpr),
        NIMBUS_INT("X-NIMBUS-PERCENT", percent),
        NIMBUS_TEXT("X-NIMBUS-FDATE", fdate),
        NIMBUS_TEXT("X-NIMBUS-FTIME", fTime),
        NIMBUS_TEXT("X-NIMBUS-CRE", cre),
        NIMBUS_TEXT("X-NIMBUS-STA", sta),
        NIMBUS_TEXT("X-NIMBUS-FROM", from),
        NIMBUS_TEXT("X-NIMBUS-SENT", sent),
        NIMBUS_INT("X-NIMBUS-DURNO", durno),
        NIMBUS_INT("X-NIMBUS-DURTYPE", durtype),
    };
    return fields;
}

}  // namespace nimbus::calendar
