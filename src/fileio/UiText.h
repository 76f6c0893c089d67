// Texts the core shows to the user pass through uiText(), so the window can put them in the
// user's language. Texts written to files or sent to colleagues never do: copies of the program
// in other languages must read them.
#pragma once

#include <string>

namespace nimbus::text {

// Turns an English source text into the user's language; context groups texts as a class does.
using Translator = std::string (*)(const char *context, const char *source);

// Set once at start, before any thread runs; nullptr leaves every text in English.
void setTranslator(Translator translator);

// The text in the user's language, or the English source when there is no translation.
// lupdate finds calls of this form: text::translate("Context", "Source text").
std::string translate(const char *context, const char *source);

} // namespace nimbus::text
