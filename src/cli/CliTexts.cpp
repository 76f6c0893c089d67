// nimbus-cli's texts in the user's language, read from the built-in catalogue.
#include "cli/CliTexts.h"

#include <array>
#include <atomic>
#include <cstring>
#include <string_view>

#include "cli/TextCatalogue.h"
#include "fileio/LanguageChoice.h"
#include "fileio/UiText.h"

namespace nimbus::cli {

namespace {

std::atomic<const CatalogueLanguage *> inUse{nullptr};

// Below this many fixed characters a message form would match nearly anything.
constexpr int kLeastLiteral = 4;
// Values are looked at as messages this many levels deep.
constexpr int kDeepestValue = 2;

std::string translated(const char *context, const char *source)
{
    const CatalogueLanguage *language = inUse.load(std::memory_order_acquire);
    const CatalogueEntry *entry = language ? findEntry(*language, context, source) : nullptr;
    return entry ? std::string(entry->forms[0]) : std::string(source);
}

std::string translatedCount(const char *context, const char *source, const char *comment, int n)
{
    const CatalogueLanguage *language = inUse.load(std::memory_order_acquire);
    const CatalogueEntry *entry =
        language ? findEntry(*language, context, source, comment ? comment : "") : nullptr;
    if (!entry)
        return text::englishCount(source, n);
    std::size_t form = pluralForm(language->plural, n);
    if (form >= entry->formCount)
        form = entry->formCount - 1;
    std::string text = entry->forms[form];
    const std::string number = std::to_string(n);
    for (std::size_t at = text.find("%n"); at != std::string::npos;
         at = text.find("%n", at + number.size()))
        text.replace(at, 2, number);
    return text;
}

// Matches text against a message form; "%1".."%9" take any run of characters (the shortest
// that lets the rest match). Counts the fixed characters matched.
bool matchForm(const char *form, std::string_view text, std::array<std::string, 9> &values,
               int &literal)
{
    while (*form) {
        if (form[0] == '%' && form[1] >= '1' && form[1] <= '9') {
            const std::size_t slot = static_cast<std::size_t>(form[1] - '1');
            for (std::size_t take = 0; take <= text.size(); ++take) {
                const int before = literal;
                if (matchForm(form + 2, text.substr(take), values, literal)) {
                    values[slot] = std::string(text.substr(0, take));
                    return true;
                }
                literal = before;
            }
            return false;
        }
        if (text.empty() || text.front() != *form)
            return false;
        text.remove_prefix(1);
        ++form;
        ++literal;
    }
    return text.empty();
}

std::string shownAt(const CatalogueLanguage &language, const std::string &english, int depth)
{
    const CatalogueEntry *best = nullptr;
    std::array<std::string, 9> bestValues;
    int bestLiteral = kLeastLiteral - 1;
    const CatalogueEntry *end = language.entries + language.count;
    for (const CatalogueEntry *entry = language.entries; entry != end; ++entry) {
        if (std::strcmp(entry->context, kMessageContext) != 0)
            continue;
        std::array<std::string, 9> values;
        int literal = 0;
        if (matchForm(entry->source, english, values, literal) && literal > bestLiteral) {
            best = entry;
            bestValues = std::move(values);
            bestLiteral = literal;
        }
    }
    if (!best)
        return english;
    std::vector<std::string> values(bestValues.begin(), bestValues.end());
    if (depth < kDeepestValue)
        for (std::string &value : values)
            value = shownAt(language, value, depth + 1);
    return text::withValues(best->forms[0], values);
}

} // namespace

std::size_t pluralForm(PluralRule rule, int n)
{
    switch (rule) {
    case PluralRule::OneOther:
        return n == 1 ? 0 : 1;
    case PluralRule::ZeroOneOther:
        return n == 0 || n == 1 ? 0 : 1;
    }
    return 0;
}

const CatalogueEntry *findEntry(const CatalogueLanguage &language, const char *context,
                                const char *source, const char *comment)
{
    auto compare = [](const CatalogueEntry &entry, const char *c, const char *s, const char *m) {
        if (int order = std::strcmp(entry.context, c))
            return order;
        if (int order = std::strcmp(entry.source, s))
            return order;
        return std::strcmp(entry.comment, m);
    };
    for (;;) {
        std::size_t low = 0, high = language.count;
        while (low < high) {
            const std::size_t middle = low + (high - low) / 2;
            const int order = compare(language.entries[middle], context, source, comment);
            if (order == 0)
                return &language.entries[middle];
            if (order < 0)
                low = middle + 1;
            else
                high = middle;
        }
        if (!*comment)
            return nullptr;
        comment = "";
    }
}

const CatalogueLanguage *catalogueLanguage(const std::string &tag)
{
    for (const CatalogueLanguage *language = kCatalogueLanguages; language->tag; ++language)
        if (tag == language->tag)
            return language;
    return nullptr;
}

void useLanguage(const CatalogueLanguage *language)
{
    inUse.store(language, std::memory_order_release);
    text::setTranslator(language ? &translated : nullptr);
    text::setCountTranslator(language ? &translatedCount : nullptr);
}

std::string useLanguageOf(const LanguageChoice &choice)
{
    for (const std::string &candidate : choice.candidates())
        if (const CatalogueLanguage *language = catalogueLanguage(candidate)) {
            useLanguage(language);
            return language->tag;
        }
    useLanguage(nullptr);
    return {};
}

std::string shownMessage(const std::string &english)
{
    const CatalogueLanguage *language = inUse.load(std::memory_order_acquire);
    return language ? shownAt(*language, english, 0) : english;
}

} // namespace nimbus::cli
