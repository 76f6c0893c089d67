// Applying nimbus-cli's changes in the running program.
#include "shell/CliChangeApplier.h"

#include "tree/ChangeRules.h"
#include "tree/RepeatField.h"
#include "tree/RequestRecords.h"
#include "fileio/FolderOps.h"
#include "ipc/Channels.h"
#include "recurrence/RecurrenceFile.h"
#include "recurrence/SkipOccurrence.h"
#include "shell/TformMain.h"
#include "shell/TreeController.h"
#include "shell/summary/SummaryPage.h"
#include "store/SummaryLists.h"
#include "store/TNimbusNode.h"
#include "store/TNimbusStructure.h"

namespace nimbus {

using cli::ChangeAnswer;
using cli::ChangeRequest;

void CliChangeApplier::apply(const std::string &word, const std::string &value)
{
    const auto change = cli::decodeChange(word, value);
    if (!change) {
        window_.AddToLog("*** A change from nimbus-cli could not be read and was ignored");
        return;
    }
    // The same request again (nimbus-cli gave up waiting, or a script retried): the first
    // answer, and nothing made twice.
    const TNimbusStructure *store = window_.store();
    const std::string dataFolder = store ? fileio::folderOf(store->FileName()) : std::string();
    const cli::RequestRecords records(dataFolder);
    const bool recorded = !dataFolder.empty();
    ChangeAnswer answer;
    if (const std::optional<ChangeAnswer> made =
            recorded ? records.find(change->request) : std::nullopt) {
        answer = *made;
        window_.AddToLog("Topic " + answer.id + ": " + cli::changeWord(change->kind) +
                         " from nimbus-cli was asked for again and not made twice");
    } else {
        answer = applyChange(*change);
        if (answer.status == cli::kSuccess) {
            if (recorded)
                records.remember(change->request, answer);
            window_.AddToLog("Topic " + answer.id + ": " + cli::changeWord(change->kind) +
                             " from nimbus-cli");
        }
    }
    if (!change->reply.empty())
        ipc::SendToChannel(ipc::PipeLine(change->reply, true, channelFolder_), nullptr,
                           {cli::encodeAnswer(answer)});
}

ChangeAnswer CliChangeApplier::applyChange(const ChangeRequest &change)
{
    ChangeAnswer answer;
    auto fail = [&answer](const cli::Outcome &outcome) {
        answer.status = outcome.status;
        answer.message = outcome.message;
        return answer;
    };
    TNimbusStructure *store = window_.store();
    TreeController *tree = window_.treeController();
    if (!store || !tree || window_.closing())
        return fail(cli::Outcome::fail(cli::kStoreProblem, "Nimbus Desk is closing; try again"));
    if (store->LoadFailed())
        return fail(cli::Outcome::fail(cli::kStoreProblem,
                                       "the running Nimbus Desk could not read its store and saves nothing over it"));
    const Clock &clock = window_.clock();

    if (change.kind == ChangeRequest::Kind::Add) {
        TNimbusNode *parent = nullptr;
        if (cli::Outcome found = cli::findParent(*store, change.id, parent); !found)
            return fail(found);
        auto node = std::make_unique<TNimbusNode>("new");
        cli::initNewTopic(*node, *parent, change.title, clock);
        if (cli::Outcome applied = cli::applyFields(*node, change.fields, clock); !applied)
            return fail(applied);
        const int unique = store->NextUnique();
        if (unique < 0)
            return fail(cli::Outcome::fail(cli::kStoreProblem, "no id could be taken from " + store->UniqueFileName()));
        node->uni = std::to_string(unique);
        answer.id = node->uni;
        // Its series, kept in the recurrence file, is part of the step that adds it.
        recurrence::RecurrenceFile *rules = window_.recurrenceFile();
        std::optional<recurrence::Series> series = cli::attachedSeries(*node);
        std::unique_ptr<history::StoreCommand> withSeries;
        if (rules && series)
            withSeries =
                std::make_unique<recurrence::SeriesEdit>(*rules, answer.id, std::nullopt, *series);
        TNimbusNode *made = tree->insertTopic(parent, std::move(node), std::move(withSeries));
        if (!made)
            return fail(cli::Outcome::fail(cli::kStoreProblem, "the id " + answer.id + " is already in use"));
        if (rules && cli::touchesRepeat(change.fields))
            cli::recordSeries(*rules, *made);
        tree->nodeEdited(made);
    } else {
        TNimbusNode *node = nullptr;
        if (cli::Outcome found = cli::checkTarget(*store, change.id, node); !found)
            return fail(found);
        answer.id = node->uni;
        // Done and set are steps of the window's undo history, named as the window names
        // its own changes of those values; a removal is one through removeNode.
        if (change.kind != ChangeRequest::Kind::Remove)
            tree->beginEdit(node);
        const std::optional<recurrence::Series> seriesBefore = cli::attachedSeries(*node);
        cli::Outcome applied;
        if (change.kind == ChangeRequest::Kind::Done)
            applied = cli::completeTopic(*node, clock);
        else if (change.kind == ChangeRequest::Kind::Set)
            applied = cli::applyFields(*node, change.fields, clock);
        else
            applied = cli::checkRemovable(*node);
        if (!applied) {
            tree->cancelEdit();
            return fail(applied);
        }
        // A new repeat rule is kept in the recurrence file, in the same step as the fields.
        recurrence::RecurrenceFile *rules = window_.recurrenceFile();
        if (change.kind == ChangeRequest::Kind::Set && rules && cli::touchesRepeat(change.fields)) {
            std::optional<recurrence::Series> seriesAfter = cli::attachedSeries(*node);
            cli::recordSeries(*rules, *node);
            if (seriesBefore != seriesAfter)
                tree->joinEdit(std::make_unique<recurrence::SeriesEdit>(
                    *rules, node->uni, seriesBefore, std::move(seriesAfter)));
        }
        if (change.kind == ChangeRequest::Kind::Remove)
            tree->removeNode(node);
        else
            tree->nodeEdited(node);
    }
    // The summary's counts follow at once, and the window's own save writes the store.
    if (auto *summary = window_.summaryPage())
        summary->RefreshGroups();
    window_.SaveAll();
    // The list of new topics is kept at close; written now too, so that nimbus-cli's own
    // "new" list and count agree with the window's.
    if (change.kind == ChangeRequest::Kind::Add && window_.summaryLists())
        window_.summaryLists()->SaveRecentLists(*store);
    if (store->modified)
        return fail(cli::Outcome::fail(cli::kStoreProblem,
                                       "the change was made in Nimbus Desk, but its store could not be written "
                                       "(see its main log); it is written with the next save"));
    return answer;
}

} // namespace nimbus
