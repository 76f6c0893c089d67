// See RichPageWriter.h.
#include "shell/calendar/RichPageWriter.h"

#include <QTextCursor>
#include <QTextDocument>

#include "caldav/DetailsPages.h"
#include "shell/rtf/RtfWriter.h"

namespace nimbus::calendar {

std::string RichPageWriter::render(const CalendarTopic &topic, bool &richText)
{
    richText = false;
    const std::string notes = notesText(topic);
    if (topic.detailsHtml.empty() && topic.detailsText.empty() && notes.empty())
        return {};
    QTextDocument document;
    if (!topic.detailsHtml.empty())
        document.setHtml(QString::fromStdString(topic.detailsHtml));
    // The HTML is the same note with its formatting only while it says what DESCRIPTION
    // says: a program that changes the plain text alone leaves an older HTML behind.
    if (topic.detailsHtml.empty() ||
        !caldav::sameWords(document.toPlainText().toStdString(), topic.detailsText))
        document.setPlainText(QString::fromStdString(topic.detailsText));
    if (!notes.empty()) {
        QTextCursor cursor(&document);
        cursor.movePosition(QTextCursor::End);
        if (!document.isEmpty())
            cursor.insertBlock();
        cursor.insertText(QString::fromStdString(notes));
    }
    richText = true;
    const QByteArray bytes = rtf::RtfWriter().write(document);
    return bytes.toStdString();
}

} // namespace nimbus::calendar
