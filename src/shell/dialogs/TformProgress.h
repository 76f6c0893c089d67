// "Topic options": a topic's name, type, status and history, and the editing of its title,
// due date or recurrence, urgency lead time, automatic completion, priority, percentage
// complete and (for events) duration. The rules are in store/TopicOptions.h and
// store/TopicOptionsView.h; see TopicOptions.h for how the main window opens the dialog and
// applies its values.
#pragma once

#include <QDialog>
#include <QIcon>
#include <functional>

#include "store/TopicOptions.h"
#include "store/TopicOptionsView.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace nimbus {
class Clock;
}

namespace nimbus::dialogs {

class RecurrenceEditor;
class TimePicker;

class TformProgress : public QDialog {
    Q_OBJECT
public:
    // The main window's image lists; an empty function (or icon) shows no image. An icon
    // rather than a pixmap, so that the picture is drawn for the screen's pixel ratio.
    using ImageSource = std::function<QIcon(const TopicImage &)>;

    // Shows the values at once (the controls can be inspected before the dialog is shown).
    // The clock gives "today" for pickers of topics without a due date.
    TformProgress(const TopicOptions &values, const Clock &clock, QWidget *parent = nullptr,
                  ImageSource images = {});

    // The values: as given until OK, then with the controls' values and cancelled cleared.
    const TopicOptions &values() const { return values_; }
    // What the controls hold now.
    TopicOptionsControls currentControls() const;

    QLineEdit *editTopicName = nullptr;
    QLabel *imageTopicType = nullptr;
    QLabel *labelSystemTopic = nullptr;
    QLabel *labelTopicType = nullptr;
    QLabel *imageUrgent = nullptr;
    QLabel *labelUrgent = nullptr;
    QLabel *labelCreated = nullptr;
    QLabel *labelStarted = nullptr;
    QLabel *labelSentBy = nullptr;
    QLabel *labelSentDate = nullptr;

    QGroupBox *panelTask = nullptr;
    QLabel *labelType = nullptr;
    QRadioButton *radioOneOff = nullptr;
    QCheckBox *checkDeadLine = nullptr;
    QDateEdit *pickerDeadDate = nullptr;
    TimePicker *pickerDeadTime = nullptr;
    QRadioButton *radioRecur = nullptr;
    QWidget *panelRecur = nullptr;
    QLabel *labelRecur = nullptr;
    QLineEdit *editRecurNo = nullptr;
    QComboBox *comboRecurPeriod = nullptr;
    QLabel *labelNextDate = nullptr;
    QDateEdit *pickerRecurDate = nullptr;
    TimePicker *pickerRecurTime = nullptr;
    // Rules beyond "every N units"; while one is chosen, editRecurNo and comboRecurPeriod show
    // its nearest plain rule, which the store file keeps.
    RecurrenceEditor *recurrenceEditor = nullptr;
    QCheckBox *checkAutoComplete = nullptr;
    QLabel *labelFlag = nullptr;
    QLineEdit *editFlagNo = nullptr;
    QLabel *labelFlagUnit = nullptr;
    QLabel *labelDuration = nullptr;
    QLineEdit *editDurationNo = nullptr;
    QComboBox *comboDurationPeriod = nullptr;
    QLabel *labelPriority = nullptr;
    QComboBox *comboPriority = nullptr;
    QLabel *labelPercent = nullptr;
    QComboBox *comboPercent = nullptr;
    QCheckBox *checkCalcProgress = nullptr;
    QLabel *labelReminder = nullptr;
    QComboBox *comboReminder = nullptr; // the advance reminder: none, 5 minutes ... 1 day
    QWidget *panelLastDone = nullptr;
    QLabel *labelLastDone = nullptr;

    QPushButton *buttonOK = nullptr;
    QPushButton *buttonCancel = nullptr;

    void FormShow();
    void buttonOKClick();
    void buttonCancelClick();
    void radioOneOffClick();
    void radioRecurClick();
    void checkDeadLineClick();
    void checkCalcProgressClick();
    void editRecurNoChange();
    void editDurationNoChange();
    void recurrenceEditorChange();

private:
    void createControls();
    QWidget *createTaskPanel();
    void connectHandlers();
    void UpdateLayout();
    void setKeyboardOrder();
    void showImage(QLabel *label, const TopicImage &image);
    // The next date due and time as the recurrence editor takes them.
    void showRecurDateInEditor();

    TopicOptions values_;
    DateTime today_;
    ImageSource images_;
    // The plain rule shown before a custom rule was chosen, put back when it is given up.
    bool plainRuleKept_ = false;
    QString keptRecurNo_;
    int keptRecurPeriod_ = -1;
};

} // namespace nimbus::dialogs
