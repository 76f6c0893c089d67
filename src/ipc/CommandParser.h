// Turns the lines another process sent into decided actions, without carrying any out: the
// caller decides on which thread and how they happen.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ipc/ProcessObj.h"

namespace nimbus::ipc {

struct CommandAction {
    enum class Kind {
        None,   // unknown key, or a "run" marked "controlled" or naming no program
        Wakeup, // bring the main window to the front
        Close,  // close the program orderly; later lines are not looked at
        Run,    // start process.commandLine at idle priority
        TopicChange, // a change to the topics from nimbus-cli ("topic-add", ...): word, value
    };
    Kind kind = Kind::None;
    ProcessObj process; // filled for "run" lines
    std::string word;   // for TopicChange: the key, lower case
    std::string value;  // for TopicChange: the value as sent
};

// The command words nimbus-cli sends for changes to the topics. Copies of the program from
// before them ignore the lines, as they ignore every key they do not know.
bool isTopicChangeWord(std::string_view word);

// Lower-cases the letters A to Z only; other bytes stay as they are.
std::string lowerCaseAscii(std::string_view text);

// Splits the value of a "run" line at its commas (quoted fields, blanks and trimming as the
// command format has them). An empty or all-blank value gives one empty field.
std::vector<std::string> splitRunFields(std::string_view value);

// Wraps text in double quotes so that /bin/sh passes it on as one argument, byte for byte:
// the characters that keep a meaning inside double quotes are escaped.
std::string quoteForShell(std::string_view text);

// The record of a "run" value: fields, show code and command line.
ProcessObj makeProcessObj(std::string_view value);

// What one line asks for: the key is compared in lower case; paths keep their case.
CommandAction decideCommand(std::string_view line);

// The actions of a batch in order, without the ignored lines; a "close" is the last one.
std::vector<CommandAction> decideCommands(const std::vector<std::string> &batch);

} // namespace nimbus::ipc
