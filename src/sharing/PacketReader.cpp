// Reading and checking received packets.
#include "sharing/PacketReader.h"

#include <unordered_set>

#include "fileio/OMFILE.h"
#include "sharing/PacketFiles.h"
#include "sharing/SharingLimits.h"
#include "sharing/SharingNames.h"
#include "store/StructureReader.h"
#include "store/TNimbusStructure.h"

namespace nimbus::packet {

namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

bool refuse(std::string &problem, std::string text)
{
    problem = std::move(text);
    return false;
}

bool checkTopics(const TNimbusStructure &packet, const std::string &ownPrefix, std::string &problem)
{
    const TNimbusNode &header = *packet.Node(0);
    if (header.uni != kHeaderId)
        return refuse(problem, "its first record is not a header");
    if (header.lev != 1)
        return refuse(problem, "its header has the level " + std::to_string(header.lev));
    std::unordered_set<std::string> localIds;
    int previousLevel = header.lev;
    for (int i = 1; i < packet.Count(); ++i) {
        const TNimbusNode &node = *packet.Node(i);
        // Every program names a sent topic "<sender>-<id>": an id without a sender would
        // update a local topic that was never shared.
        if (node.uni.find('-') == std::string::npos || !sharing::isSafeId(node.uni))
            return refuse(problem, "the topic id \"" + node.uni + "\" is not allowed");
        const std::string localId = LocalIdOf(node.uni, ownPrefix);
        if (!sharing::isSafeId(localId))
            return refuse(problem, "the topic id \"" + node.uni + "\" is not allowed");
        if (!localIds.insert(localId).second)
            return refuse(problem, "two topics have the id " + localId);
        // Sent topics lie below the header, each at most one level below the one before it.
        if (node.lev < 2 || node.lev > limits::kMaxLevel || node.lev > previousLevel + 1)
            return refuse(problem,
                          "the topic " + node.uni + " has the level " + std::to_string(node.lev));
        previousLevel = node.lev;
    }
    return true;
}

} // namespace

std::string LocalIdOf(const std::string &uni, const std::string &ownPrefix)
{
    if (!ownPrefix.empty() && uni.size() >= ownPrefix.size() &&
        uni.compare(0, ownPrefix.size(), ownPrefix) == 0)
        return uni.substr(ownPrefix.size());
    return uni;
}

bool ParseStoreRecords(const std::string &bytes, TNimbusStructure &store, std::string &problem)
{
    problem.clear();
    if (static_cast<std::int64_t>(bytes.size()) > limits::kMaxStoreFileBytes)
        return refuse(problem, "it is too large");
    StructureReader reader(store);
    int lineNumber = 0;
    std::string name;
    std::string value;
    sharing::forEachLine(bytes, [&](const std::string &line) {
        ++lineNumber;
        fileio::splitPair(line, name, value);
        if (trimmed(name) == "uni" && trimmed(value).empty()) {
            problem = "a record has no id (line " + std::to_string(lineNumber) + ")";
            return false;
        }
        reader.ReadLine(line, lineNumber);
        // Stopped at once: a file of nothing but "uni" lines must not fill the memory.
        if (store.Count() > limits::kMaxTopics) {
            problem = "it holds more than " + std::to_string(limits::kMaxTopics) + " topics";
            return false;
        }
        return true;
    });
    if (!problem.empty())
        return false;
    reader.Finish();
    if (!reader.Problems().empty())
        return refuse(problem, reader.Problems().front().english());
    return true;
}

bool ParsePacket(const std::string &bytes, TNimbusStructure &packet, const std::string &ownPrefix,
                 std::string &problem)
{
    if (!ParseStoreRecords(bytes, packet, problem))
        return false;
    if (packet.Count() == 0)
        return true;
    return checkTopics(packet, ownPrefix, problem);
}

bool ReadPacket(const std::string &path, TNimbusStructure &packet, const std::string &ownPrefix,
                std::string &problem)
{
    std::string bytes;
    if (!sharing::readBounded(path, limits::kMaxStoreFileBytes, bytes, problem))
        return false;
    return ParsePacket(bytes, packet, ownPrefix, problem);
}

} // namespace nimbus::packet
