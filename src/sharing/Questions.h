// The questions LAN sharing asks the user. The window layer answers them with a Yes/No box
// titled with the application title; tests answer them directly.
#pragma once

#include <string>

namespace nimbus {

inline constexpr const char *kCreateConnectionQuestion =
    "This LAN Nimbus connection does not exist yet.\nDo you wish to create it now?";
inline constexpr const char *kLockTopicQuestion =
    "Do you wish to lock the topic so receivers cannot make changes?";

class Questions {
public:
    virtual ~Questions() = default;
    // True for Yes.
    virtual bool AskYesNo(const std::string &question) = 0;
};

} // namespace nimbus
