// Puts what the RTF reader finds into a QTextDocument: text runs with their character
// format, paragraph ends with their block format, and list membership.
#pragma once

#include "shell/rtf/RtfTableBuilder.h"

#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextListFormat>

#include <map>

class QTextDocument;
class QTextList;

namespace nimbus::rtf {

// The list a paragraph belongs to, as far as the reader could tell.
struct RtfListMembership {
    bool inList = false;
    // Paragraphs with the same key share one list, even when other paragraphs come between
    // (\lsN lists); key 0 joins only the list of the paragraph right before (\pn lists).
    long long key = 0;
    QTextListFormat::Style style = QTextListFormat::ListDisc;
    int level = 0; // 0-based
};

class RtfDocumentBuilder {
public:
    // Clears the document; the builder writes into it until finish().
    explicit RtfDocumentBuilder(QTextDocument *document);

    // Removes what no page holds and what would split or corrupt the document's blocks:
    // C0 controls except the tab (and the line feed when asked), DEL, the frame markers
    // U+FDD0 and U+FDD1 and the object placeholder U+FFFC. A paragraph separator becomes a
    // line separator.
    static void removeUnsupported(QString &text, bool keepLineFeeds = false);

    void insertText(const QString &text, const QTextCharFormat &format);
    // Ends the paragraph that holds the text inserted since the last end.
    void endParagraph(const QTextBlockFormat &format, const RtfListMembership &list);
    // Ends the last paragraph when it had text but no paragraph mark.
    void finish(const QTextBlockFormat &format, const RtfListMembership &list);

    // An object (a picture) in the running text.
    void insertObject(const QTextCharFormat &format);

    // Tables: see RtfTableBuilder. A cell's last paragraph ends with the cell; one that was
    // already ended by a paragraph mark is not ended twice.
    bool inTable() const { return tables_.inTable(); }
    bool inRow() const { return tables_.inRow(); }
    void beginRow(const RtfRowDefinition &row);
    void endCell(const QTextBlockFormat &format, const RtfListMembership &list);
    void endRow()
    {
        cellEnded_ = false;
        tables_.endRow();
    }
    void endTable();

    QTextDocument *document() const { return document_; }
    // Paragraphs ended so far.
    qsizetype paragraphCount() const { return paragraphs_; }

private:
    void flush();
    // After \cell, the next cell is entered when something goes into it.
    void enterNextCell();
    void applyParagraph(const QTextBlockFormat &format, const RtfListMembership &list);

    QTextDocument *document_;
    QTextCursor cursor_;
    QString pending_;
    QTextCharFormat pendingFormat_;
    bool blockPending_ = false; // a paragraph mark was read; its block is made on demand
    bool textSinceBreak_ = false;
    qsizetype paragraphs_ = 0;
    std::map<long long, QTextList *> lists_;
    QTextList *previousList_ = nullptr;
    RtfListMembership previousMembership_;
    RtfTableBuilder tables_;
    bool cellEnded_ = false;
};

} // namespace nimbus::rtf
