// The pages of the topics in the template store: a new data folder gets copies of the page
// lists, details pages and checklists that ship in the program folder's "Template/" folder.
#pragma once

#include <string>

#include "store/StoreLog.h"

namespace nimbus::content {

// The program folder's sub-folder that mirrors a data folder's content folders.
constexpr const char *kTemplateFolder = "Template/";

// Copies every file of templateFolder's Packs/, Text/ and CheckList/ into the same folders of
// dataFolder (created when missing). A file that already exists is never replaced. Returns the
// number of files copied; failures are logged and the rest still copied.
int SeedTemplateContent(const std::string &templateFolder, const std::string &dataFolder,
                        StoreLog &log);

}  // namespace nimbus::content
