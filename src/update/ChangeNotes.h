// Texts and files the software panel opens in the text viewer: the update log and a version's
// change notes.
#pragma once

#include "store/DateTime.h"

#include <string>

namespace nimbus::update {

// "Software monitor Log - " + the date and time in the user's order.
std::string updateLogTitle(DateTime now, int dateOrder);

// The change notes of a version: data folder + its first four characters + ".vsn". Empty when
// that file does not exist or the characters would name a path outside the data folder.
std::string changeNotesFile(const std::string &dataFolder, const std::string &version);
// "Changes in version: " + the version's first four characters.
std::string changeNotesTitle(const std::string &version);

} // namespace nimbus::update
