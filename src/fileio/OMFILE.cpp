// Opening and closing line files, plain and enciphered: reading the whole content at open,
// old versions before a rewrite, and the atomic commit of a rewrite at close.
#include "fileio/OMFILE.h"

#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"
#include "fileio/Versions.h"

#include <fcntl.h>
#include <unistd.h>

namespace nimbus::fileio {

namespace {

// Ends the object's write side. A rewrite replaces the target only if every write succeeded.
bool finish(OMFILE &file)
{
    bool ok = !file.writeFailed;
    if (file.writer) {
        ok = ok && file.writer->commit();
        file.writer.reset(); // an uncommitted temporary file is removed here
    }
    if (file.handle >= 0) {
        ok = ::close(file.handle) == 0 && ok;
        file.handle = -1;
    }
    file.content.clear();
    file.content.shrink_to_fit();
    return ok;
}

void setContent(OMFILE &file, std::string bytes)
{
    file.content = std::move(bytes);
    file.contentSize = file.content.size();
    file.readPosition = 0;
    file.atEnd = file.contentSize == 0;
}

// "W": the new content goes to a temporary file; the target is untouched until close.
OMFILEPtr openForRewrite(OMFILEPtr file, int versionsToKeep)
{
    if (versionsToKeep >= 1 && fileExists(file->path))
        rotateVersions(file->path, versionsToKeep);
    file->writer = std::make_unique<AtomicFile>(file->path);
    if (!file->writer->open())
        return nullptr;
    file->atEnd = true;
    return file;
}

} // namespace

OMFILE::OMFILE() = default;

OMFILE::~OMFILE()
{
    finish(*this);
}

OMFILEPtr openPlain(const std::string &path, const std::string &mode, int versionsToKeep)
{
    if (mode != "R" && mode != "W" && mode != "A")
        return nullptr;
    auto file = std::make_unique<OMFILE>();
    file->path = path;
    file->mode = mode[0];
    if (file->mode == 'W')
        return openForRewrite(std::move(file), versionsToKeep);
    if (file->mode == 'A') {
        if (versionsToKeep >= 1 && fileExists(path))
            rotateVersions(path, versionsToKeep);
        // Nothing can be read in append mode, so the old content is not loaded; O_APPEND
        // keeps each line whole at the end even when another process appends too.
        file->handle = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
        if (file->handle < 0)
            return nullptr;
        file->atEnd = true;
        return file;
    }
    // "R": the whole file is held in memory; the descriptor is not needed after that.
    std::string bytes;
    if (!readWholeFile(path, bytes))
        return nullptr;
    setContent(*file, std::move(bytes));
    return file;
}

OMFILEPtr openEnciphered(const std::string &path, const std::string &mode, int versionsToKeep)
{
    auto file = std::make_unique<OMFILE>();
    file->path = path;
    file->enciphered = true;
    file->key = cipherKeyFor(path);
    if (mode == "W") {
        file->mode = 'W';
        return openForRewrite(std::move(file), versionsToKeep);
    }
    file->mode = 'R';
    std::string bytes;
    if (!readWholeFile(path, bytes))
        return nullptr;
    // Without the header the file is plain text and is read as it stands.
    const std::size_t header = kContainerHeader.size();
    if (bytes.size() >= header && std::string_view(bytes).starts_with(kContainerMagic)) {
        const std::string &key = file->key;
        std::size_t k = 0;
        for (std::size_t i = header; i < bytes.size(); ++i) {
            bytes[i - header] = static_cast<char>(bytes[i] ^ key[k]);
            if (++k == kKeyLength)
                k = 0;
        }
        bytes.resize(bytes.size() - header);
    }
    setContent(*file, std::move(bytes));
    return file;
}

bool close(OMFILEPtr &file)
{
    if (!file)
        return false;
    const bool ok = finish(*file);
    file.reset();
    return ok;
}

} // namespace nimbus::fileio
