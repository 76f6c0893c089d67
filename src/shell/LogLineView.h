// Adds one main-log line to the window's log view, in the colour the log's rules give it.
#pragma once

#include <string>

class QPlainTextEdit;

namespace nimbus {

void appendLogLine(QPlainTextEdit *view, const std::string &line);

} // namespace nimbus
