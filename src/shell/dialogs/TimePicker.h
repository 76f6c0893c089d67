// A time of day with a tick box in front: unticked means "no time". The time can only be
// edited while the box is ticked.
#pragma once

#include <QWidget>

class QCheckBox;
class QTimeEdit;
class QTime;

namespace nimbus::dialogs {

class TimePicker : public QWidget {
    Q_OBJECT
public:
    explicit TimePicker(QWidget *parent = nullptr);
    // What screen readers call the tick box ("<what> set") and the time field ("<what>").
    void setAccessibleNames(const QString &what);

    bool isChecked() const;
    void setChecked(bool checked);
    QTime time() const;
    void setTime(const QTime &time);

    QCheckBox *check = nullptr;
    QTimeEdit *edit = nullptr;
};

} // namespace nimbus::dialogs
