// The translations of nimbus-cli's texts, made at build time from the same translation files as
// the window's (translations/nimbus_<language>.ts), as plain tables that need no Qt.
#pragma once

#include <cstddef>
#include <string>

namespace nimbus::cli {

// How a language picks one of its counted forms for n; the forms are numbered as in the
// translation files.
enum class PluralRule {
    OneOther,     // 1 | everything else (German, English ...)
    ZeroOneOther, // 0 and 1 | everything else (French ...)
};

struct CatalogueEntry {
    const char *context;
    const char *source;
    const char *comment;      // "" when the text has none
    const char *const *forms; // one, or one per counted form
    std::size_t formCount;
};

struct CatalogueLanguage {
    const char *tag; // "de", "fr"; nullptr ends the list
    PluralRule plural;
    const CatalogueEntry *entries; // sorted by context, source and comment as strcmp orders
    std::size_t count;
};

// Every language built in, ended by an entry whose tag is nullptr.
extern const CatalogueLanguage kCatalogueLanguages[];

// The form of a counted text that rule picks for n.
std::size_t pluralForm(PluralRule rule, int n);

// The translation of (context, source, comment) in language, or nullptr. A text asked for with a
// comment it was not translated with falls back to its translation without one, as Qt's does.
const CatalogueEntry *findEntry(const CatalogueLanguage &language, const char *context,
                                const char *source, const char *comment = "");

} // namespace nimbus::cli
