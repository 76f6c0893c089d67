// Fuzz target for the calendar importer: the bytes are an .ics file; what it yields is
// previewed and imported into a small store in a scratch data folder, pages included, and
// written out again, so every value a file can carry runs through the mapping both ways.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "FuzzScratch.h"
#include "calendar/CalendarImport.h"
#include "calendar/IcsReader.h"
#include "calendar/IcsWriter.h"
#include "store/Clock.h"
#include "store/TNimbusStructure.h"

namespace {

using namespace nimbus;

const std::string &folder()
{
    // The zone is set before anything reads it.
    static const bool inBerlin = ::setenv("TZ", "Europe/Berlin", 1) == 0;
    static const nimbus::fuzz::ScratchFolder scratch("nimbus-fuzz-calendar",
                                                     {"Packs", "Text", "CheckList"});
    (void)inBerlin;
    return scratch.path();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string &base = folder();
    const calendar::ReadResult read =
        calendar::readCalendar(std::string_view(reinterpret_cast<const char *>(data), size));
    if (!read.ok || read.topics.size() > 200)
        return 0;
    calendar::writeCalendar(read.topics, {"20240310-120000"});
    static const FixedClock clock(DateTime::fromCivil(2024, 3, 10, 12, 0, 0));
    TNimbusStructure store;
    store.SetFileName(base + "Structure.dat");
    store.SetUniqueFileName(base + "StructUnique.dat");
    auto section = std::make_unique<TNimbusNode>("1");
    section->type = 1;
    store.Append(std::move(section));
    calendar::CalendarLinks links;
    links.Load(base);
    const ContentFolders folders = ContentFolders::inDataFolder(base);
    const calendar::ImportTarget target{&store, 0, &links, &folders, nullptr, &clock, nullptr};
    calendar::previewImport(read, target);
    calendar::applyImport(read, target);
    for (const auto &entry : store.Entries())
        entry.node->UpdateSchedule(clock);
    return 0;
}
