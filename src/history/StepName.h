// The name of one step of the undo history as a whole sentence with places for its values
// ("Move %1 up"), so that a language can put the title where its grammar wants it. The name is
// shown in the user's language (the undo and redo entries, their buttons' tooltips, the list of
// steps) and written in English wherever it reaches the log.
#pragma once

#include <string>
#include <vector>

namespace nimbus::history {

class StepName {
public:
    StepName() = default;
    // form: an English sentence marked NIMBUS_TEXT_NOOP(kStepNameContext, ...) where it is
    // written, with "%1", "%2" ... for the values (titles already quoted, numbers).
    StepName(const char *form, std::vector<std::string> values = {});
    // A form with a count, marked NIMBUS_TEXT_N_NOOP: "%n" and the plural ending "(s)" follow n.
    static StepName counted(const char *form, int n, std::vector<std::string> values = {});

    bool empty() const { return !form_ || !*form_; }
    // For the log and files.
    std::string english() const;
    // In the user's language.
    std::string shown() const;

private:
    const char *form_ = nullptr;
    std::vector<std::string> values_;
    int count_ = -1; // -1: no count
};

inline constexpr const char *kStepNameContext = "StepNames";

} // namespace nimbus::history
