// The presenter interface has signals: its meta-object is built with this file.
#include "shell/reminders/ReminderPresenter.h"
