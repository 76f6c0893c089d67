// The recurrence editor's controls, what they show and what they give back.
#include "shell/dialogs/RecurrenceEditor.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "shell/dialogs/DialogText.h"
#include "store/DateFormat.h"

namespace nimbus::dialogs {

using recurrence::EditableRule;
using recurrence::Frequency;
using recurrence::MonthlyChoice;
using recurrence::RuleEnd;

namespace {

template <typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// Monday 0 ... Sunday 6 in the order of the user's week, which starts where the locale says.
std::array<int, 7> weekdaysInWeekOrder()
{
    const int first = static_cast<int>(QLocale().firstDayOfWeek()) - 1; // Qt: Monday 1
    std::array<int, 7> order{};
    for (int i = 0; i < 7; ++i)
        order[static_cast<std::size_t>(i)] = (first + i) % 7;
    return order;
}

QString dayName(int weekday, QLocale::FormatType format)
{
    return QLocale().dayName(weekday + 1, format);
}

QDate qDateOfDay(std::int64_t day)
{
    return toQDate(DateTime::fromDayNumber(day));
}

std::int64_t dayOfQDate(QDate date)
{
    return fromQDate(date).dayNumber();
}

} // namespace

RecurrenceEditor::RecurrenceEditor(int dateOrder, QWidget *parent)
    : QWidget(parent), dateOrder_(dateOrder)
{
    createControls();
    connectHandlers();
    updatePanels();
}

void RecurrenceEditor::createControls()
{
    checkCustomRule =
        named(new QCheckBox(tr("Custom rule (weekdays, day of the month, an end)"), this),
              "checkCustomRule");

    panelForeign = named(new QWidget(this), "panelForeign");
    labelForeignRule = named(new QLabel(panelForeign), "labelForeignRule");
    labelForeignRule->setWordWrap(true);
    labelForeignRule->setTextInteractionFlags(Qt::TextSelectableByKeyboard |
                                              Qt::TextSelectableByMouse);
    labelForeignRule->setFocusPolicy(Qt::StrongFocus);
    buttonReplaceRule =
        named(new QPushButton(tr("Replace with a new rule"), panelForeign), "buttonReplaceRule");
    auto *foreign = new QVBoxLayout(panelForeign);
    foreign->setContentsMargins(0, 0, 0, 0);
    foreign->addWidget(labelForeignRule);
    foreign->addWidget(buttonReplaceRule, 0, Qt::AlignLeft);

    panelRule = named(new QWidget(this), "panelRule");
    auto *repeatsLabel = new QLabel(tr("Repeats:"), panelRule);
    comboFrequency = named(new QComboBox(panelRule), "comboFrequency");
    comboFrequency->addItems({tr("Daily"), tr("Weekly"), tr("Monthly"), tr("Yearly")});
    repeatsLabel->setBuddy(comboFrequency);
    auto *everyLabel = new QLabel(tr("every"), panelRule);
    spinInterval = named(new QSpinBox(panelRule), "spinInterval");
    spinInterval->setRange(1, EditableRule::kMaxInterval);
    everyLabel->setBuddy(spinInterval);
    labelIntervalUnit = named(new QLabel(panelRule), "labelIntervalUnit");
    buttonEveryWeekday =
        named(new QPushButton(tr("Every weekday"), panelRule), "buttonEveryWeekday");
    auto *frequencyRow = new QHBoxLayout;
    frequencyRow->addWidget(repeatsLabel);
    frequencyRow->addWidget(comboFrequency);
    frequencyRow->addWidget(everyLabel);
    frequencyRow->addWidget(spinInterval);
    frequencyRow->addWidget(labelIntervalUnit);
    frequencyRow->addWidget(buttonEveryWeekday);
    frequencyRow->addStretch(1);

    panelWeekdays = named(new QWidget(panelRule), "panelWeekdays");
    auto *weekdays = new QHBoxLayout(panelWeekdays);
    weekdays->setContentsMargins(0, 0, 0, 0);
    weekdays->addWidget(new QLabel(tr("On:"), panelWeekdays));
    for (const int weekday : weekdaysInWeekOrder()) {
        auto *box = new QCheckBox(dayName(weekday, QLocale::ShortFormat), panelWeekdays);
        box->setObjectName(QStringLiteral("checkWeekday%1").arg(weekday));
        box->setAccessibleName(dayName(weekday, QLocale::LongFormat));
        checkWeekday[static_cast<std::size_t>(weekday)] = box;
        weekdays->addWidget(box);
    }
    weekdays->addStretch(1);

    panelMonthly = named(new QWidget(panelRule), "panelMonthly");
    radioMonthDay = named(new QRadioButton(tr("On day"), panelMonthly), "radioMonthDay");
    spinMonthDay = named(new QSpinBox(panelMonthly), "spinMonthDay");
    spinMonthDay->setRange(1, 31);
    radioNthWeekday = named(new QRadioButton(tr("On the"), panelMonthly), "radioNthWeekday");
    comboNth = named(new QComboBox(panelMonthly), "comboNth");
    comboNth->addItem(tr("first"), 1);
    comboNth->addItem(tr("second"), 2);
    comboNth->addItem(tr("third"), 3);
    comboNth->addItem(tr("fourth"), 4);
    comboNth->addItem(tr("last"), -1);
    comboNthWeekday = named(new QComboBox(panelMonthly), "comboNthWeekday");
    for (const int weekday : weekdaysInWeekOrder())
        comboNthWeekday->addItem(dayName(weekday, QLocale::LongFormat), weekday);
    // Groups of their own: the options dialog's one-off and recurring buttons would otherwise
    // count these among theirs (Qt looks for the buttons of an automatic group through all the
    // parent's descendants) and take them out of the Tab chain when they get the focus.
    auto *monthlyGroup = new QButtonGroup(panelMonthly);
    monthlyGroup->addButton(radioMonthDay);
    monthlyGroup->addButton(radioNthWeekday);
    auto *monthly = new QGridLayout(panelMonthly);
    monthly->setContentsMargins(0, 0, 0, 0);
    monthly->addWidget(radioMonthDay, 0, 0);
    monthly->addWidget(spinMonthDay, 0, 1);
    monthly->addWidget(radioNthWeekday, 1, 0);
    monthly->addWidget(comboNth, 1, 1);
    monthly->addWidget(comboNthWeekday, 1, 2);
    monthly->setColumnStretch(3, 1);

    auto *rule = new QVBoxLayout(panelRule);
    rule->setContentsMargins(0, 0, 0, 0);
    rule->addLayout(frequencyRow);
    rule->addWidget(panelWeekdays);
    rule->addWidget(panelMonthly);
    rule->addWidget(createEndControls());

    labelPreview = named(new QLabel(this), "labelPreview");
    labelPreview->setWordWrap(true);
    labelPreview->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);

    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(checkCustomRule);
    page->addWidget(panelForeign);
    page->addWidget(panelRule);
    page->addWidget(labelPreview);

    // Spin boxes, combo boxes and the date field are read out by their values; each gets the
    // words around it as its name.
    labelForeignRule->setAccessibleName(tr("Custom rule"));
    comboFrequency->setAccessibleName(tr("Repeats"));
    spinInterval->setAccessibleName(tr("Repeats every"));
    spinMonthDay->setAccessibleName(tr("Day of the month"));
    comboNth->setAccessibleName(tr("Which weekday of the month"));
    comboNthWeekday->setAccessibleName(tr("Weekday of the month"));
    spinEndCount->setAccessibleName(tr("Number of times"));
    pickerEndDate->setAccessibleName(tr("Last date"));
    labelPreview->setAccessibleName(tr("Next dates"));
}

QWidget *RecurrenceEditor::createEndControls()
{
    auto *panel = new QWidget(panelRule);
    radioEndNever = named(new QRadioButton(tr("Never ends"), panel), "radioEndNever");
    radioEndCount = named(new QRadioButton(tr("Ends after"), panel), "radioEndCount");
    spinEndCount = named(new QSpinBox(panel), "spinEndCount");
    spinEndCount->setRange(1, EditableRule::kMaxCount);
    radioEndDate = named(new QRadioButton(tr("Ends on"), panel), "radioEndDate");
    pickerEndDate = named(new QDateEdit(panel), "pickerEndDate");
    pickerEndDate->setCalendarPopup(true);
    pickerEndDate->setDisplayFormat(toQt(dates::datePickerFormat(dateOrder_)));
    auto *endGroup = new QButtonGroup(panel);
    for (QRadioButton *radio : {radioEndNever, radioEndCount, radioEndDate})
        endGroup->addButton(radio);
    auto *end = new QGridLayout(panel);
    end->setContentsMargins(0, 0, 0, 0);
    end->addWidget(radioEndNever, 0, 0);
    end->addWidget(radioEndCount, 1, 0);
    end->addWidget(spinEndCount, 1, 1);
    end->addWidget(new QLabel(tr("times"), panel), 1, 2);
    end->addWidget(radioEndDate, 2, 0);
    end->addWidget(pickerEndDate, 2, 1, 1, 2);
    end->setColumnStretch(3, 1);
    return panel;
}

void RecurrenceEditor::connectHandlers()
{
    connect(checkCustomRule, &QCheckBox::clicked, this, &RecurrenceEditor::checkCustomRuleClick);
    connect(buttonReplaceRule, &QPushButton::clicked, this,
            &RecurrenceEditor::buttonReplaceRuleClick);
    connect(buttonEveryWeekday, &QPushButton::clicked, this,
            &RecurrenceEditor::buttonEveryWeekdayClick);
    const auto changed = [this] { choicesChanged(); };
    connect(comboFrequency, &QComboBox::currentIndexChanged, this, changed);
    connect(comboNth, &QComboBox::currentIndexChanged, this, changed);
    connect(comboNthWeekday, &QComboBox::currentIndexChanged, this, changed);
    for (QSpinBox *spin : {spinInterval, spinMonthDay, spinEndCount})
        connect(spin, &QSpinBox::valueChanged, this, changed);
    for (QCheckBox *box : checkWeekday)
        connect(box, &QCheckBox::toggled, this, changed);
    for (QRadioButton *radio :
         {radioMonthDay, radioNthWeekday, radioEndNever, radioEndCount, radioEndDate})
        connect(radio, &QRadioButton::toggled, this, changed);
    connect(pickerEndDate, &QDateEdit::dateChanged, this, changed);
}

void RecurrenceEditor::setSeries(const std::optional<recurrence::Series> &series,
                                 std::int64_t firstDay, std::optional<std::int64_t> time)
{
    original_ = series;
    firstDay_ = firstDay;
    time_ = time;
    touched_ = false;
    const std::optional<EditableRule> editable =
        series ? recurrence::editableRule(*series) : std::nullopt;
    foreign_ = series && !editable;
    checkCustomRule->setChecked(series.has_value());
    showChoices(editable ? *editable
                         : recurrence::defaultEditableRule(firstDay, plainCount_, plainUnit_));
    if (foreign_)
        labelForeignRule->setText(
            toQt(recurrence::describeSeries(*series, dateOrder_)) + QLatin1Char('\n') +
            tr("This rule was made by another program; it is kept as it is."));
    updatePanels();
    updatePreview();
}

void RecurrenceEditor::setFirstDay(std::int64_t firstDay, std::optional<std::int64_t> time)
{
    firstDay_ = firstDay;
    time_ = time;
    // Choices nobody has made yet follow the date: weekly on its weekday, and so on.
    if (!original_ && !touched_)
        showChoices(recurrence::defaultEditableRule(firstDay_, plainCount_, plainUnit_));
    updatePreview();
}

void RecurrenceEditor::setPlainRule(int count, int unit)
{
    plainCount_ = count;
    plainUnit_ = unit;
    if (!original_ && !touched_)
        showChoices(recurrence::defaultEditableRule(firstDay_, plainCount_, plainUnit_));
}

bool RecurrenceEditor::customChosen() const
{
    return checkCustomRule->isChecked();
}

std::optional<recurrence::Series> RecurrenceEditor::chosenSeries() const
{
    if (!customChosen())
        return std::nullopt;
    const recurrence::Series *original = original_ ? &*original_ : nullptr;
    if (foreign_)
        return recurrence::editedSeries(original, nullptr, firstDay_, time_);
    const EditableRule chosen = choices();
    return recurrence::editedSeries(original, &chosen, firstDay_, time_);
}

void RecurrenceEditor::checkCustomRuleClick()
{
    updatePanels();
    updatePreview();
    emit ruleChanged();
}

void RecurrenceEditor::buttonReplaceRuleClick()
{
    // The new rule starts from the old one's frequency and interval.
    EditableRule start = recurrence::defaultEditableRule(firstDay_);
    if (original_) {
        start.frequency = original_->rule.frequency;
        start.interval = std::clamp(original_->rule.interval, 1, EditableRule::kMaxInterval);
    }
    foreign_ = false;
    touched_ = true;
    showChoices(start);
    choicesChanged();
    comboFrequency->setFocus(Qt::OtherFocusReason);
}

void RecurrenceEditor::buttonEveryWeekdayClick()
{
    EditableRule rule = choices();
    rule.frequency = Frequency::Weekly;
    rule.interval = 1;
    rule.weekdays = EditableRule::kWorkingDays;
    showChoices(rule);
    choicesChanged();
}

EditableRule RecurrenceEditor::choices() const
{
    EditableRule rule;
    rule.frequency = static_cast<Frequency>(std::max(0, comboFrequency->currentIndex()));
    rule.interval = spinInterval->value();
    rule.weekdays = 0;
    for (int weekday = 0; weekday < 7; ++weekday)
        if (checkWeekday[static_cast<std::size_t>(weekday)]->isChecked())
            rule.weekdays |= 1u << weekday;
    rule.monthly =
        radioNthWeekday->isChecked() ? MonthlyChoice::NthWeekday : MonthlyChoice::DayOfMonth;
    rule.monthDay = spinMonthDay->value();
    rule.nth = comboNth->currentData().toInt();
    rule.nthWeekday = comboNthWeekday->currentData().toInt();
    rule.end = radioEndCount->isChecked()  ? RuleEnd::AfterCount
               : radioEndDate->isChecked() ? RuleEnd::OnDate
                                           : RuleEnd::Never;
    rule.count = spinEndCount->value();
    rule.untilDay = dayOfQDate(pickerEndDate->date());
    return rule;
}

void RecurrenceEditor::showChoices(const EditableRule &rule)
{
    const bool wasFilling = filling_;
    filling_ = true;
    comboFrequency->setCurrentIndex(static_cast<int>(rule.frequency));
    spinInterval->setValue(rule.interval);
    for (int weekday = 0; weekday < 7; ++weekday)
        checkWeekday[static_cast<std::size_t>(weekday)]->setChecked(rule.weekdays &
                                                                    (1u << weekday));
    radioMonthDay->setChecked(rule.monthly == MonthlyChoice::DayOfMonth);
    radioNthWeekday->setChecked(rule.monthly == MonthlyChoice::NthWeekday);
    spinMonthDay->setValue(rule.monthDay);
    comboNth->setCurrentIndex(std::max(0, comboNth->findData(rule.nth)));
    comboNthWeekday->setCurrentIndex(std::max(0, comboNthWeekday->findData(rule.nthWeekday)));
    radioEndNever->setChecked(rule.end == RuleEnd::Never);
    radioEndCount->setChecked(rule.end == RuleEnd::AfterCount);
    radioEndDate->setChecked(rule.end == RuleEnd::OnDate);
    spinEndCount->setValue(rule.count);
    pickerEndDate->setDate(qDateOfDay(rule.untilDay));
    filling_ = wasFilling;
    updatePanels();
}

void RecurrenceEditor::choicesChanged()
{
    if (filling_)
        return;
    touched_ = true;
    updatePanels();
    updatePreview();
    emit ruleChanged();
}

void RecurrenceEditor::updatePanels()
{
    const bool custom = checkCustomRule->isChecked();
    panelForeign->setVisible(custom && foreign_);
    panelRule->setVisible(custom && !foreign_);
    labelPreview->setVisible(custom);
    const auto frequency = static_cast<Frequency>(std::max(0, comboFrequency->currentIndex()));
    panelWeekdays->setVisible(frequency == Frequency::Weekly);
    panelMonthly->setVisible(frequency == Frequency::Monthly);
    spinMonthDay->setEnabled(radioMonthDay->isChecked());
    comboNth->setEnabled(radioNthWeekday->isChecked());
    comboNthWeekday->setEnabled(radioNthWeekday->isChecked());
    spinEndCount->setEnabled(radioEndCount->isChecked());
    pickerEndDate->setEnabled(radioEndDate->isChecked());
    const bool one = spinInterval->value() == 1;
    switch (frequency) {
    case Frequency::Daily:
        labelIntervalUnit->setText(one ? tr("day") : tr("days"));
        break;
    case Frequency::Weekly:
        labelIntervalUnit->setText(one ? tr("week") : tr("weeks"));
        break;
    case Frequency::Monthly:
        labelIntervalUnit->setText(one ? tr("month") : tr("months"));
        break;
    case Frequency::Yearly:
        labelIntervalUnit->setText(one ? tr("year") : tr("years"));
        break;
    }
}

void RecurrenceEditor::updatePreview()
{
    const std::optional<recurrence::Series> series = chosenSeries();
    if (!series) {
        labelPreview->clear();
        return;
    }
    QStringList shown;
    for (const std::int64_t day : recurrence::nextOccurrences(*series, firstDay_))
        shown << toQt(dates::displayDate(dates::dateKey(DateTime::fromDayNumber(day)), dateOrder_));
    labelPreview->setText(shown.isEmpty()
                              ? tr("No dates ahead: the rule has ended.")
                              : tr("Next dates: %1").arg(shown.join(QStringLiteral(", "))));
}

} // namespace nimbus::dialogs
