// Reads RTF or plain-text details pages into a QTextDocument; see RtfReader.h.
#include "shell/rtf/RtfReader.h"

#include "shell/rtf/RtfCodePage.h"
#include "shell/rtf/RtfDocumentBuilder.h"
#include "shell/rtf/RtfParser.h"

#include <QStringDecoder>
#include <QTextDocument>

namespace nimbus::rtf {

namespace {

QByteArrayView withoutLeadingBlanks(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    while (!bytes.isEmpty() && (bytes.front() == ' ' || bytes.front() == '\t' ||
                                bytes.front() == '\r' || bytes.front() == '\n'))
        bytes = bytes.sliced(1);
    return bytes;
}

} // namespace

bool RtfReader::isRtf(QByteArrayView bytes)
{
    return withoutLeadingBlanks(bytes).startsWith("{\\rtf");
}

bool RtfReader::tooLarge(QByteArrayView bytes)
{
    error_.clear();
    unkept_.clear();
    if (bytes.size() <= MaxInputBytes)
        return false;
    error_ = QStringLiteral("The page is larger than %1 MB and was not read.")
                 .arg(MaxInputBytes / (1024 * 1024));
    return true;
}

bool RtfReader::readPlainText(QByteArrayView bytes, QTextDocument *document)
{
    if (tooLarge(bytes))
        return false;
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    const bool complete = plainText(bytes, document);
    if (!complete)
        error_ = QStringLiteral("The page has more than %1 lines; the rest was not read.")
                     .arg(MaxParagraphs);
    document->setUndoRedoEnabled(undo);
    document->setModified(false);
    return complete;
}

bool RtfReader::read(QByteArrayView bytes, QTextDocument *document)
{
    if (!isRtf(bytes))
        return readPlainText(bytes, document);
    if (tooLarge(bytes))
        return false;
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    RtfParser parser(document, MaxParagraphs);
    const bool complete = parser.parse(withoutLeadingBlanks(bytes));
    error_ = parser.problem();
    unkept_ = parser.unkept();
    document->setUndoRedoEnabled(undo);
    document->setModified(false);
    return complete;
}

// Plain-text pages are UTF-8, or Windows-1252 when they are not valid UTF-8 (pages written
// on Windows before they were rich text).
bool RtfReader::plainText(QByteArrayView bytes, QTextDocument *document)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        RtfCodePage codePage;
        text = codePage.decode(bytes, RtfCodePage::Windows1252);
    }
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    RtfDocumentBuilder::removeUnsupported(text, true);
    qsizetype lines = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\n') && ++lines == MaxParagraphs) {
            text.truncate(i);
            document->setPlainText(text);
            return false;
        }
    }
    document->setPlainText(text);
    return true;
}

} // namespace nimbus::rtf
