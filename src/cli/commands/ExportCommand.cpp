// Exporting topics to iCalendar.
#include "cli/commands/ExportCommand.h"

#include "calendar/CalendarLinks.h"
#include "calendar/IcsWriter.h"
#include "calendar/TopicExport.h"
#include "cli/Arguments.h"
#include "cli/RtfPlainText.h"
#include "cli/TopicSnapshot.h"
#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"
#include "fileio/UiText.h"
#include "recurrence/RecurrenceFile.h"
#include "recurrence/TopicRecurrence.h"
#include "store/Clock.h"
#include "store/DateFormat.h"
#include "store/TContent.h"
#include "store/TNimbusNode.h"

namespace nimbus::cli {

namespace {

// Details pages go out as their plain text; without the window's rich-text reader there is
// no HTML copy beside it.
class PlainDetailsConverter : public calendar::DetailsConverter {
public:
    void convert(const std::string &rtf, std::string &plainText, std::string &html) override
    {
        plainText = rtfPlainText(rtf);
        html.clear();
    }
};

} // namespace

std::string ExportCommand::help() const
{
    return text::translate(
        "ExportCommand",
        "Usage: nimbus-cli export --ics [--under ID] [--output FILE]\n"
        "\n"
        "Writes the topics as one iCalendar file, as the window's calendar export does: a\n"
        "task is a VTODO, an event a VEVENT, any other topic a VJOURNAL, with repeats,\n"
        "alarms, the tree's parent links, the details pages as text and the checklists as\n"
        "sub-tasks. The UIDs are this installation's, so importing the file again updates\n"
        "the same topics.\n"
        "\n"
        "  --ics           the iCalendar form (the only one there is; it must be named)\n"
        "  --under ID      the topic ID with everything below it (a section's id: the\n"
        "                  section's topics); without it, every topic\n"
        "  --output FILE   write FILE (replaced whole, never left half written) instead of\n"
        "                  standard output\n"
        "\n"
        "Exit status 1 when there is no topic to export.\n");
}

Outcome ExportCommand::run(const std::vector<std::string> &words, CliContext &context)
{
    Arguments arguments({"under", "output"}, {"ics"});
    if (Outcome parsed = arguments.parse(words); !parsed)
        return parsed;
    if (!arguments.has("ics"))
        return Outcome::fail(kUsage,
                             NIMBUS_TEXT_NOOP("CliMessages", "export needs the form: --ics"));
    if (!arguments.plain().empty())
        return Outcome::fail(
            kUsage, NIMBUS_TEXT_NOOP("CliMessages",
                                     "export takes no words, only --ics, --under and --output"));
    const std::string output = arguments.value("output").value_or("");
    if (arguments.has("output") && output.empty())
        return Outcome::fail(kUsage, NIMBUS_TEXT_NOOP("CliMessages", "--output needs a file name"));

    auto snapshot = std::make_shared<TopicSnapshot>();
    context.readTopics = snapshot;
    if (Outcome loaded = snapshot->load(context.dataFolder, context.clock, false); !loaded)
        return loaded;
    TNimbusStructure &store = snapshot->store();
    // Repeating topics go out with their whole rules.
    recurrence::RecurrenceFile rules(context.dataFolder);
    if (rules.Load(NullStoreLog::instance()))
        recurrence::attachSeries(store, rules);
    int index = 0;
    auto scope = calendar::ExportScope::Everything;
    if (const auto under = arguments.value("under")) {
        index = store.IndexOf(*under);
        if (index < 0)
            return Outcome::fail(
                kNothingFound, NIMBUS_TEXT_NOOP("CliMessages", "no topic has the id %1"), {*under});
        scope = calendar::ExportScope::TopicWithSubtopics;
    }

    // The installation id begins every UID. "Calendar.dat" is read, and written only when it
    // is not there yet, so that this export and every later one (the window's too, which reads
    // the file at each export) share one id.
    calendar::CalendarLinks links;
    const bool firstExport =
        !fileio::fileExists(context.dataFolder + calendar::CalendarLinks::kFileName);
    links.Load(context.dataFolder);
    if (firstExport)
        if (StoreResult saved = links.Save(); !saved)
            return Outcome::fail(
                kStoreProblem,
                NIMBUS_TEXT_NOOP("CliMessages", "the calendar state %1 could not be written: %2"),
                {context.dataFolder + calendar::CalendarLinks::kFileName, saved.errorText});

    const ContentFolders folders = ContentFolders::inDataFolder(context.dataFolder);
    PlainDetailsConverter converter;
    const calendar::ExportSource source{&folders, &converter, &NullStoreLog::instance()};
    // Each entry goes out as it is made: to the terminal, or into the new file that replaces
    // the old one only when complete.
    fileio::AtomicFile file(output);
    if (!output.empty() && !file.open())
        return Outcome::fail(
            kStoreProblem,
            NIMBUS_TEXT_NOOP("CliMessages", "the calendar file %1 could not be written: %2"),
            {output, file.errorText()});
    calendar::CalendarStream stream({dates::stamp(context.clock.now())},
                                    [&](std::string_view bytes) {
                                        if (output.empty())
                                            context.out << bytes;
                                        else
                                            file.write(bytes);
                                    });
    calendar::exportTopics(store, index, scope, links.installation(), source,
                           [&stream](calendar::CalendarTopic &topic) { stream.add(topic); });
    if (stream.added() == 0)
        return Outcome::fail(kNothingFound,
                             NIMBUS_TEXT_NOOP("CliMessages", "there is no topic to export"));
    stream.finish();
    if (!output.empty() && !file.commit())
        return Outcome::fail(
            kStoreProblem,
            NIMBUS_TEXT_NOOP("CliMessages", "the calendar file %1 could not be written: %2"),
            {output, file.errorText()});
    return Outcome::ok();
}

} // namespace nimbus::cli
