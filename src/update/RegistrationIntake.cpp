// Registration files come from other programs: every value that becomes part of a path is
// checked to stay one folder name inside the data folder.
#include "update/RegistrationIntake.h"

#include "fileio/FolderOps.h"
#include "fileio/OMFILE.h"
#include "store/DateFormat.h"
#include "update/CheckDue.h"
#include "update/RegList.h"

#include <limits>
#include <utility>

namespace nimbus::update {

namespace {

bool sameInstallation(const RegProduct &a, const RegProduct &b)
{
    return a.supplier == b.supplier && a.product == b.product && a.installfolder == b.installfolder;
}

std::string productFolderName(const RegProduct &entry)
{
    return entry.product + "_" + entry.instance;
}

} // namespace

RegistrationIntake::RegistrationIntake(RegList &reg, std::string programFolder)
    : reg_(reg), programFolder_(std::move(programFolder))
{
}

RegistrationIntake::Result RegistrationIntake::take(const std::string &path)
{
    reg_.Log("New file found - " + path);
    RegProduct entry;
    const bool read = reg_.Load(path, "S", &entry);
    if (!read) {
        reg_.Log("No valid data found - file deleted - " + path);
        fileio::deleteFile(path);
        return Result::NoData;
    }
    reg_.Log("Registration file found - " + path);
    reg_.Log("Supplier=" + entry.supplier + ", Product=" + entry.product +
             ", Version=" + entry.version + ", Dir=" + entry.installfolder);

    bool erroneous = !validate(entry);
    if (alreadyInstalled(entry)) {
        reg_.Log("Already installed");
        erroneous = true;
    }
    if (!erroneous) {
        entry.instance = instanceFor(entry);
        // A hand-edited register can hold any instance text; it must not lead out of the
        // data folder either. Nothing has been changed yet, so refusing here is clean.
        if (!fileio::isSafeFileName(productFolderName(entry))) {
            reg_.Log("Invalid instance");
            erroneous = true;
        }
    }
    if (erroneous) {
        reg_.Log("Version ignored due to errors");
    } else {
        markOlderVersions(entry);
        accept(std::move(entry));
        reg_.Log("Version accepted OK");
    }
    fileio::deleteFile(path);
    return erroneous ? Result::Refused : Result::Accepted;
}

bool RegistrationIntake::validate(RegProduct &entry)
{
    bool ok = true;
    if (entry.supplier.empty()) {
        reg_.Log("Invalid supplier");
        ok = false;
    }
    // Product and version name folders in the data folder: each must be one plain name.
    if (entry.product.empty() || !fileio::isSafeFileName(entry.product + "_1")) {
        reg_.Log("Invalid product");
        ok = false;
    }
    if (entry.version.empty() || !fileio::isSafeFileName(entry.version)) {
        reg_.Log("Invalid version");
        ok = false;
    }
    if (entry.installfolder.empty())
        entry.installfolder = programFolder_;
    if (!fileio::folderExists(entry.installfolder)) {
        reg_.Log("Invalid installation folder name");
        ok = false;
    }
    return ok;
}

bool RegistrationIntake::alreadyInstalled(const RegProduct &entry) const
{
    for (const auto &e : reg_.entries)
        if (sameInstallation(*e, entry) && e->version == entry.version && e->status == kStatusActive)
            return true;
    return false;
}

std::string RegistrationIntake::instanceFor(const RegProduct &entry) const
{
    // The same folder keeps its installation's instance; another folder of the same product
    // counts on from the highest instance at or above the one found so far.
    std::string instance = "1";
    for (const auto &e : reg_.entries)
        if (sameInstallation(*e, entry))
            instance = e->instance;
    for (const auto &e : reg_.entries) {
        if (e->supplier != entry.supplier || e->product != entry.product ||
            e->installfolder == entry.installfolder || e->instance < instance)
            continue;
        const long long n = wholeNumber(e->instance, 1);
        instance = std::to_string(n < std::numeric_limits<long long>::max() ? n + 1 : n);
    }
    return instance;
}

void RegistrationIntake::markOlderVersions(const RegProduct &entry)
{
    for (const auto &e : reg_.entries) {
        if (!sameInstallation(*e, entry))
            continue;
        // Plain text order, as installers have always been compared here.
        if (e->version < entry.version) {
            e->status = kStatusSuperseded;
            if (!e->errorcodes.empty()) {
                e->errorcodes.clear();
                reg_.Save();
            }
        } else {
            e->status = kStatusReregistered;
        }
    }
}

void RegistrationIntake::accept(RegProduct entry)
{
    const DateTime now = reg_.clock().now();
    const std::string productFolder = reg_.folder + productFolderName(entry) + "/";
    const std::string versionFolder = productFolder + entry.version + "/";
    fileio::createFolder(productFolder);
    fileio::createFolder(versionFolder);
    entry.versionfolder = versionFolder;
    entry.status = kStatusActive;
    if (entry.dateinstalled.empty())
        entry.dateinstalled = dates::dateKey(now);
    RegProduct &added = reg_.add(std::move(entry));
    reg_.Save();
    reg_.newList.push_back(&added);
    fileio::appendLine(productFolder + "History.lst",
                       dates::logDateTime(now) + " New version: " + added.version);
}

} // namespace nimbus::update
