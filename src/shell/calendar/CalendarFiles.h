// Calendar files in the window: exporting topics to an .ics file, importing .ics files into
// the selected place with a preview first, and the .ics a topic becomes when dragged out of
// the tree. The rules of both directions are the calendar library's; this class brings in the
// window's pieces (the tree, rich pages, the file chooser, the log and the messages).
#pragma once

#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "calendar/IcsWriter.h"
#include "calendar/TopicExport.h"

class QMimeData;

namespace nimbus {

class ShellPrompts;
class TNimbusNode;
class MainTreeView;
class TformMain;
class TreeController;

class CalendarFiles : public QObject {
    Q_OBJECT
public:
    CalendarFiles(TformMain &window, ShellPrompts &prompts);
    ~CalendarFiles() override;

    // Asks for a file and writes the chosen topics to it; false when nothing was written.
    bool exportChosen(const TNimbusNode *node, calendar::ExportScope scope);
    // Writes the topics to path; false (logged and told) when that failed.
    bool exportTo(const TNimbusNode *node, calendar::ExportScope scope, const std::string &path);
    // Asks for a file and imports it under place.
    bool importChosen(TNimbusNode *place);
    // Imports the files under place (a section or topic) after the preview; false when
    // nothing was imported.
    bool importFiles(const QStringList &paths, TNimbusNode *place);
    // The node with its sub-topics as a temporary .ics file (its URL) and as text/calendar.
    void addDragData(const TNimbusNode *node, QMimeData *data);
    // Calendar files dropped on the tree view are imported under the topic they land on (or
    // the selected one); topics dragged out of the tree carry their calendar data.
    void followTree(MainTreeView &view, TreeController &tree);

    // The folder the file chooser starts in: the home folder.
    std::string homeFolder() const;

private:
    // Writes the chosen topics as a calendar file to sink, piece by piece; how many topics
    // were written (none: nothing reached the sink).
    std::size_t writeCalendar(const TNimbusNode *node, calendar::ExportScope scope,
                              const calendar::CalendarStream::Sink &sink);
    void fail(const char *message, const std::string &detail);

    TformMain &window_;
    ShellPrompts &prompts_;
    std::unique_ptr<QTemporaryDir> dragFolder_; // dragged-out files, removed with the window
};

} // namespace nimbus
