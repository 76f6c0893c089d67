// A time of day with a tick box in front.
#include "shell/dialogs/TimePicker.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QTimeEdit>

namespace nimbus::dialogs {

TimePicker::TimePicker(QWidget *parent) : QWidget(parent)
{
    check = new QCheckBox(this);
    edit = new QTimeEdit(this);
    edit->setDisplayFormat(QStringLiteral("HH:mm"));
    edit->setEnabled(false);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(check);
    row->addWidget(edit, 1);
    connect(check, &QCheckBox::toggled, edit, &QWidget::setEnabled);
    setAccessibleNames(tr("Due time"));
}

void TimePicker::setAccessibleNames(const QString &what)
{
    // The tick box has no caption of its own and the field would be read as its value.
    check->setAccessibleName(tr("%1 set").arg(what));
    edit->setAccessibleName(what);
}

bool TimePicker::isChecked() const
{
    return check->isChecked();
}

void TimePicker::setChecked(bool checked)
{
    check->setChecked(checked);
}

QTime TimePicker::time() const
{
    return edit->time();
}

void TimePicker::setTime(const QTime &time)
{
    edit->setTime(time);
}

} // namespace nimbus::dialogs
