// Names of inboxes, packets and ids.
#include "sharing/SharingNames.h"

#include <cstdio>

#include "fileio/FolderOps.h"
#include "sharing/SharingLimits.h"

namespace nimbus::sharing {

std::string lowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char &c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::string inboxFolderName(const std::string &user)
{
    return lowerAscii(user) + "-Inbox/";
}

std::string ownPrefix(const std::string &user)
{
    return lowerAscii(user) + "-";
}

std::string packetStamp(DateTime t)
{
    const CivilTime c = t.civil();
    char text[40];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", c.year, c.month, c.day, c.hour,
                  c.minute, c.second);
    return text;
}

bool isUsableUserName(const std::string &user)
{
    return isSafeId(user) && user.find('*') == std::string::npos &&
           user.find('?') == std::string::npos;
}

bool isSafeId(std::string_view id)
{
    if (id.size() > limits::kMaxIdLength || !fileio::isSafeFileName(std::string(id)))
        return false;
    for (char c : id)
        if (static_cast<unsigned char>(c) < ' ')
            return false;
    return true;
}

} // namespace nimbus::sharing
