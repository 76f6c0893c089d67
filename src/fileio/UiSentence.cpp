// Sentences in English and in the user's language; see UiSentence.h.
#include "fileio/UiSentence.h"

#include "fileio/UiText.h"

namespace nimbus::text {

std::string Sentence::english() const
{
    if (context_ == nullptr)
        return form_;
    std::vector<std::string> values;
    values.reserve(values_.size());
    for (const Sentence &value : values_)
        values.push_back(value.english());
    return withValues(form_, values);
}

std::string Sentence::shown() const
{
    if (context_ == nullptr)
        return form_;
    std::vector<std::string> values;
    values.reserve(values_.size());
    for (const Sentence &value : values_)
        values.push_back(value.shown());
    return withValues(translate(context_, form_.c_str()), values);
}

} // namespace nimbus::text
