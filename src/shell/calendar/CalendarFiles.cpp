// See CalendarFiles.h.
#include "shell/calendar/CalendarFiles.h"

#include <QFile>
#include <QMimeData>
#include <QRegularExpression>
#include <QSaveFile>
#include <QUrl>
#include <filesystem>

#include "calendar/CalendarImport.h"
#include "calendar/CalendarLinks.h"
#include "calendar/IcsReader.h"
#include "calendar/IcsWriter.h"
#include "calendar/TopicUid.h"
#include "shell/MainTreeView.h"
#include "shell/ShellPrompts.h"
#include "shell/TformMain.h"
#include "shell/TopicTreeModel.h"
#include "shell/TreeController.h"
#include "shell/calendar/CalendarImportSummary.h"
#include "shell/calendar/RichDetailsConverter.h"
#include "shell/calendar/RichPageWriter.h"
#include "store/DateFormat.h"
#include "store/TContent.h"
#include "store/TNimbusStructure.h"

namespace nimbus {

using calendar::ExportScope;

namespace {

// The topic a read UID stands for after the import, as the importer matches it.
TNimbusNode *importedTopic(const std::string &uid, calendar::CalendarLinks &links,
                           TNimbusStructure &store)
{
    if (auto own = calendar::ownTopicId(uid, links.installation()))
        if (TNimbusNode *node = store.Find(*own))
            return node;
    const std::string uni = links.topicFor(uid);
    return uni.empty() ? nullptr : store.Find(uni);
}

// A file name from a topic's title: what file managers and mail programs show.
QString fileNameFor(const TNimbusNode &node)
{
    QString name = QString::fromStdString(node.text).simplified();
    name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("_"));
    if (name.isEmpty() || name.startsWith('.'))
        name.prepend(QStringLiteral("Topic"));
    return name.left(60) + QStringLiteral(".ics");
}

} // namespace

CalendarFiles::CalendarFiles(TformMain &window, ShellPrompts &prompts)
    : QObject(&window), window_(window), prompts_(prompts)
{
}

CalendarFiles::~CalendarFiles() = default;

std::string CalendarFiles::homeFolder() const
{
    return std::filesystem::path(window_.paths().DataFolder).parent_path().parent_path().string();
}

// The log keeps the English message; the user reads it in their language.
void CalendarFiles::fail(const char *message, const std::string &detail)
{
    window_.AddErrorToLog("*** " + std::string(message) + (detail.empty() ? "" : ": " + detail));
    const std::string shown = tr(message).toStdString();
    prompts_.tellUser(&window_, window_.paths().ProductTitle,
                      shown + (detail.empty() ? "." : ":\n" + detail));
}

std::size_t CalendarFiles::writeCalendar(const TNimbusNode *node, ExportScope scope,
                                         const calendar::CalendarStream::Sink &sink)
{
    TNimbusStructure *store = window_.store();
    if (!store || !window_.treeController())
        return 0;
    window_.treeController()->SyncStoreFromTree();
    const int index = node ? store->IndexOf(node->uni) : 0;
    if (index < 0 || store->Count() == 0)
        return 0;
    calendar::CalendarLinks links;
    links.Load(window_.paths().DataFolder);
    const ContentFolders folders = ContentFolders::inDataFolder(window_.paths().DataFolder);
    calendar::RichDetailsConverter converter;
    const calendar::ExportSource source{&folders, &converter, &window_.storeLog()};
    // Each entry goes to the sink as it is made; the topics are never all held at once.
    calendar::CalendarStream stream({dates::stamp(window_.clock().now())}, sink);
    calendar::exportTopics(*store, index, scope, links.installation(), source,
                           [&stream](calendar::CalendarTopic &topic) { stream.add(topic); });
    // A new installation id must be kept, or the next export's UIDs would differ.
    links.Save();
    if (stream.added() > 0)
        stream.finish();
    return stream.added();
}

bool CalendarFiles::exportChosen(const TNimbusNode *node, ExportScope scope)
{
    const std::string path = prompts_.chooseCalendarFile(&window_, true, homeFolder());
    if (path.empty())
        return false;
    return exportTo(node, scope, path.ends_with(".ics") ? path : path + ".ics");
}

bool CalendarFiles::exportTo(const TNimbusNode *node, ExportScope scope, const std::string &path)
{
    // The new file replaces the old one only when it is complete (QSaveFile): a failed
    // export leaves the old file as it was and no half file beside it.
    QSaveFile file(QString::fromStdString(path));
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    const std::size_t added =
        !written ? 0 : writeCalendar(node, scope, [&](std::string_view bytes) {
            written = written && file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                                     static_cast<qint64>(bytes.size());
        });
    if (added == 0 || !written || !file.commit()) {
        file.cancelWriting();
        fail(QT_TR_NOOP("The calendar file could not be written"),
             path + " " + file.errorString().toStdString());
        return false;
    }
    window_.AddToLog("Exported to calendar file " + path);
    return true;
}

bool CalendarFiles::importChosen(TNimbusNode *place)
{
    const std::string path = prompts_.chooseCalendarFile(&window_, false, homeFolder());
    if (path.empty())
        return false;
    return importFiles({QString::fromStdString(path)}, place);
}

bool CalendarFiles::importFiles(const QStringList &paths, TNimbusNode *place)
{
    TNimbusStructure *store = window_.store();
    TreeController *tree = window_.treeController();
    if (!store || !tree || paths.isEmpty())
        return false;
    // Every file is read before anything changes: one bad file refuses them all.
    calendar::ReadResult all;
    all.ok = true;
    for (const QString &path : paths) {
        calendar::ReadResult read = calendar::readCalendarFile(path.toStdString());
        if (!read.ok) {
            fail(QT_TR_NOOP("The calendar file could not be imported"),
                 path.toStdString() + ": " + read.error);
            return false;
        }
        for (auto &topic : read.topics)
            all.topics.push_back(std::move(topic));
        for (auto &skipped : read.skipped)
            all.skipped.push_back(std::move(skipped));
        for (const std::string &warning : read.warnings)
            window_.AddToLog(path.toStdString() + ": " + warning);
    }
    window_.SaveAll(); // the tree and the open page are in the store and on disk first
    int placeIndex = place ? store->IndexOf(place->uni) : 0;
    if (placeIndex < 0)
        placeIndex = 0;
    calendar::CalendarLinks links;
    links.Load(window_.paths().DataFolder);
    const ContentFolders folders = ContentFolders::inDataFolder(window_.paths().DataFolder);
    calendar::RichPageWriter pages;
    calendar::ImportTarget target{
        store, placeIndex, &links, &folders, &pages, &window_.clock(), &window_.storeLog()};
    target.recurrence = window_.recurrenceFile();
    const calendar::ImportPreview preview = calendar::previewImport(all, target);
    CalendarImportSummary summary{preview.added, preview.updated, {}};
    for (const auto &skipped : all.skipped) {
        summary.skipped.push_back(skipped.what + ": " + skipped.why);
        window_.AddToLog("Calendar import skipped " + skipped.what + ": " + skipped.why);
    }
    if (!prompts_.confirmCalendarImport(&window_, summary))
        return false;
    const calendar::ImportOutcome outcome = calendar::applyImport(all, target);
    tree->BuildTree();
    if (!outcome.ok) {
        fail(QT_TR_NOOP("The calendar file could not be imported"), outcome.error);
        return false;
    }
    window_.SaveStore();
    window_.AddToLog("Calendar import: " + std::to_string(outcome.added) + " added, " +
                     std::to_string(outcome.updated) + " updated");
    if (!all.topics.empty())
        if (TNimbusNode *first = importedTopic(all.topics.front().uid, links, *store))
            tree->selectNode(first);
    return true;
}

void CalendarFiles::addDragData(const TNimbusNode *node, QMimeData *data)
{
    if (!node || node->lev <= 0)
        return;
    std::string bytes;
    if (writeCalendar(node, ExportScope::TopicWithSubtopics,
                      [&bytes](std::string_view piece) { bytes += piece; }) == 0)
        return;
    const QByteArray ics(bytes.data(), static_cast<qsizetype>(bytes.size()));
    data->setData(QStringLiteral("text/calendar"), ics);
    if (!dragFolder_)
        dragFolder_ = std::make_unique<QTemporaryDir>();
    if (!dragFolder_->isValid())
        return;
    QFile file(dragFolder_->filePath(fileNameFor(*node)));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(ics) == ics.size()) {
        file.close();
        data->setUrls({QUrl::fromLocalFile(file.fileName())});
    }
}

void CalendarFiles::followTree(MainTreeView &view, TreeController &tree)
{
    connect(&view, &MainTreeView::calendarFilesDropped, this,
            [this, &tree](const QStringList &files, tree::TreeItem *target) {
                importFiles(files, target ? target->node : tree.selectedNode());
            });
    tree.model()->setDragExtras(
        [this](const TNimbusNode *node, QMimeData *data) { addDragData(node, data); });
}

} // namespace nimbus
