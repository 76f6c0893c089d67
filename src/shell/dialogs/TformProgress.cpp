// The "Topic options" dialog: its controls, what FormShow puts in them, the layout rules and
// the handlers.
#include "shell/dialogs/TformProgress.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "recurrence/RuleText.h"
#include "recurrence/TopicRecurrence.h"
#include "reminders/ReminderLeads.h"
#include "shell/dialogs/DialogText.h"
#include "shell/dialogs/RecurrenceEditor.h"
#include "shell/dialogs/TimePicker.h"
#include "store/Clock.h"
#include "store/DateFormat.h"
#include "widgets/KeyboardAccess.h"

namespace nimbus::dialogs {

namespace {

template <typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QComboBox *periodCombo(QWidget *parent, const char *name)
{
    auto *combo = named(new QComboBox(parent), name);
    for (const std::string &period : periodNames(false))
        combo->addItem(toQt(period));
    return combo;
}

QLineEdit *countEdit(QWidget *parent, const char *name)
{
    auto *edit = named(new QLineEdit(parent), name);
    edit->setMaximumWidth(60);
    return edit;
}

void setBold(QWidget *widget, bool bold)
{
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
}

// The period names follow the count ("1 Day", "2 Days"); the chosen unit stays.
void showPeriodNames(QComboBox *combo, const QString &countText)
{
    const std::vector<std::string> names = periodNames(usesSingularPeriods(fromQt(countText)));
    for (int i = 0; i < combo->count() && i < static_cast<int>(names.size()); ++i)
        combo->setItemText(i, toQt(names[static_cast<std::size_t>(i)]));
}

void setLabel(QLabel *label, const std::string &text)
{
    label->setText(toQt(text));
    label->setVisible(!text.empty());
}

} // namespace

TformProgress::TformProgress(const TopicOptions &values, const Clock &clock, QWidget *parent,
                             ImageSource images)
    : QDialog(parent), values_(values), today_(clock.now().date()), images_(std::move(images))
{
    setWindowTitle(tr("Topic options"));
    createControls();
    setKeyboardOrder();
    connectHandlers();
    // Filled at once rather than on show, so that the values are on screen however the dialog
    // is opened (exec, open or show) and can be checked before it is.
    FormShow();
}

void TformProgress::createControls()
{
    editTopicName = named(new QLineEdit(this), "editTopicName");
    imageTopicType = named(new QLabel(this), "imageTopicType");
    labelSystemTopic = named(new QLabel(this), "labelSystemTopic");
    labelTopicType = named(new QLabel(this), "labelTopicType");
    setBold(labelTopicType, true);
    imageUrgent = named(new QLabel(this), "imageUrgent");
    labelUrgent = named(new QLabel(this), "labelUrgent");
    labelCreated = named(new QLabel(this), "labelCreated");
    labelStarted = named(new QLabel(this), "labelStarted");
    labelSentBy = named(new QLabel(this), "labelSentBy");
    labelSentDate = named(new QLabel(this), "labelSentDate");

    auto *heading = new QGridLayout;
    heading->addWidget(imageTopicType, 0, 0, 2, 1, Qt::AlignTop);
    heading->addWidget(labelSystemTopic, 0, 1);
    heading->addWidget(labelTopicType, 1, 1);
    auto *urgency = new QHBoxLayout;
    urgency->addWidget(imageUrgent);
    urgency->addWidget(labelUrgent, 1);
    heading->addLayout(urgency, 2, 1);
    heading->setColumnStretch(1, 1);

    auto *history = new QVBoxLayout;
    for (QLabel *label : {labelCreated, labelStarted, labelSentBy, labelSentDate})
        history->addWidget(label);

    buttonOK = named(new QPushButton(tr("OK"), this), "buttonOK");
    buttonCancel = named(new QPushButton(tr("Cancel"), this), "buttonCancel");
    buttonOK->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(buttonOK);
    buttons->addWidget(buttonCancel);

    auto *nameRow = new QHBoxLayout;
    auto *nameLabel = new QLabel(tr("Topic:"), this);
    nameLabel->setBuddy(editTopicName);
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(editTopicName, 1);

    auto *page = new QVBoxLayout(this);
    page->addLayout(nameRow);
    page->addLayout(heading);
    page->addLayout(history);
    page->addWidget(createTaskPanel());
    page->addStretch(1);
    page->addLayout(buttons);
}

QWidget *TformProgress::createTaskPanel()
{
    panelTask = named(new QGroupBox(this), "panelTask");
    labelType = named(new QLabel(panelTask), "labelType");
    setBold(labelType, true);

    radioOneOff = named(new QRadioButton(tr("One-off"), panelTask), "radioOneOff");
    checkDeadLine = named(new QCheckBox(tr("Date due:"), panelTask), "checkDeadLine");
    pickerDeadDate = named(new QDateEdit(panelTask), "pickerDeadDate");
    pickerDeadTime = named(new TimePicker(panelTask), "pickerDeadTime");

    radioRecur = named(new QRadioButton(tr("Recurring"), panelTask), "radioRecur");
    panelRecur = named(new QWidget(panelTask), "panelRecur");
    labelRecur = named(new QLabel(panelRecur), "labelRecur");
    editRecurNo = countEdit(panelRecur, "editRecurNo");
    comboRecurPeriod = periodCombo(panelRecur, "comboRecurPeriod");
    labelNextDate = named(new QLabel(tr("Next date due:"), panelRecur), "labelNextDate");
    pickerRecurDate = named(new QDateEdit(panelRecur), "pickerRecurDate");
    pickerRecurTime = named(new TimePicker(panelRecur), "pickerRecurTime");
    for (QDateEdit *picker : {pickerDeadDate, pickerRecurDate})
        picker->setCalendarPopup(true);
    recurrenceEditor =
        named(new RecurrenceEditor(values_.dateFormat, panelRecur), "recurrenceEditor");

    checkAutoComplete =
        named(new QCheckBox(tr("Mark as complete automatically after the date due"), panelTask),
              "checkAutoComplete");
    labelFlag = named(new QLabel(tr("Flag as urgent"), panelTask), "labelFlag");
    editFlagNo = countEdit(panelTask, "editFlagNo");
    labelFlagUnit = named(new QLabel(tr("days before"), panelTask), "labelFlagUnit");

    labelDuration = named(new QLabel(tr("Duration:"), panelTask), "labelDuration");
    editDurationNo = countEdit(panelTask, "editDurationNo");
    comboDurationPeriod = periodCombo(panelTask, "comboDurationPeriod");

    labelPriority = named(new QLabel(tr("Priority:"), panelTask), "labelPriority");
    comboPriority = named(new QComboBox(panelTask), "comboPriority");
    for (int priority = 1; priority <= 9; ++priority)
        comboPriority->addItem(QString::number(priority));
    labelPercent = named(new QLabel(tr("Percentage complete:"), panelTask), "labelPercent");
    comboPercent = named(new QComboBox(panelTask), "comboPercent");
    for (int percent = 0; percent <= 100; percent += 10)
        comboPercent->addItem(QString::number(percent));
    checkCalcProgress =
        named(new QCheckBox(tr("Calculate from sub-tasks"), panelTask), "checkCalcProgress");

    labelReminder = named(new QLabel(tr("Remind me:"), panelTask), "labelReminder");
    comboReminder = named(new QComboBox(panelTask), "comboReminder");
    for (int minutes : reminders::leadChoices())
        comboReminder->addItem(QString::fromStdString(reminders::leadChoiceText(minutes)), minutes);

    panelLastDone = named(new QWidget(panelTask), "panelLastDone");
    labelLastDone = named(new QLabel(panelLastDone), "labelLastDone");
    auto *lastDone = new QHBoxLayout(panelLastDone);
    lastDone->setContentsMargins(0, 0, 0, 0);
    lastDone->addWidget(new QLabel(tr("Last done:"), panelLastDone));
    lastDone->addWidget(labelLastDone, 1);

    auto *recur = new QGridLayout(panelRecur);
    recur->setContentsMargins(20, 0, 0, 0);
    recur->addWidget(labelRecur, 0, 0);
    recur->addWidget(editRecurNo, 0, 1);
    recur->addWidget(comboRecurPeriod, 0, 2);
    recur->addWidget(labelNextDate, 1, 0);
    recur->addWidget(pickerRecurDate, 1, 1, 1, 2);
    recur->addWidget(pickerRecurTime, 1, 3);
    recur->addWidget(recurrenceEditor, 2, 0, 1, 5);
    recur->setColumnStretch(4, 1);

    auto *grid = new QGridLayout(panelTask);
    int row = 0;
    grid->addWidget(labelType, row++, 0, 1, 5);
    grid->addWidget(radioOneOff, row++, 0, 1, 5);
    auto *oneOff = new QHBoxLayout;
    oneOff->setContentsMargins(20, 0, 0, 0);
    oneOff->addWidget(checkDeadLine);
    oneOff->addWidget(pickerDeadDate);
    oneOff->addWidget(pickerDeadTime);
    oneOff->addStretch(1);
    grid->addLayout(oneOff, row++, 0, 1, 5);
    grid->addWidget(radioRecur, row++, 0, 1, 5);
    grid->addWidget(panelRecur, row++, 0, 1, 5);
    grid->addWidget(checkAutoComplete, row++, 0, 1, 5);
    grid->addWidget(labelFlag, row, 0);
    grid->addWidget(editFlagNo, row, 1);
    grid->addWidget(labelFlagUnit, row++, 2, 1, 3);
    grid->addWidget(labelDuration, row, 0);
    grid->addWidget(editDurationNo, row, 1);
    grid->addWidget(comboDurationPeriod, row++, 2);
    grid->addWidget(labelPriority, row, 0);
    grid->addWidget(comboPriority, row++, 1);
    grid->addWidget(labelPercent, row, 0);
    grid->addWidget(comboPercent, row, 1);
    grid->addWidget(checkCalcProgress, row++, 2, 1, 3);
    grid->addWidget(labelReminder, row, 0);
    grid->addWidget(comboReminder, row++, 1, 1, 2);
    grid->addWidget(panelLastDone, row++, 0, 1, 5);
    grid->setColumnStretch(4, 1);

    labelRecur->setBuddy(editRecurNo);
    labelNextDate->setBuddy(pickerRecurDate);
    labelFlag->setBuddy(editFlagNo);
    labelDuration->setBuddy(editDurationNo);
    labelPriority->setBuddy(comboPriority);
    labelPercent->setBuddy(comboPercent);
    labelReminder->setBuddy(comboReminder);
    // Combo boxes, date fields and count fields are read out by their values; each gets the
    // caption beside it as its name.
    pickerDeadDate->setAccessibleName(tr("Date due"));
    pickerDeadTime->setAccessibleNames(tr("Time due"));
    pickerRecurDate->setAccessibleName(tr("Next date due"));
    pickerRecurTime->setAccessibleNames(tr("Next time due"));
    editRecurNo->setAccessibleName(tr("Recurs every"));
    comboRecurPeriod->setAccessibleName(tr("Recurrence period"));
    editFlagNo->setAccessibleName(tr("Flag as urgent, days before"));
    editDurationNo->setAccessibleName(tr("Duration"));
    comboDurationPeriod->setAccessibleName(tr("Duration period"));
    comboPriority->setAccessibleName(tr("Priority"));
    comboPercent->setAccessibleName(tr("Percentage complete"));
    comboReminder->setAccessibleName(tr("Remind me"));
    return panelTask;
}

void TformProgress::connectHandlers()
{
    connect(buttonOK, &QPushButton::clicked, this, &TformProgress::buttonOKClick);
    connect(buttonCancel, &QPushButton::clicked, this, &TformProgress::buttonCancelClick);
    connect(radioOneOff, &QRadioButton::clicked, this, &TformProgress::radioOneOffClick);
    connect(radioRecur, &QRadioButton::clicked, this, &TformProgress::radioRecurClick);
    connect(checkDeadLine, &QCheckBox::clicked, this, &TformProgress::checkDeadLineClick);
    connect(checkCalcProgress, &QCheckBox::clicked, this, &TformProgress::checkCalcProgressClick);
    connect(editRecurNo, &QLineEdit::textChanged, this, &TformProgress::editRecurNoChange);
    connect(editDurationNo, &QLineEdit::textChanged, this, &TformProgress::editDurationNoChange);
    connect(recurrenceEditor, &RecurrenceEditor::ruleChanged, this,
            &TformProgress::recurrenceEditorChange);
    // A new custom rule starts from the plain rule and the next date due as they stand.
    const auto plainRuleChanged = [this] {
        if (!recurrenceEditor->customChosen())
            recurrenceEditor->setPlainRule(countFromText(fromQt(editRecurNo->text())),
                                           comboRecurPeriod->currentIndex());
    };
    connect(editRecurNo, &QLineEdit::textChanged, this, plainRuleChanged);
    connect(comboRecurPeriod, &QComboBox::currentIndexChanged, this, plainRuleChanged);
    connect(pickerRecurDate, &QDateEdit::dateChanged, this, &TformProgress::showRecurDateInEditor);
    connect(pickerRecurTime->check, &QCheckBox::toggled, this,
            &TformProgress::showRecurDateInEditor);
    connect(pickerRecurTime->edit, &QTimeEdit::timeChanged, this,
            &TformProgress::showRecurDateInEditor);
}

// OK and Cancel are made before the task panel; Tab still reaches them last, as they are shown.
void TformProgress::setKeyboardOrder()
{
    access::orderTabChain(this, {editTopicName, panelTask, buttonOK, buttonCancel});
}

void TformProgress::showImage(QLabel *label, const TopicImage &image)
{
    const QIcon icon = images_ && image.list != TopicImage::List::None ? images_(image) : QIcon();
    const QPixmap pixmap =
        icon.isNull() ? QPixmap() : icon.pixmap(QSize(16, 16), label->devicePixelRatioF());
    label->setPixmap(pixmap);
    label->setVisible(!pixmap.isNull());
}

void TformProgress::FormShow()
{
    const TopicOptions &v = values_;
    editTopicName->setText(toQt(v.name));

    const TopicOptionsHeading heading = topicOptionsHeading(v);
    labelSystemTopic->setText(toQt(heading.systemLabel));
    labelTopicType->setText(toQt(heading.typeLabel));
    showImage(imageTopicType, heading.typeImage);
    setLabel(labelUrgent, heading.urgentLabel);
    showImage(imageUrgent, heading.urgentImage);
    setLabel(labelCreated, heading.created);
    setLabel(labelStarted, heading.started);
    setLabel(labelSentBy, heading.sentBy);
    setLabel(labelSentDate, heading.sentDate);

    const QString format = toQt(dates::datePickerFormat(v.dateFormat));
    pickerDeadDate->setDisplayFormat(format);
    pickerRecurDate->setDisplayFormat(format);
    const TopicOptionsPickers pickers = topicOptionsPickers(v, today_);
    checkDeadLine->setChecked(v.deadline);
    pickerDeadDate->setDate(toQDate(pickers.deadDate));
    pickerDeadTime->setChecked(pickers.deadTimeTicked);
    if (pickers.deadTimeTicked)
        pickerDeadTime->setTime(toQTime(pickers.deadTime));
    pickerRecurDate->setDate(toQDate(pickers.recurDate));
    pickerRecurTime->setChecked(pickers.recurTimeTicked);
    if (pickers.recurTimeTicked)
        pickerRecurTime->setTime(toQTime(pickers.recurTime));

    radioRecur->setChecked(pickers.recurChecked);
    radioOneOff->setChecked(!pickers.recurChecked);
    if (pickers.recurFilled) {
        editRecurNo->setText(QString::number(v.recurCount));
        comboRecurPeriod->setCurrentIndex(v.recurUnit <= kUnitYears ? v.recurUnit : -1);
    }

    // The topic's rule beyond "every N units", if it has one that reads.
    std::optional<recurrence::Series> series;
    if (recurrence::Series read; !v.richRule.empty()) {
        std::string error;
        if (recurrence::parseSeries(v.richRule, read, error))
            series = std::move(read);
    }
    recurrenceEditor->setPlainRule(v.recurCount, v.recurUnit);
    recurrenceEditor->setSeries(series, pickers.recurDate.dayNumber(),
                                pickers.recurTimeTicked
                                    ? std::optional<std::int64_t>(pickers.recurTime.msecsOfDay())
                                    : std::nullopt);
    recurrenceEditorChange();

    editDurationNo->setText(QString::number(v.durationCount));
    if (v.durationUnit >= 0 && v.durationUnit <= kUnitYears)
        comboDurationPeriod->setCurrentIndex(v.durationUnit);
    else
        comboDurationPeriod->setCurrentIndex(-1);
    editFlagNo->setText(QString::number(v.flagDays));
    comboPriority->setCurrentIndex(pickers.priorityIndex);
    checkAutoComplete->setChecked(v.autoComplete);
    checkCalcProgress->setChecked(v.calcProgress);
    comboReminder->setCurrentIndex(std::max(0, comboReminder->findData(v.reminderLead)));
    comboPercent->setCurrentIndex(pickers.percentIndex);

    labelLastDone->setText(toQt(heading.lastDone));
    panelLastDone->setVisible(!heading.lastDone.empty());

    UpdateLayout();
}

void TformProgress::UpdateLayout()
{
    const TopicOptionsLayout layout =
        topicOptionsLayout(values_, radioRecur->isChecked(), checkDeadLine->isChecked(),
                           checkCalcProgress->isChecked());
    panelTask->setVisible(layout.panelTaskVisible);
    if (!layout.panelTaskVisible)
        return;

    labelType->setText(toQt(layout.typeTitle));
    labelRecur->setText(toQt(layout.recurTitle));
    for (QWidget *w :
         {static_cast<QWidget *>(labelDuration), static_cast<QWidget *>(editDurationNo),
          static_cast<QWidget *>(comboDurationPeriod)})
        w->setVisible(layout.durationVisible);
    for (QWidget *w : {static_cast<QWidget *>(labelPriority), static_cast<QWidget *>(comboPriority),
                       static_cast<QWidget *>(labelPercent), static_cast<QWidget *>(comboPercent),
                       static_cast<QWidget *>(checkCalcProgress)})
        w->setVisible(layout.progressVisible);

    // The recurrence shown again, unless the user has typed a count of their own: toggling a
    // box must not throw away what was typed.
    if (values_.recurCount > 0 && values_.recurUnit > kUnitNone &&
        values_.recurUnit <= kUnitYears && editRecurNo->text().isEmpty()) {
        editRecurNo->setText(QString::number(values_.recurCount));
        comboRecurPeriod->setCurrentIndex(values_.recurUnit);
    }

    setBold(radioOneOff, layout.oneOffBold);
    setBold(radioRecur, layout.recurBold);
    checkDeadLine->setEnabled(layout.deadLineEnabled);
    pickerDeadDate->setEnabled(layout.deadPickersEnabled);
    pickerDeadTime->setEnabled(layout.deadPickersEnabled);
    checkAutoComplete->setEnabled(layout.autoCompleteEnabled);
    panelRecur->setEnabled(layout.recurEnabled);
    editRecurNo->setEnabled(!recurrenceEditor->customChosen());
    comboRecurPeriod->setEnabled(!recurrenceEditor->customChosen());
    editFlagNo->setEnabled(layout.flagEnabled);
    checkCalcProgress->setEnabled(layout.calcProgressEnabled);
    comboPercent->setEnabled(layout.percentEnabled);
}

TopicOptionsControls TformProgress::currentControls() const
{
    TopicOptionsControls c;
    c.name = fromQt(editTopicName->text());
    c.deadlineTicked = checkDeadLine->isChecked();
    c.recurChecked = radioRecur->isChecked();
    c.deadDate = fromQDate(pickerDeadDate->date());
    c.deadTimeTicked = pickerDeadTime->isChecked();
    c.deadTime = fromQTime(pickerDeadTime->time());
    c.recurCountText = fromQt(editRecurNo->text());
    c.recurUnitIndex = comboRecurPeriod->currentIndex();
    c.recurDate = fromQDate(pickerRecurDate->date());
    c.recurTimeTicked = pickerRecurTime->isChecked();
    c.recurTime = fromQTime(pickerRecurTime->time());
    c.flagText = fromQt(editFlagNo->text());
    c.autoComplete = checkAutoComplete->isChecked();
    c.calcProgress = checkCalcProgress->isChecked();
    c.percentIndex = comboPercent->currentIndex();
    c.durationText = fromQt(editDurationNo->text());
    c.durationUnitIndex = comboDurationPeriod->currentIndex();
    c.priorityIndex = comboPriority->currentIndex();
    return c;
}

void TformProgress::buttonOKClick()
{
    acceptTopicOptions(values_, currentControls());
    values_.reminderLead = comboReminder->currentData().toInt();
    // A recurring topic with a custom rule keeps it (and its nearest plain rule); any other
    // loses the one it had.
    values_.richRule.clear();
    if (values_.recur)
        if (const std::optional<recurrence::Series> series = recurrenceEditor->chosenSeries()) {
            values_.richRule = recurrence::formatSeries(*series);
            const recurrence::PlainRule plain = recurrence::nearestPlainRule(series->rule);
            values_.recurCount = plain.rno;
            values_.recurUnit = plain.rtype;
        }
    accept();
}

void TformProgress::buttonCancelClick()
{
    reject();
}

void TformProgress::radioOneOffClick()
{
    UpdateLayout();
}

void TformProgress::radioRecurClick()
{
    if (carryOneOffIntoRecur(today_, fromQDate(pickerDeadDate->date()),
                             fromQDate(pickerRecurDate->date()))) {
        pickerRecurDate->setDate(pickerDeadDate->date());
        const QTime time = pickerDeadTime->time();
        const bool timed = pickerDeadTime->isChecked() && time != QTime(0, 0);
        pickerRecurTime->setChecked(timed);
        if (timed)
            pickerRecurTime->setTime(time);
    }
    UpdateLayout();
}

void TformProgress::checkDeadLineClick()
{
    UpdateLayout();
}

void TformProgress::checkCalcProgressClick()
{
    UpdateLayout();
}

void TformProgress::editRecurNoChange()
{
    showPeriodNames(comboRecurPeriod, editRecurNo->text());
}

void TformProgress::editDurationNoChange()
{
    showPeriodNames(comboDurationPeriod, editDurationNo->text());
}

void TformProgress::recurrenceEditorChange()
{
    const bool custom = recurrenceEditor->customChosen();
    // The plain rule the user had is put back when the custom rule is given up.
    if (custom && !plainRuleKept_) {
        plainRuleKept_ = true;
        keptRecurNo_ = editRecurNo->text();
        keptRecurPeriod_ = comboRecurPeriod->currentIndex();
    } else if (!custom && plainRuleKept_) {
        plainRuleKept_ = false;
        editRecurNo->setText(keptRecurNo_);
        comboRecurPeriod->setCurrentIndex(keptRecurPeriod_);
    }
    if (custom)
        if (const std::optional<recurrence::Series> series = recurrenceEditor->chosenSeries()) {
            const recurrence::PlainRule plain = recurrence::nearestPlainRule(series->rule);
            editRecurNo->setText(QString::number(plain.rno));
            comboRecurPeriod->setCurrentIndex(plain.rtype);
        }
    editRecurNo->setEnabled(!custom);
    comboRecurPeriod->setEnabled(!custom);
}

void TformProgress::showRecurDateInEditor()
{
    const std::optional<std::int64_t> time =
        pickerRecurTime->isChecked()
            ? std::optional<std::int64_t>(fromQTime(pickerRecurTime->time()).msecsOfDay())
            : std::nullopt;
    recurrenceEditor->setFirstDay(fromQDate(pickerRecurDate->date()).dayNumber(), time);
}

} // namespace nimbus::dialogs
