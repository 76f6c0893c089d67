// nimbus-cli in the user's language: its messages, usage lines and confirmations come from the
// catalogue built from the translation files, in the language LanguageChoice finds. Its machine
// output (JSON, TSV, field names, dates in fixed forms, the summary's lines) stays as it is.
#pragma once

#include <string>

namespace nimbus {
class LanguageChoice;
}

namespace nimbus::cli {

struct CatalogueLanguage;

// The context of every message a command's Outcome carries. Such a message is made in English
// (the running program sends it on a channel, and it may be kept in a file) from a text marked
// NIMBUS_TEXT_NOOP(kMessageContext, "... %1 ...") and is put in the user's language only where
// nimbus-cli shows it, by shownMessage().
inline constexpr const char *kMessageContext = "CliMessages";

// The built-in language with this tag, or nullptr.
const CatalogueLanguage *catalogueLanguage(const std::string &tag);

// Routes text::translate through language; nullptr leaves every text in English.
void useLanguage(const CatalogueLanguage *language);

// Uses the first language of the choice that nimbus-cli has; returns its tag, or "" for English.
std::string useLanguageOf(const LanguageChoice &choice);

// An English message in the language in use: the message text whose form it has (its "%1", "%2"
// standing for any value) gives the translation, and the values, themselves messages at times
// ("... cannot be used: <why>"), are put in it. A message of no known form stays as it is.
std::string shownMessage(const std::string &english);

} // namespace nimbus::cli
