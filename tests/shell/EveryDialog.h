// One of each of the window's dialogs and small windows (the topic options dialog aside, which
// tests open with their own values), for the tests that look at every text they show.
#pragma once

#include <QCoreApplication>
#include <QTextDocumentFragment>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "caldav/CalendarAccount.h"
#include "shell/caldav/CalendarAccountDialog.h"
#include "shell/calendar/CalendarImportSummary.h"
#include "shell/calendar/CalendarPreviewDialog.h"
#include "shell/dialogs/OperationProgressDialog.h"
#include "shell/dialogs/TformHilite.h"
#include "shell/dialogs/TformSelection.h"
#include "shell/dialogs/TformTitle.h"
#include "shell/dialogs/TformTopicSelect.h"
#include "shell/lan/TSelectFolder.h"
#include "shell/reminders/ReminderWindow.h"
#include "store/SummaryRules.h"
#include "store/TNimbusStructure.h"
#include "viewer/TFileDisplayColumnForm.h"
#include "viewer/TFormSelectVersion.h"
#include "viewer/TformFileDisplayOptions.h"

namespace nimbus::test {

// chosenFolder and store must outlive the dialogs; folder is where the folder chooser starts.
inline std::vector<std::unique_ptr<QWidget>>
everyDialog(QString &chosenFolder, TNimbusStructure &store, const std::string &folder)
{
    std::vector<std::unique_ptr<QWidget>> dialogs;
    dialogs.push_back(std::make_unique<dialogs::TformTitle>("Title"));
    dialogs.push_back(std::make_unique<dialogs::TformTopicSelect>(0));
    dialogs.push_back(std::make_unique<dialogs::TformSelection>(
        summary::SelectionTitle(summary::Group::Overdue), std::vector<TNimbusNode *>{}));
    dialogs.push_back(std::make_unique<dialogs::TformHilite>(QTextDocumentFragment(), -1, -1));
    // Shown at its first report, at once.
    dialogs.push_back(std::make_unique<dialogs::OperationProgressDialog>(
        QCoreApplication::translate("nimbus::LanSharing", "Sending topics"), nullptr,
        dialogs::OperationProgressDialog::Timing{std::chrono::milliseconds(0),
                                                 std::chrono::milliseconds(100)}));
    dialogs.push_back(std::make_unique<TSelectFolder>(chosenFolder, QStringLiteral("Nimbus"),
                                                      QString::fromStdString(folder)));
    dialogs.push_back(std::make_unique<CalendarPreviewDialog>(CalendarImportSummary{}));
    dialogs.push_back(std::make_unique<caldavui::CalendarAccountDialog>(caldav::CalendarAccount{},
                                                                        store, nullptr));
    dialogs.push_back(std::make_unique<reminderui::ReminderWindow>());
    dialogs.push_back(std::make_unique<viewer::TFormSelectVersion>(QStringList{}));
    dialogs.push_back(
        std::make_unique<viewer::TformFileDisplayOptions>(viewer::FileDisplayOptions{}, 0, true));
    dialogs.push_back(std::make_unique<viewer::TFileDisplayColumnForm>(viewer::ColumnDetails{}));
    return dialogs;
}

} // namespace nimbus::test
