// Merging a checked packet into the main store: topics the user has are updated in place, the
// others are placed in the tree, by the first of four cases that applies:
//   a. every topic is known: each local topic takes the received fields;
//   b. some are known: those are updated, the header goes under the section of its kind and
//      each new topic is placed next to the topic before it in the packet;
//   c. none is known and a section of the header's kind exists: the header and the topics go
//      directly under that section, keeping their packet levels;
//   d. none is known and there is no such section: a "New section" is made at the end of the
//      tree with the header and the topics, and the topics are listed as new.
#pragma once

#include <string>

#include "sharing/MergeChanges.h"

namespace nimbus {

class StoreLog;
class TNimbusStructure;

namespace packet {

// packet has passed ParsePacket/ReadPacket with the same ownPrefix and is emptied (its nodes
// join the store or are destroyed). store's list is the tree in pre-order. New topics of case d
// are put first in recentNew (the summary's new-topics list) when given. False, with the store
// untouched, when no new id can be had from the counter file.
bool MergePacket(TNimbusStructure &store, TNimbusStructure &packet, const std::string &ownPrefix,
                 TNimbusStructure *recentNew, StoreLog &log, MergeChanges &changes);

} // namespace packet
} // namespace nimbus
