// The pool of fixed-size slots that nodes and tree items come from: slots never overlap, are
// aligned, are reused once given back, and several threads can take and give back at once.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "store/SlotPool.h"
#include "store/TNimbusNode.h"

namespace nimbus {
namespace {

TEST(SlotPoolTest, SlotsAreDistinctAlignedAndReused)
{
    SlotPool pool(36, 8, 16);
    EXPECT_EQ(pool.slotSize(), 40u);
    std::vector<void *> slots;
    for (int i = 0; i < 50; ++i) {
        void *slot = pool.allocate();
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(slot) % 8, 0u);
        std::memset(slot, i, 36); // the whole slot is the caller's
        slots.push_back(slot);
    }
    EXPECT_EQ(std::set<void *>(slots.begin(), slots.end()).size(), slots.size());
    for (int i = 0; i < 50; ++i)
        for (int b = 0; b < 36; ++b)
            ASSERT_EQ(static_cast<unsigned char *>(slots[i])[b], i)
                << "slot " << i << " overwritten";
    EXPECT_EQ(pool.blockCount(), 4u);
    EXPECT_EQ(pool.slotsInUse(), 50u);

    // Slots given back are handed out again before any new block is taken.
    std::set<void *> given;
    for (int i = 0; i < 50; i += 2) {
        given.insert(slots[i]);
        pool.deallocate(slots[i]);
    }
    pool.deallocate(nullptr);
    EXPECT_EQ(pool.slotsInUse(), 25u);
    for (int i = 0; i < 25; ++i)
        EXPECT_TRUE(given.count(pool.allocate()));
    EXPECT_EQ(pool.blockCount(), 4u);
    EXPECT_EQ(pool.slotsInUse(), 50u);
}

// Nodes are made and destroyed on worker threads while others do the same: every node keeps
// what was written into it, and every slot comes back.
TEST(SlotPoolTest, NodesMadeOnSeveralThreadsAtOnce)
{
    const std::size_t before = TNimbusNode::pooledCount();
    std::vector<std::thread> workers;
    std::vector<int> damaged(4, 0);
    for (int worker = 0; worker < 4; ++worker)
        workers.emplace_back([worker, &damaged] {
            std::vector<std::unique_ptr<TNimbusNode>> live;
            for (int round = 0; round < 5000; ++round) {
                const std::string id = std::to_string(worker) + "-" + std::to_string(round);
                live.push_back(std::make_unique<TNimbusNode>(id));
                live.back()->rowIndex = round;
                if (live.size() == 64 || round % 7 == 0) {
                    for (const auto &node : live) {
                        const std::string expected =
                            std::to_string(worker) + "-" + std::to_string(node->rowIndex);
                        if (node->uni != expected)
                            ++damaged[static_cast<std::size_t>(worker)];
                    }
                    live.erase(live.begin(), live.begin() + static_cast<long>(live.size() / 2));
                }
            }
        });
    for (std::thread &worker : workers)
        worker.join();
    EXPECT_EQ(damaged, std::vector<int>(4, 0));
    EXPECT_EQ(TNimbusNode::pooledCount(), before);

    if (SlotPool::kUsed) {
        auto node = std::make_unique<TNimbusNode>("1");
        EXPECT_EQ(TNimbusNode::pooledCount(), before + 1);
    }
}

} // namespace
} // namespace nimbus
