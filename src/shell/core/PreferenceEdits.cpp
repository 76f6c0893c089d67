// Preferences written on change only.
#include "shell/core/PreferenceEdits.h"

#include <string>
#include <vector>

#include "store/TPreferences.h"

namespace nimbus::pages {

PreferenceChange ChangePreferences(TPreferences &preferences,
                                   const std::function<void(TPreferences &)> &edit)
{
    std::vector<std::string> names;
    std::vector<std::string> before;
    preferences.Pairs(names, before);
    edit(preferences);
    std::vector<std::string> after;
    names.clear();
    preferences.Pairs(names, after);
    PreferenceChange change;
    change.changed = before != after;
    if (change.changed)
        change.saved = preferences.Save();
    return change;
}

} // namespace nimbus::pages
