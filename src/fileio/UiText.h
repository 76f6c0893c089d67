// Texts the core shows to the user pass through text::translate(), so the window can put them in
// the user's language. Texts written to files or sent to colleagues never do: copies of the program
// in other languages must read them.
#pragma once

#include <string>
#include <vector>

namespace nimbus::text {

// Turns an English source text into the user's language; context groups texts as a class does.
using Translator = std::string (*)(const char *context, const char *source);

// The same for a text with a count: "%n" in the source stands for n.
using CountTranslator = std::string (*)(const char *context, const char *source,
                                        const char *comment, int n);

// Set once at start, before any thread runs; nullptr leaves every text in English.
void setTranslator(Translator translator);
void setCountTranslator(CountTranslator translator);

// The text in the user's language, or the English source when there is no translation.
// lupdate finds calls of this form: text::translate("Context", "Source text").
std::string translate(const char *context, const char *source);

// A text with a count, in the form the user's language takes for n, with n in place of "%n".
// The English source marks its plural ending "(s)" ("in %n minute(s)"): without a translation
// it becomes "s" for any n but 1. lupdate reads the fourth argument as a count, as it does for
// QCoreApplication::translate; the comment tells apart two uses of one source text.
std::string translate(const char *context, const char *source, const char *comment, int n);

// The English form of a counted text for n: "(s)" dropped for one, "s" otherwise, n for "%n".
std::string englishCount(const char *source, int n);

// The text with "%1", "%2" ... replaced by the values in order, as QString::arg does: a
// translation may put them in another order.
std::string withValues(std::string text, const std::vector<std::string> &values);

} // namespace nimbus::text

// Marks a text for translation where it is defined (a table of captions, say); it is translated
// where it is shown, by text::translate with the same context. lupdate reads it as it reads
// QT_TRANSLATE_NOOP.
#define NIMBUS_TEXT_NOOP(context, source) source
// The same for a text with a count ("%n", "(s)"), read as QT_TRANSLATE_N_NOOP.
#define NIMBUS_TEXT_N_NOOP(context, source) source
