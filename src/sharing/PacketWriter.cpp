// Building a packet in the outbox.
#include "sharing/PacketWriter.h"

#include "fileio/FolderOps.h"
#include "sharing/PacketFiles.h"
#include "sharing/SharingNames.h"
#include "store/ContentFiles.h"
#include "store/PairFile.h"
#include "store/StructureWriter.h"
#include "store/TContent.h"
#include "store/TNimbusStructure.h"

namespace nimbus {

namespace {

std::string descriptionNameOf(const std::string &pageFile)
{
    THyperData page;
    page.file = pageFile;
    return page.DescriptionFileName();
}

} // namespace

std::string PacketWriter::SentId(const std::string &uni, const std::string &sender)
{
    return uni.find('-') != std::string::npos ? uni : sender + "-" + uni;
}

PacketResult PacketWriter::Write(TNimbusStructure &store, int start, const std::string &user,
                                 DateTime when, bool lock, int contentOption,
                                 fileio::OperationProgress &progress)
{
    PacketResult result;
    if (start < 0 || start >= store.Count() || !store.Node(start)) {
        result.error = "no topic is selected";
        return result;
    }
    fileio::createFolder(paths_.OutboxFolder);
    const std::string sender = sharing::lowerAscii(user);
    const std::string stamp = sharing::packetStamp(when);
    const TNimbusNode &selected = *store.Node(start);
    const int selectedLevel = selected.lev;

    std::string bytes;
    TNimbusNode header("-1");
    header.lev = 1;
    header.ttype = kTopicGeneral;
    header.type = selected.type;
    header.text = "From: " + user + " - " + stamp;
    header.lock = lock;
    structure::AppendRecord(bytes, header);

    // The subtree ends at the first later node that is not deeper than the selected one.
    int end = start + 1;
    while (end < store.Count() && (!store.Node(end) || store.Node(end)->lev > selectedLevel))
        ++end;
    const std::int64_t total = end - start;

    // The packet's own list only keeps its ids distinct; the records go straight to bytes.
    TNimbusStructure sentIds(TNimbusStructure::Role::IdList);
    for (int i = start; i < end; ++i) {
        progress.report(i - start, total, kPreparingText);
        if (progress.cancelled()) {
            result.cancelled = true;
            return result;
        }
        TNimbusNode *source = store.Node(i);
        if (!source)
            continue;
        const std::string newId = SentId(source->uni, sender);
        if (sentIds.IndexOf(newId) >= 0) {
            log_.AddToLog("*** Topic not sent, its id is sent already: " + source->text);
            continue;
        }
        sentIds.AppendId(newId);
        TNimbusNode sent(newId);
        sent.type = source->type;
        sent.AssignNode(*source);
        sent.lev = source->lev - selectedLevel + 2;
        sent.lock = lock;
        sent.from = user;
        sent.sent = stamp;
        structure::AppendRecord(bytes, sent);
        ++result.topics;
        writeContent(*source, newId, contentOption);
    }
    progress.report(total, total, kPreparingText);
    result.fileName = sender + "-" + stamp + ".str";
    if (!sharing::writeQuick(paths_.OutboxFolder + result.fileName, bytes, &result.error))
        return result;
    result.ok = true;
    return result;
}

void PacketWriter::writeContent(TNimbusNode &source, const std::string &newId, int contentOption)
{
    if (!source.contentLoaded)
        source.LoadContent(paths_.content(), log_, contentOption);
    const TContent *from = source.content.get();
    if (!from || !from->loaded || !sharing::isSafeId(newId))
        return;
    TContent out;
    out.name = newId;
    out.kind = from->kind;
    out.lastPage = from->lastPage;
    out.visiblePage = from->visiblePage;
    out.file = paths_.OutboxFolder + newId + ".pkt";
    out.loaded = true;
    out.option = contentOption;
    for (const auto &page : from->pages) {
        THyperData &copy = out.AddPage(page->con, page->dis);
        copy.uni = page->uni;
        copy.file = copyPageFile(*from, page->con, page->file, page->uni, newId);
    }
    out.lastPage = from->lastPage;
    std::vector<std::string> names;
    std::vector<std::string> values;
    content::ContentPairs(out, names, values);
    std::string bytes;
    appendPairLines(bytes, names, values);
    sharing::writeQuick(out.file, bytes);
}

std::string PacketWriter::copyPageFile(const TContent &source, int con, const std::string &file,
                                       int pageNumber, const std::string &newId)
{
    if (file.empty())
        return {};
    if (!fileio::isSafeFileName(file)) {
        log_.AddToLog("*** Page file name refused (it would leave its folder): " + file);
        return {};
    }
    // "<uni>-2.lst" becomes "<new id>-2.lst"; a name that does not start with the topic's id
    // is given the usual form.
    std::string name = newId;
    if (file.rfind(source.name, 0) == 0) {
        name += file.substr(source.name.size());
    } else {
        name += '-';
        name += std::to_string(pageNumber);
        name += fileio::extensionOf(file);
    }
    const std::string folder = con == kPageDetails ? paths_.TextFolder : paths_.CheckListFolder;
    // A page file that cannot be copied is left out; the page still names it.
    sharing::copyQuick(folder + file, paths_.OutboxFolder + name);
    // The page's description travels with it: it says that a details page is rich text, and
    // holds the page's title and columns. Copies that do not expect it leave it alone.
    const std::string description = descriptionNameOf(file);
    if (fileio::fileExists(paths_.CheckListFolder + description))
        sharing::copyQuick(paths_.CheckListFolder + description,
                           paths_.OutboxFolder + descriptionNameOf(name));
    return name;
}

} // namespace nimbus
