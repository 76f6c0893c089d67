// A change to the preferences made on the preferences page: "pref.txt" is written only when
// what it stores changed, so clicking the choice that is already made writes nothing.
#pragma once

#include <functional>

#include "store/StoreLog.h"

namespace nimbus {

class TPreferences;

namespace pages {

struct PreferenceChange {
    bool changed = false; // the stored values differ from before
    StoreResult saved;    // the outcome of writing them (success when nothing was written)
};

PreferenceChange ChangePreferences(TPreferences &preferences,
                                   const std::function<void(TPreferences &)> &edit);

} // namespace pages
} // namespace nimbus
