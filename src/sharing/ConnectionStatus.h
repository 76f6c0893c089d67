// The connection state shown on the network page: the status text and its colour.
#pragma once

#include <string>

#include "store/TopicCodes.h"

namespace nimbus {

inline constexpr const char *kStatusNotConnected = "Not connected";
inline constexpr const char *kStatusConnectedOk = "Connected OK";
inline constexpr const char *kStatusNotAccessible = "*** LAN Nimbus not accessible";
inline constexpr const char *kStatusNotFound = "*** LAN Nimbus not found";
inline constexpr const char *kStatusUnableToCreate = "*** Unable to create LAN Nimbus";
inline constexpr const char *kStatusPasswordIncorrect = "*** LAN Nimbus password incorrect";
inline constexpr const char *kStatusAccessNotAllowed = "*** LAN Nimbus access not allowed";

constexpr int kStatusColourBlack = rgbColour(0, 0, 0);
constexpr int kStatusColourGreen = rgbColour(0, 128, 0);
constexpr int kStatusColourRed = rgbColour(255, 0, 0);

struct ConnectionStatus {
    std::string text = kStatusNotConnected;
    int colour = kStatusColourBlack; // 0x00BBGGRR, see rgbColour
    bool connected = false;
};

} // namespace nimbus
