// A generated details page for the benchmarks: about 200 pages of formatted text (headings,
// bold, italic, underlined, coloured and highlighted runs, non-ASCII text, links, lists).
#pragma once

#include <QImage>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

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

// A picture of noise (so that it does not compress away), as a pasted picture is held.
inline QTextImageFormat addPicture(QTextDocument &document, int number)
{
    QImage image(48, 32, QImage::Format_RGB32);
    quint32 seed = 2654435761u * static_cast<quint32>(number + 1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            image.setPixel(x, y, seed >> 8);
        }
    const QString name = QStringLiteral("bench-picture-%1").arg(number);
    document.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(image.width());
    format.setHeight(image.height());
    return format;
}

// A table of 4 columns and 6 rows with borders, a header row and a merged cell.
inline void insertTable(QTextCursor &cursor, int number)
{
    QTextTableFormat format;
    format.setBorder(1);
    format.setCellPadding(4);
    format.setCellSpacing(0);
    format.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 120),
                                      QTextLength(QTextLength::FixedLength, 80),
                                      QTextLength(QTextLength::FixedLength, 80),
                                      QTextLength(QTextLength::FixedLength, 200)});
    QTextTable *table = cursor.insertTable(6, 4, format);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    for (int row = 0; row < 6; ++row)
        for (int column = 0; column < 4; ++column)
            table->cellAt(row, column)
                .firstCursorPosition()
                .insertText(row == 0 ? QStringLiteral("Heading %1").arg(column + 1)
                                     : QStringLiteral("Table %1 cell %2.%3").arg(number).arg(row).arg(column),
                            row == 0 ? bold : QTextCharFormat());
    table->mergeCells(5, 0, 1, 2);
    cursor = table->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
}

// Text pages with pictures and tables spread through them.
inline void fillPicturesAndTablesPage(QTextDocument &document, int pages, int pictures, int tables)
{
    QTextCursor cursor(&document);
    int picture = 0, table = 0;
    for (int page = 0; page < pages; ++page) {
        fillPage(cursor, page);
        cursor.insertBlock();
        while (picture < pictures && picture * pages < (page + 1) * pictures) {
            cursor.insertText(QStringLiteral("Figure %1: ").arg(picture + 1));
            cursor.insertImage(addPicture(document, picture++));
            cursor.insertBlock();
        }
        while (table < tables && table * pages < (page + 1) * tables)
            insertTable(cursor, table++);
    }
}

} // namespace nimbus::bench
