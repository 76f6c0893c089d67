// The "Topic options" dialog is modal: while it is open, a calendar sync, a colleague's packet
// or nimbus-cli may change the same topic. On OK, only what the user changed in the dialog is
// written over the topic as it is then; everything else keeps the newer values. Fields that
// belong together (the dates and repeat, the progress) go as one group, so that a due date
// typed here never meets a time set elsewhere.
#pragma once

#include <string>
#include <vector>

#include "store/TopicOptions.h"

namespace nimbus {

inline constexpr const char *kTopicGroupContext = "nimbus::TopicOptionsMerge";

// opened: the values the dialog was shown; edited: what it gave back; now: the topic's values
// when OK was pressed. The result is now with every group the user changed taken from edited.
// theirsWhereBoth: a group changed both here and elsewhere keeps the newer value instead.
TopicOptions mergeTopicOptions(const TopicOptions &opened, const TopicOptions &edited,
                               const TopicOptions &now, bool theirsWhereBoth = false);

// The groups changed both in the dialog and elsewhere while it was open, to different values,
// named in English as the user reads them ("title", "dates and repeat"): the user is asked
// which to keep. Shown, each name goes through text::translate(kTopicGroupContext, name).
std::vector<std::string> clashingGroups(const TopicOptions &opened, const TopicOptions &edited,
                                        const TopicOptions &now);

} // namespace nimbus
