// A generated details page for the benchmarks: about 200 pages of formatted text (headings,
// bold, italic, underlined, coloured and highlighted runs, non-ASCII text, links, lists).
#pragma once

#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace nimbus::bench {

// Each page: a heading, body paragraphs with bold, italic, underlined, coloured and
// highlighted runs, non-ASCII text and a link, a bullet list and a numbered list.
inline void fillPage(QTextCursor &cursor, int page)
{
    QTextCharFormat plain;
    QTextCharFormat heading;
    heading.setFontWeight(QFont::Bold);
    heading.setFontPointSize(16);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    QTextCharFormat underline;
    underline.setFontUnderline(true);
    QTextCharFormat red;
    red.setForeground(QColor(200, 0, 0));
    QTextCharFormat highlight;
    highlight.setBackground(QColor(255, 255, 0));
    QTextCharFormat link;
    link.setAnchor(true);
    link.setAnchorHref(QStringLiteral("https://example.com/page/%1").arg(page));
    link.setFontUnderline(true);
    link.setForeground(QColor(0, 0, 255));

    QTextBlockFormat body;
    QTextBlockFormat indented;
    indented.setLeftMargin(48);
    cursor.insertBlock(body, heading);
    cursor.insertText(QStringLiteral("Page %1: notes on the project").arg(page + 1), heading);
    for (int p = 0; p < 4; ++p) {
        cursor.insertBlock(p % 3 == 2 ? indented : body, plain);
        cursor.insertText(QStringLiteral("The meeting on day %1 agreed that the plan goes ahead; ")
                              .arg(page * 4 + p),
                          plain);
        cursor.insertText(QStringLiteral("every open question"), bold);
        cursor.insertText(QStringLiteral(" is listed below, "), plain);
        cursor.insertText(QStringLiteral("with its owner"), italic);
        cursor.insertText(QStringLiteral(" and "), plain);
        cursor.insertText(QStringLiteral("a due date"), underline);
        cursor.insertText(QString::fromUtf8(". Café prices rose by 5 € — Grüße an alle, "
                                            "Ελληνικά σημειώσεις. "),
                          plain);
        cursor.insertText(QStringLiteral("Late items are red"), red);
        cursor.insertText(QStringLiteral(", reviewed ones are "), plain);
        cursor.insertText(QStringLiteral("highlighted"), highlight);
        cursor.insertText(QStringLiteral("; see "), plain);
        cursor.insertText(QStringLiteral("the tracker"), link);
        cursor.insertText(QStringLiteral(" for details.\tDone."), plain);
    }
    cursor.insertBlock(body, plain);
    cursor.createList(QTextListFormat::ListDisc);
    for (int item = 0; item < 4; ++item) {
        if (item > 0)
            cursor.insertBlock();
        cursor.insertText(QStringLiteral("Bullet item %1 with a few words of text").arg(item + 1),
                          plain);
    }
    cursor.insertBlock(body, plain);
    cursor.createList(QTextListFormat::ListDecimal);
    for (int item = 0; item < 4; ++item) {
        if (item > 0)
            cursor.insertBlock();
        cursor.insertText(QStringLiteral("Numbered step %1 of the checklist").arg(item + 1), plain);
    }
}

// Fills a document with that many pages.
inline void fillDetailsPage(QTextDocument &document, int pages = 200)
{
    QTextCursor cursor(&document);
    for (int page = 0; page < pages; ++page)
        fillPage(cursor, page);
}

} // namespace nimbus::bench
