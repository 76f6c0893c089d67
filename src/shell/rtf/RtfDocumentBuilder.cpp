// Builds a QTextDocument from what the RTF reader finds; see RtfDocumentBuilder.h.
#include "shell/rtf/RtfDocumentBuilder.h"

#include "shell/rtf/RtfParagraphState.h"

#include <QTextDocument>
#include <QTextList>

namespace nimbus::rtf {

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument *document)
    : document_(document), cursor_(document)
{
    document_->clear();
    // Lists indent by the step word processors use, so that what we write indents the same.
    document_->setIndentWidth(RtfParagraphState::ListIndentTwips / RtfParagraphState::TwipsPerPixel);
    cursor_ = QTextCursor(document_);
}

void RtfDocumentBuilder::removeUnsupported(QString &text, bool keepLineFeeds)
{
    text.replace(QChar::ParagraphSeparator, QChar::LineSeparator);
    text.removeIf([keepLineFeeds](QChar qc) {
        const char16_t c = qc.unicode();
        if (c < 0x20)
            return c != '\t' && !(keepLineFeeds && c == '\n');
        return c == 0x7F || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFC;
    });
}

void RtfDocumentBuilder::insertText(const QString &text, const QTextCharFormat &format)
{
    if (text.isEmpty())
        return;
    enterNextCell();
    if (blockPending_) {
        flush();
        cursor_.insertBlock();
        blockPending_ = false;
    }
    if (!pending_.isEmpty() && format != pendingFormat_)
        flush();
    if (pending_.isEmpty())
        pendingFormat_ = format;
    pending_ += text;
    textSinceBreak_ = true;
}

void RtfDocumentBuilder::flush()
{
    if (pending_.isEmpty())
        return;
    cursor_.insertText(pending_, pendingFormat_);
    pending_.clear();
}

void RtfDocumentBuilder::endParagraph(const QTextBlockFormat &format, const RtfListMembership &list)
{
    flush();
    enterNextCell();
    if (blockPending_)
        cursor_.insertBlock();
    applyParagraph(format, list);
    blockPending_ = true;
    textSinceBreak_ = false;
    ++paragraphs_;
}

void RtfDocumentBuilder::finish(const QTextBlockFormat &format, const RtfListMembership &list)
{
    flush();
    if (textSinceBreak_)
        applyParagraph(format, list);
    if (tables_.inTable())
        endTable();
}

void RtfDocumentBuilder::insertObject(const QTextCharFormat &format)
{
    insertText(QString(QChar::ObjectReplacementCharacter), format);
}

void RtfDocumentBuilder::beginRow(const RtfRowDefinition &row)
{
    flush();
    cellEnded_ = false;
    cursor_ = tables_.beginRow(cursor_, row);
    blockPending_ = false;
    textSinceBreak_ = false;
    previousList_ = nullptr;
}

void RtfDocumentBuilder::endCell(const QTextBlockFormat &format, const RtfListMembership &list)
{
    if (!tables_.inRow())
        return;
    flush();
    enterNextCell();
    if (!blockPending_)
        applyParagraph(format, list);
    ++paragraphs_;
    cellEnded_ = true;
}

void RtfDocumentBuilder::enterNextCell()
{
    if (!cellEnded_)
        return;
    cellEnded_ = false;
    if (!tables_.inRow())
        return;
    cursor_ = tables_.nextCell();
    blockPending_ = false;
    textSinceBreak_ = false;
    previousList_ = nullptr;
}

void RtfDocumentBuilder::endTable()
{
    flush();
    cellEnded_ = false;
    cursor_ = tables_.endTable();
    blockPending_ = false;
    textSinceBreak_ = false;
    previousList_ = nullptr;
}

void RtfDocumentBuilder::applyParagraph(const QTextBlockFormat &format,
                                        const RtfListMembership &list)
{
    cursor_.setBlockFormat(format);
    if (!list.inList) {
        previousList_ = nullptr;
        return;
    }
    QTextList *target = nullptr;
    if (list.key != 0) {
        const auto found = lists_.find(list.key);
        if (found != lists_.end())
            target = found->second;
    } else if (previousList_ && previousMembership_.key == 0 &&
               previousMembership_.style == list.style && previousMembership_.level == list.level) {
        target = previousList_;
    }
    if (target) {
        target->add(cursor_.block());
    } else {
        QTextListFormat listFormat;
        listFormat.setStyle(list.style);
        listFormat.setIndent(list.level + 1);
        target = cursor_.createList(listFormat);
        if (list.key != 0)
            lists_[list.key] = target;
    }
    previousList_ = target;
    previousMembership_ = list;
}

} // namespace nimbus::rtf
