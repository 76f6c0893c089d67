// Step names in English for the log and in the user's language for the window.
#include "history/StepName.h"

#include "fileio/UiText.h"

namespace nimbus::history {

StepName::StepName(const char *form, std::vector<std::string> values)
    : form_(form), values_(std::move(values))
{
}

StepName StepName::counted(const char *form, int n, std::vector<std::string> values)
{
    StepName name(form, std::move(values));
    name.count_ = n;
    return name;
}

std::string StepName::english() const
{
    if (empty())
        return {};
    return text::withValues(count_ < 0 ? std::string(form_) : text::englishCount(form_, count_),
                            values_);
}

std::string StepName::shown() const
{
    if (empty())
        return {};
    return text::withValues(count_ < 0 ? text::translate(kStepNameContext, form_)
                                       : text::translate(kStepNameContext, form_, nullptr, count_),
                            values_);
}

} // namespace nimbus::history
