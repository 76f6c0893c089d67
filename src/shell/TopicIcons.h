// The program's small pictures, drawn at run time so that they are sharp at any screen
// scale: section and topic-type icons of the tree, and the toolbar's type, status, urgency
// and priority buttons.
#pragma once

#include <QIcon>

namespace nimbus::icons {

// The icon of a section kind (1 Topics ... 6 Contacts).
QIcon section(int kind);
// The icon of a topic type (2 general ... 7 financial).
QIcon topicType(int ttype);
// The icon of a task status (1 not started ... 5 waiting).
QIcon status(int status);
QIcon urgent(bool on);
QIcon priority(bool up);
// The application's own icon (a small cloud).
QIcon application();

} // namespace nimbus::icons
