// The recurrence panel's richer rules, beside the plain "every N units": a frequency with an
// interval, weekdays of a week ("Every weekday" one click away), a day of the month or the
// nth weekday, an end, and the next five dates as the choices stand. A series the editor
// cannot show (from another program) is put into words and kept as it is until the user
// replaces it. The rules are in recurrence/RuleEditing.h; this widget shows and collects them.
#pragma once

#include <QWidget>
#include <array>
#include <optional>

#include "recurrence/RuleEditing.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace nimbus::dialogs {

class RecurrenceEditor : public QWidget {
    Q_OBJECT
public:
    // dateOrder: the display order of dates (the preferences' date format).
    explicit RecurrenceEditor(int dateOrder, QWidget *parent = nullptr);

    // The topic's series (none: it repeats by its plain rule, and the choices stay folded)
    // and the dialog's next date due and time, which a new rule starts from.
    void setSeries(const std::optional<recurrence::Series> &series, std::int64_t firstDay,
                   std::optional<std::int64_t> time);
    // The next date due or its time changed in the dialog: a new rule starts there.
    void setFirstDay(std::int64_t firstDay, std::optional<std::int64_t> time);
    // The dialog's plain rule, which a new rule takes its frequency and interval from.
    void setPlainRule(int count, int unit);

    // Whether a rule of this editor's replaces the plain one.
    bool customChosen() const;
    // The series OK stores; none while the plain rule is chosen.
    std::optional<recurrence::Series> chosenSeries() const;

    QCheckBox *checkCustomRule = nullptr;
    QWidget *panelForeign = nullptr;
    QLabel *labelForeignRule = nullptr;
    QPushButton *buttonReplaceRule = nullptr;
    QWidget *panelRule = nullptr;
    QComboBox *comboFrequency = nullptr; // daily, weekly, monthly, yearly
    QSpinBox *spinInterval = nullptr;
    QLabel *labelIntervalUnit = nullptr;
    QPushButton *buttonEveryWeekday = nullptr;
    QWidget *panelWeekdays = nullptr;
    std::array<QCheckBox *, 7> checkWeekday{}; // Monday 0 ... Sunday 6, shown from the week's start
    QWidget *panelMonthly = nullptr;
    QRadioButton *radioMonthDay = nullptr;
    QSpinBox *spinMonthDay = nullptr;
    QRadioButton *radioNthWeekday = nullptr;
    QComboBox *comboNth = nullptr;        // first ... fourth, last
    QComboBox *comboNthWeekday = nullptr; // data: Monday 0 ... Sunday 6
    QRadioButton *radioEndNever = nullptr;
    QRadioButton *radioEndCount = nullptr;
    QSpinBox *spinEndCount = nullptr;
    QRadioButton *radioEndDate = nullptr;
    QDateEdit *pickerEndDate = nullptr;
    QLabel *labelPreview = nullptr;

    void checkCustomRuleClick();
    void buttonReplaceRuleClick();
    void buttonEveryWeekdayClick();

signals:
    // The series OK would store changed (or the plain rule was chosen again).
    void ruleChanged();

private:
    void createControls();
    QWidget *createEndControls();
    void connectHandlers();
    recurrence::EditableRule choices() const;
    void showChoices(const recurrence::EditableRule &rule);
    void choicesChanged();
    void updatePanels();
    void updatePreview();

    int dateOrder_ = 0;
    std::optional<recurrence::Series> original_;
    bool foreign_ = false; // original_ cannot be shown: kept as it is
    bool touched_ = false; // the user made a choice: dates no longer reset them
    bool filling_ = false;
    std::int64_t firstDay_ = 0;
    std::optional<std::int64_t> time_;
    int plainCount_ = 1;
    int plainUnit_ = -1;
};

} // namespace nimbus::dialogs
