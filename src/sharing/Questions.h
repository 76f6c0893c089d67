// The questions LAN sharing asks the user. The window layer answers them with a Yes/No box
// titled with the application title; tests answer them directly.
#pragma once

#include <string>

#include "fileio/UiText.h"

namespace nimbus {

// The window asks them in the user's language.
inline constexpr const char *kCreateConnectionQuestion = NIMBUS_TEXT_NOOP(
    "nimbus::sharing",
    "This LAN Nimbus connection does not exist yet.\nDo you wish to create it now?");
inline constexpr const char *kLockTopicQuestion = NIMBUS_TEXT_NOOP(
    "nimbus::sharing", "Do you wish to lock the topic so receivers cannot make changes?");

class Questions {
public:
    virtual ~Questions() = default;
    // True for Yes.
    virtual bool AskYesNo(const std::string &question) = 0;
};

} // namespace nimbus
