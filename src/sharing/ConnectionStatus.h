// The connection state shown on the network page: the status text and its colour.
#pragma once

#include <string>

#include "fileio/UiText.h"

#include "store/TopicCodes.h"

namespace nimbus {

// The texts are the program's own English; the page shows them in the user's language.

inline constexpr const char *kStatusNotConnected =
    NIMBUS_TEXT_NOOP("nimbus::sharing", "Not connected");
inline constexpr const char *kStatusConnectedOk =
    NIMBUS_TEXT_NOOP("nimbus::sharing", "Connected OK");
inline constexpr const char *kStatusNotAccessible =
    NIMBUS_TEXT_NOOP("nimbus::sharing", "*** LAN Nimbus not accessible");
inline constexpr const char *kStatusNotFound =
    NIMBUS_TEXT_NOOP("nimbus::sharing", "*** LAN Nimbus not found");
inline constexpr const char *kStatusUnableToCreate =
    NIMBUS_TEXT_NOOP("nimbus::sharing", "*** Unable to create LAN Nimbus");
inline constexpr const char *kStatusPasswordIncorrect =
    NIMBUS_TEXT_NOOP("nimbus::sharing", "*** LAN Nimbus password incorrect");
inline constexpr const char *kStatusAccessNotAllowed =
    NIMBUS_TEXT_NOOP("nimbus::sharing", "*** LAN Nimbus access not allowed");

constexpr int kStatusColourBlack = rgbColour(0, 0, 0);
constexpr int kStatusColourGreen = rgbColour(0, 128, 0);
constexpr int kStatusColourRed = rgbColour(255, 0, 0);

struct ConnectionStatus {
    std::string text = kStatusNotConnected;
    int colour = kStatusColourBlack; // 0x00BBGGRR, see rgbColour
    bool connected = false;
};

} // namespace nimbus
