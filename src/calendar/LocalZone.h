// The user's local time zone as libical knows it, and the conversions between the store's
// local date and time texts and libical's time values. Times in the store carry no zone: they
// are the user's local time, so they are written with the system's zone and every zoned or UTC
// time read is converted to local time.
#pragma once

#include <string>

#include <libical/ical.h>

namespace nimbus::calendar {

// The system's zone name ("Europe/Berlin"): $TZ when it names a zone, else /etc/localtime's
// target, else /etc/timezone; empty when none is known.
std::string localZoneName();
// libical's built-in zone of that name, the UTC zone for "UTC", or null (times are then
// written floating: without a zone, which calendar programs read as local time).
icaltimezone *localZone();
// libical's zone of a name as localZoneName gives it (the UTC names too); null when unknown.
icaltimezone *zoneNamed(const std::string &name);

// A date key and time text as a libical value in the local zone; a date only when the time
// is empty or "00:00:00". An invalid date gives the null time.
icaltimetype localTime(const std::string &dateKey, const std::string &timeText);
// The same instant as a UTC value (COMPLETED, CREATED and DTSTAMP must be UTC).
icaltimetype utcTime(const std::string &dateKey, const std::string &timeText);
// A stamp "yyyymmdd-hhmmss" as UTC, or the null time when it is not one.
icaltimetype utcFromStamp(const std::string &stamp);

// A libical value as local date key and time text: dates stay dates (empty time), floating
// times are taken as they are, zoned and UTC times are converted to local time. A time of
// midnight gives an empty time text ("no time"). False for an invalid value.
bool toLocal(icaltimetype value, std::string &dateKey, std::string &timeText);
// As a stamp; false for an invalid value.
bool toLocalStamp(icaltimetype value, std::string &stamp);

}  // namespace nimbus::calendar
