// The id lists beside the topic store.
#include "shell/core/TopicLists.h"

#include "fileio/FolderOps.h"

namespace nimbus {

namespace {

template <std::size_t... I>
std::array<TNimbusStructure, sizeof...(I)> makeIdLists(std::index_sequence<I...>)
{
    return {((void)I, TNimbusStructure(TNimbusStructure::Role::IdList))...};
}

} // namespace

TopicLists::TopicLists() : groups(makeIdLists(std::make_index_sequence<7>()))
{
    for (TNimbusStructure &list : groups)
        list.SetSorted(true);
}

void TopicLists::SetDataFolder(const std::string &dataFolder)
{
    recentChanges.SetFileName(dataFolder + "strchanges.dat");
    recentNew.SetFileName(dataFolder + "strnew.dat");
}

void TopicLists::ClearGroups()
{
    for (TNimbusStructure &list : groups)
        list.Clear();
}

void TopicLists::LoadRecent(const TNimbusStructure &store)
{
    for (TNimbusStructure *list : {&recentChanges, &recentNew})
        if (fileio::fileExists(list->FileName())) {
            list->LoadIdList();
            list->ResolveIdList(store, kRecentLimit);
        }
}

StoreResult TopicLists::SaveRecent(const TNimbusStructure &store)
{
    StoreResult first;
    for (TNimbusStructure *list : {&recentChanges, &recentNew}) {
        if (!list->modified)
            continue;
        list->ResolveIdList(store, kRecentLimit);
        StoreResult saved = list->SaveIdList();
        if (saved)
            list->modified = false;
        else if (first)
            first = saved;
    }
    return first;
}

void TopicLists::AddNew(TNimbusNode &node)
{
    recentNew.InsertId(0, node.uni, &node);
    recentNew.modified = true;
}

} // namespace nimbus
