#include "fileio/LanguageChoice.h"

#include <algorithm>

namespace nimbus {

namespace {

std::string valueOf(const LanguageChoice::Lookup &lookup, const char *name)
{
    const char *value = lookup(name);
    return value ? std::string(value) : std::string();
}

// "C", "POSIX" and "C.UTF-8" mean no language at all; gettext then ignores LANGUAGE.
bool isPlainLocale(const std::string &locale)
{
    return locale.empty() || locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0 ||
           locale.rfind("C@", 0) == 0;
}

bool isTagCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

} // namespace

LanguageChoice::LanguageChoice(const Lookup &lookup)
{
    // The locale of messages: the first of LC_ALL, LC_MESSAGES and LANG that is set.
    std::string locale = valueOf(lookup, "LC_ALL");
    if (locale.empty())
        locale = valueOf(lookup, "LC_MESSAGES");
    if (locale.empty())
        locale = valueOf(lookup, "LANG");
    if (isPlainLocale(locale))
        return;

    const std::string languages = valueOf(lookup, "LANGUAGE");
    const std::string &list = languages.empty() ? locale : languages;
    std::size_t start = 0;
    while (start <= list.size() && !reachedEnglish_) {
        const std::size_t colon = std::min(list.find(':', start), list.size());
        addEntry(list.substr(start, colon - start));
        start = colon + 1;
    }
}

void LanguageChoice::addEntry(const std::string &entry)
{
    // "de_AT.UTF-8@euro" names the language de_AT; the code set and the modifier do not matter
    // for texts.
    const std::string tag = entry.substr(0, entry.find_first_of(".@"));
    if (tag.empty() || !std::all_of(tag.begin(), tag.end(), isTagCharacter))
        return;
    const std::string language = tag.substr(0, tag.find('_'));
    if (language == "en") {
        reachedEnglish_ = true;
        return;
    }
    for (const std::string &candidate : {tag, language}) {
        if (std::find(candidates_.begin(), candidates_.end(), candidate) == candidates_.end())
            candidates_.push_back(candidate);
    }
}

} // namespace nimbus
