// Page counts of older data.
#include "shell/core/DataUpgrade.h"

#include "store/ContentFiles.h"
#include "store/TContent.h"
#include "store/TNimbusStructure.h"

namespace nimbus {

bool NeedsDataUpgrade(const std::string &storedVersion, const std::string &currentVersion)
{
    return storedVersion != currentVersion && storedVersion < currentVersion;
}

namespace {

int kindBit(int con)
{
    switch (con) {
    case 0:
        return 1;
    case 1:
        return 2;
    case 2:
        return 4;
    default:
        return 8;
    }
}

} // namespace

int UpgradePageCounts(TNimbusStructure &store, const ContentFolders &folders, StoreLog &log)
{
    int read = 0;
    for (int i = 0; i < store.Count(); ++i) {
        TNimbusNode *node = store.Node(i);
        if (!node || node->type != kSectionTopics || node->lev <= 0)
            continue;
        TContent &content = node->LoadContent(folders, log);
        if (content.loaded) {
            ++read;
            for (const auto &page : content.pages) {
                if (!content::LoadPageDescription(*page, folders, log))
                    continue;
                if (page->data || !page->fsa.empty()) {
                    node->dac += 1;
                    node->dam |= kindBit(page->con);
                }
            }
        }
        node->sys = false;
        node->content.reset();
        node->contentLoaded = false;
    }
    store.modified = true;
    return read;
}

} // namespace nimbus
