// Generates topic stores of any size with a realistic mix of topics, for the benchmarks.
#pragma once

#include <cstdint>

#include "store/DateTime.h"

namespace nimbus {

class TNimbusStructure;

namespace bench {

// Fills store with the five fixed sections and `topics` topics below "Topics", nested up to
// six levels: 40% tasks with due dates (some with times, flagged or automatic), 10% recurring,
// events of one to three days, urgent topics, priorities, and notes without dates. Due dates
// lie within half a year of `around`. The same seed gives the same store.
void GenerateStore(TNimbusStructure &store, int topics, DateTime around, std::uint32_t seed = 1);

}  // namespace bench
}  // namespace nimbus
