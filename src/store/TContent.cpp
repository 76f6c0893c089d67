// A topic's page list.
#include "store/TContent.h"

namespace nimbus {

ContentFolders ContentFolders::inDataFolder(const std::string &dataFolder)
{
    return {dataFolder + "Packs/", dataFolder + "Text/", dataFolder + "CheckList/"};
}

THyperData &TContent::AddPage(int con, const std::string &title)
{
    auto page = std::make_unique<THyperData>();
    page->con = con;
    page->uni = ++lastPage;
    page->dis = title;
    page->owner = this;
    if (con == kPageChecklist)
        page->AddDefaultColumns();
    pages.push_back(std::move(page));
    modified = true;
    return *pages.back();
}

THyperData *TContent::FindPage(int number) const
{
    for (const auto &page : pages)
        if (page->uni == number)
            return page.get();
    return nullptr;
}

void TContent::AddDefaultPages()
{
    AddPage(kPageDetails, "Details");
    AddPage(kPageChecklist, "Checklist");
    // Default pages are not a change of the content file: it is written when a page is saved.
    modified = false;
}

}  // namespace nimbus
