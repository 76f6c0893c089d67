// What the "Topic options" and "Select topic type" dialogs show for their values: heading
// texts and images, stamps, the initial picker values and which controls are visible and
// enabled. The dialogs only put these on screen.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/DateTime.h"
#include "store/TopicOptions.h"

namespace nimbus {

// An image of the main window's image lists, by list and index.
struct TopicImage {
    enum class List { None, Sections, TopicTypes, Statuses, Urgency };
    List list = List::None;
    int index = -1;
};

struct TopicOptionsHeading {
    std::string systemLabel; // labelSystemTopic: "System section", "System topic" or empty
    std::string typeLabel;   // labelTopicType
    TopicImage typeImage;
    std::string urgentLabel; // labelUrgent; empty: neither it nor imageUrgent is shown
    TopicImage urgentImage;
    std::string created; // labelCreated, labelStarted, labelSentBy, labelSentDate
    std::string started;
    std::string sentBy;
    std::string sentDate;
    std::string lastDone; // labelLastDone; empty: panelLastDone is hidden
};
TopicOptionsHeading topicOptionsHeading(const TopicOptions &values);

// The values the pickers and number edits start with. Dates that are not dates (a hand-edited
// store) leave the pickers on today; times that are not times leave them unticked.
struct TopicOptionsPickers {
    DateTime deadDate; // date pickers: the due date, else today
    bool deadTimeTicked = false;
    DateTime deadTime;
    DateTime recurDate; // the next date of a recurring topic, else as deadDate
    bool recurTimeTicked = false;
    DateTime recurTime;
    bool recurChecked = false; // radioRecur, else radioOneOff
    bool recurFilled = false;  // editRecurNo and comboRecurPeriod show the recurrence
    int percentIndex = 0;      // comboPercent
    int priorityIndex = -1;    // comboPriority; -1 none
};
TopicOptionsPickers topicOptionsPickers(const TopicOptions &values, DateTime today);

// Visibility and enabling of the task panel's controls for the controls' current state.
struct TopicOptionsLayout {
    bool panelTaskVisible = false; // when false nothing else applies
    std::string typeTitle;         // labelType
    std::string recurTitle;        // labelRecur
    bool durationVisible = false;  // labelDuration, editDurationNo, comboDurationPeriod
    bool progressVisible = false;  // priority and percentage controls, checkCalcProgress
    bool oneOffBold = false;
    bool recurBold = false;
    bool deadLineEnabled = false;    // checkDeadLine
    bool deadPickersEnabled = false; // pickerDeadDate, pickerDeadTime
    bool autoCompleteEnabled = false;
    bool recurEnabled = false; // the recurrence panel and its controls
    bool flagEnabled = false;  // editFlagNo
    bool calcProgressEnabled = false;
    bool percentEnabled = false;
};
TopicOptionsLayout topicOptionsLayout(const TopicOptions &values, bool recurChosen,
                                      bool deadlineTicked, bool calcProgressTicked);

// The period names a count edit's text calls for: singular exactly when the text is "1".
bool usesSingularPeriods(std::string_view countText);
std::vector<std::string> periodNames(bool singular);

// Whether choosing "recurring" copies the one-off pickers' date and time into the recurring
// ones: when the recurring date lies before today and the one-off date does not.
bool carryOneOffIntoRecur(DateTime today, DateTime oneOffDate, DateTime recurDate);

// "Select topic type": the five choices in their order, and the type OK returns for the
// choice shown bold (-1 none: the preset stays).
constexpr int kTopicTypeChoices[] = {kTopicTask, kTopicInformation, kTopicIdea, kTopicFinancial,
                                     kTopicEvent};
int topicTypeChoiceIndex(int topicType);
int chosenTopicType(int boldChoice, int preset);

} // namespace nimbus
