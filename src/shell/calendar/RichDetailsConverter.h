// Rich details pages for calendar files: the RTF page read into a document, then written out
// as the plain text calendar programs show and the HTML that keeps its formatting.
#pragma once

#include "calendar/TopicExport.h"

namespace nimbus::calendar {

class RichDetailsConverter : public DetailsConverter {
public:
    void convert(const std::string &rtf, std::string &plainText, std::string &html) override;
};

} // namespace nimbus::calendar
