// See RichDetailsConverter.h.
#include "shell/calendar/RichDetailsConverter.h"

#include <QTextDocument>

#include "shell/rtf/RtfReader.h"

namespace nimbus::calendar {

void RichDetailsConverter::convert(const std::string &rtf, std::string &plainText,
                                   std::string &html)
{
    QTextDocument document;
    rtf::RtfReader reader;
    // What could be read goes out; a page the reader refuses goes without text.
    reader.read(QByteArrayView(rtf.data(), static_cast<qsizetype>(rtf.size())), &document);
    plainText = document.toPlainText().toStdString();
    html = document.isEmpty() ? std::string() : document.toHtml().toStdString();
}

} // namespace nimbus::calendar
