// A sentence for the user that the log keeps too: a fixed English form and its values. The log
// and the terminal take english(), a message box takes shown(), the form in the user's
// language, so that one problem found deep in the core reads right in both places.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace nimbus::text {

class Sentence {
public:
    Sentence() = default;
    // A text that is the same in every language: a path, a number, the system's error text.
    Sentence(std::string plain) : form_(std::move(plain)) {}
    Sentence(const char *plain) : form_(plain) {}
    // form is marked where it is written with NIMBUS_TEXT_NOOP(context, form); "%1", "%2" ...
    // stand for the values, each of which may be a sentence itself.
    Sentence(const char *context, const char *form, std::vector<Sentence> values = {})
        : context_(context), form_(form), values_(std::move(values))
    {
    }

    bool empty() const { return form_.empty(); }
    // For the log, stderr and files: English throughout.
    std::string english() const;
    // For the window: the form and every value that is a sentence in the user's language.
    std::string shown() const;

private:
    const char *context_ = nullptr; // null: a plain text
    std::string form_;
    std::vector<Sentence> values_;
};

} // namespace nimbus::text
