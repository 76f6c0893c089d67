// Reading a received packet and deciding whether it may be merged. A packet comes from another
// person's program and is checked whole before anything of it reaches the store: its size, its
// records, a header first, ids that stay inside their folders and never name a local topic that
// was not shared, and levels that make a tree below the header.
#pragma once

#include <string>

namespace nimbus {

class TNimbusStructure;

namespace packet {

inline constexpr const char *kHeaderId = "-1";

// The id a packet topic has here: "<own prefix><id>" (this user's own topic coming back) loses
// the prefix; any other id is kept whole.
std::string LocalIdOf(const std::string &uni, const std::string &ownPrefix);

// Reads store records from someone else's file into store (an empty store of its own): at
// most the topic limit, no damaged record and no record without an id (which would be given a
// number that may be a local topic's). False with the reason in problem.
bool ParseStoreRecords(const std::string &bytes, TNimbusStructure &store, std::string &problem);

// Reads the store records in bytes into packet (an empty store of its own) and checks them.
// False, with the reason in problem, for a packet that must not be merged. No bytes at all is a
// packet without topics.
bool ParsePacket(const std::string &bytes, TNimbusStructure &packet, const std::string &ownPrefix,
                 std::string &problem);
// The same for a file, which must be a plain file within the size limit.
bool ReadPacket(const std::string &path, TNimbusStructure &packet, const std::string &ownPrefix,
                std::string &problem);

} // namespace packet
} // namespace nimbus
