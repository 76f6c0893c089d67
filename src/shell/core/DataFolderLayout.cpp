// Data folder layout, seed files and the installation record.
#include "shell/core/DataFolderLayout.h"

#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"
#include "fileio/OMFILE.h"

#include <unistd.h>

namespace nimbus {

using namespace fileio;

void createDataFolders(const TAppPaths &paths)
{
    for (const std::string *folder :
         {&paths.DataFolder, &paths.TextFolder, &paths.CheckListFolder, &paths.PacksFolder,
          &paths.OutboxFolder, &paths.FormatsFolder, &paths.ControlFolder}) {
        if (!folderExists(*folder))
            createFolder(*folder, 0700);
        // Only this copy writes here: what a crash left half-written can go.
        else
            removeStaleTemporaries(*folder);
    }
}

std::string dataFolderProblem(const TAppPaths &paths)
{
    if (::access(paths.DataFolder.c_str(), W_OK | X_OK) == 0)
        return {};
    return lastErrorText();
}

std::vector<std::string> seedInstallFiles(const TAppPaths &paths)
{
    std::vector<std::string> copied;
    for (const char *pattern : {"*.~txt", "*.vsn"}) {
        std::vector<std::string> names;
        listFiles(paths.InstallFolder + pattern, names);
        for (const std::string &name : names) {
            const std::string target = paths.DataFolder + name;
            if (fileExists(target))
                continue;
            if (copyFile(paths.InstallFolder + name, target))
                copied.push_back(name);
        }
    }
    return copied;
}

namespace {

// A record read whole is name=value lines of plain text; a damaged or cut one deciphers to
// control bytes or to lines without any value.
bool readable(const std::vector<std::string> &names, const std::vector<std::string> &values)
{
    bool anyValue = false;
    for (const std::string &value : values)
        anyValue = anyValue || !value.empty();
    if (names.empty() || !anyValue)
        return false;
    for (const std::string &name : names)
        for (const char c : name)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
                return false;
    return true;
}

} // namespace

InstallRecord loadInstallRecord(TAppPaths &paths)
{
    InstallRecord record;
    const std::string pre = paths.InstallFolder + "Install.pre";
    const std::string prz = paths.InstallFolder + "Install.prz";
    const std::string dat = paths.DataFolder + "Install.dat";

    if (fileExists(pre))
        record.source = pre;
    else if (fileExists(prz))
        record.source = prz;
    else if (fileExists(dat))
        record.source = dat;
    else
        return record;

    auto read = [&record] {
        if (OMFILEPtr in = openEnciphered(record.source, "R", 0)) {
            readPairs(*in, record.names, record.values);
            close(in);
        }
    };
    read();
    // A record from the installer that yields nothing (damaged, cut short, of another
    // format) is set aside for whoever looks into it, never deleted, and replaces nothing:
    // the data folder's own record, if any, still counts.
    if (record.source == prz && !readable(record.names, record.values)) {
        record.problem = "The installation record could not be read: " + prz;
        if (renameFile(prz, prz + ".unreadable"))
            record.problem += " (kept as Install.prz.unreadable)";
        record.names.clear();
        record.values.clear();
        record.source = fileExists(dat) ? dat : std::string();
        if (record.source.empty())
            return record;
        read();
    }
    for (std::size_t i = 0; i < record.names.size(); ++i) {
        if (record.names[i] == "product")
            record.product = record.values[i];
    }

    if (record.source != dat) {
        bool saved = false;
        if (OMFILEPtr out = openEnciphered(dat, "W", 0)) {
            writeEncipheredPairs(*out, record.names, record.values);
            saved = close(out);
        }
        // The record next to the program is only removed once the data folder holds it.
        if (fileExists(pre)) {
            if (copyFile(pre, paths.DataFolder + "Install.pre") && saved &&
                fileExists(paths.DataFolder + "Install.pre"))
                deleteFile(pre);
        }
        if (record.source == prz && saved)
            deleteFile(prz);
    }

    if (!record.product.empty())
        paths.ProductTitle = record.product;
    return record;
}

} // namespace nimbus
