// Imported descriptions become rich details pages: the HTML a calendar program sent
// (X-ALT-DESC) or else its plain text, with the notes on what a topic cannot hold below,
// written as RTF like every page the editor saves.
#pragma once

#include "calendar/CalendarImport.h"

namespace nimbus::calendar {

class RichPageWriter : public PageWriter {
public:
    std::string render(const CalendarTopic &topic, bool &richText) override;
};

} // namespace nimbus::calendar
