// Imported descriptions become rich details pages: the HTML a calendar program sent
// (X-ALT-DESC) where it says the same words as the plain text, else the plain text (the HTML
// is stale then), with the notes on what a topic cannot hold below,
// written as RTF like every page the editor saves.
#pragma once

#include "calendar/CalendarImport.h"

namespace nimbus::calendar {

class RichPageWriter : public PageWriter {
public:
    std::string render(const CalendarTopic &topic, bool &richText) override;
};

} // namespace nimbus::calendar
