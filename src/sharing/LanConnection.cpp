// Connecting to the shared LAN folder, registering the user and listing the colleagues.
#include "sharing/LanConnection.h"

#include <algorithm>

#include "fileio/FolderOps.h"
#include "fileio/OMFILE.h"
#include <sys/stat.h>

#include "sharing/Questions.h"
#include "sharing/SharedFolderFiles.h"
#include "sharing/SharingNames.h"
#include "store/Clock.h"
#include "store/DateFormat.h"
#include "store/StoreLog.h"
#include "store/TNetDetails.h"

namespace nimbus {

LanConnection::LanConnection(TNetDetails &details, const Clock &clock, StoreLog &log,
                             SharedFolderResolver &resolver)
    : details_(details), clock_(clock), log_(log), resolver_(resolver)
{
}

bool LanConnection::StartUp()
{
    status_ = ConnectionStatus{};
    if (!details_.net.empty() && !details_.pw.empty() && !details_.user.empty())
        return details_.mem;
    details_.mem = false;
    return false;
}

const ConnectionStatus &LanConnection::finish(std::string text, bool connected)
{
    const bool changed = connected != status_.connected;
    status_.text = std::move(text);
    status_.connected = connected;
    status_.colour = connected ? kStatusColourGreen : kStatusColourRed;
    if (connected) {
        details_.mem = true;
        GetNetworkUsers();
    }
    if (changed) {
        details_.modified = true;
        saveDetails();
    }
    return status_;
}

void LanConnection::saveDetails()
{
    if (details_.fileName.empty())
        return;
    if (StoreResult saved = details_.Save(); !saved)
        log_.AddErrorToLog("*** A problem occurred while saving the network details: ",
                           saved.errorText);
}

bool LanConnection::checkPasswordFile(Questions &questions, std::string &failure)
{
    const std::string path = details_.resolvedFolder + kPasswordFileName;
    if (!fileio::fileExists(path)) {
        if (!questions.AskYesNo(kCreateConnectionQuestion)) {
            failure = kStatusNotConnected;
            return false;
        }
        fileio::OMFILEPtr file = fileio::openEnciphered(path, "W", 0);
        bool written = file && fileio::writeEncipheredPairs(*file, {"pw"}, {details_.pw});
        written = fileio::close(file) && written;
        if (!written) {
            failure = kStatusUnableToCreate;
            return false;
        }
        // Every colleague reads it, whatever the umask of the one who made the connection.
        if (const sharing::SharedAccess shared = access(); shared.known)
            ::chmod(path.c_str(), shared.fileMode);
        return true;
    }
    // A password file that cannot be read gives an empty password, which never matches.
    std::string stored;
    if (fileio::OMFILEPtr file = fileio::openEnciphered(path, "R", 0)) {
        std::vector<std::string> names;
        std::vector<std::string> values;
        fileio::readPairs(*file, names, values);
        fileio::close(file);
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == "pw")
                stored = values[i];
    }
    if (details_.pw.empty() || details_.pw != stored) {
        failure = kStatusPasswordIncorrect;
        return false;
    }
    return true;
}

const ConnectionStatus &LanConnection::Connect(Questions &questions, int dateOrder)
{
    status_.connected = false;
    details_.inboxFolder.clear();
    std::string folder = details_.net;
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    std::string resolved;
    if (!resolver_.resolveSharedFolder(folder, resolved))
        return finish(kStatusNotAccessible, false);
    details_.resolvedFolder = resolved;
    if (!fileio::folderExists(resolved))
        return finish(kStatusNotFound, false);
    // The user name names a file and an inbox folder in the shared folder: one that would
    // leave it ("../x", "a/b") is refused before anything is written.
    if (!sharing::isUsableUserName(details_.user))
        return finish(kStatusAccessNotAllowed, false);
    std::string failure;
    if (!checkPasswordFile(questions, failure))
        return finish(failure, false);
    const std::string line = dates::displayDateTime(clock_.now(), dateOrder);
    std::string problem;
    if (!sharing::appendSharedLine(resolved + details_.user + ".usr", line, access(), problem)) {
        log_.AddToLog("*** " + resolved + details_.user + ".usr cannot be written: " + problem);
        return finish(kStatusAccessNotAllowed, false);
    }
    details_.connectedFolder = resolved;
    details_.userFile = resolved + details_.user + ".usr";
    return finish(kStatusConnectedOk, true);
}

const ConnectionStatus &LanConnection::Disconnect()
{
    status_ = ConnectionStatus{};
    details_.mem = false;
    details_.users.clear();
    details_.inboxFolder.clear();
    details_.modified = true;
    saveDetails();
    return status_;
}

bool LanConnection::SharedFolderPresent()
{
    if (fileio::folderExists(details_.resolvedFolder))
        return true;
    // The page must not go on saying "Connected OK" and offering to disconnect: it shows
    // why the connection ended. mem stays, so the next start tries again.
    status_ = ConnectionStatus{kStatusNotFound, kStatusColourRed, false};
    details_.users.clear();
    details_.inboxFolder.clear();
    return false;
}

NetworkUsers LanConnection::GetNetworkUsers()
{
    NetworkUsers result;
    details_.users.clear();
    std::vector<std::string> files;
    fileio::listFiles(details_.resolvedFolder + "*.usr", files);
    for (const std::string &file : files) {
        const std::string name = fileio::baseNameOf(file);
        const int tag = static_cast<int>(details_.users.size());
        details_.users.push_back(name);
        if (name != details_.user) {
            result.listUsers.push_back("  " + name);
            result.menuSendto.push_back({name, tag});
        }
    }
    if (result.listUsers.size() > 1)
        result.menuSendto.push_back({kAllColleagues, -1});
    return result;
}

std::string LanConnection::InboxOf(const std::string &user) const
{
    return details_.resolvedFolder + sharing::inboxFolderName(user);
}

sharing::SharedAccess LanConnection::access() const
{
    return sharing::SharedAccess::of(details_.resolvedFolder);
}

} // namespace nimbus
