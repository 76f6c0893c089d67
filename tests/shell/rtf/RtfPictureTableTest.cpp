// Pictures and tables: read from RTF as word processors write them, written back so that they
// read the same, and nothing kept from the editor (WMF/EMF) changes on the way.
#include "RtfTestSupport.h"

#include "shell/rtf/RtfPicture.h"

#include <QBuffer>
#include <QImage>
#include <QTextTable>
#include <QUrl>

using namespace nimbus::rtf;
using namespace nimbus::rtf::testing;

namespace {

QByteArray pngBytes(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 9 % 256, y * 13 % 256, (x * y) % 256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QList<QTextImageFormat> pictures(const QTextDocument &document)
{
    QList<QTextImageFormat> found;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                for (int i = 0; i < it.fragment().length(); ++i)
                    found << it.fragment().charFormat().toImageFormat();
    return found;
}

QImage shownImage(const QTextDocument &document, const QTextImageFormat &format)
{
    return document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
}

QList<QTextTable *> tables(const QTextDocument &document)
{
    QList<QTextTable *> found;
    for (QTextFrame *frame : document.rootFrame()->childFrames())
        if (auto *table = qobject_cast<QTextTable *>(frame))
            found << table;
    return found;
}

QString cellText(QTextTable *table, int row, int column)
{
    const QTextTableCell cell = table->cellAt(row, column);
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

QByteArray rtf(const QByteArray &body)
{
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}" + body + "}";
}

} // namespace

TEST(RtfPictures, PngAndJpegShowTheirPixelsAndSurviveSaving)
{
    const QByteArray png = pngBytes(12, 7);
    QImage jpegImage(20, 10, QImage::Format_RGB32);
    jpegImage.fill(qRgb(10, 200, 30));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    jpegImage.save(&buffer, "JPEG");

    // As Word and LibreOffice write them: the picture in \shppict, a WMF copy in \nonshppict,
    // a property group inside the picture and the data in lines of hex digits.
    const QByteArray page = rtf(
        "before {\\*\\shppict{\\pict{\\*\\picprop{\\sp{\\sn wzName}{\\sv Picture 1}}}\\pngblip"
        "\\picw12\\pich7\\picwgoal360\\pichgoal210\r\n" +
        png.toHex() + "}}{\\nonshppict{\\pict\\wmetafile8\\picw12\\pich7 0100090000}} middle "
        "{\\pict\\jpegblip\\picscalex200\\picscaley200\\bin" + QByteArray::number(jpeg.size()) +
        " " + jpeg + "} after\\par");
    const auto doc = readRtf(page);
    EXPECT_EQ(doc->toPlainText(), QString("before ") + QChar(0xFFFC) + " middle " + QChar(0xFFFC) + " after");
    const QList<QTextImageFormat> found = pictures(*doc);
    ASSERT_EQ(found.size(), 2); // the WMF copy of the first picture is not shown twice
    EXPECT_EQ(shownImage(*doc, found[0]), QImage::fromData(png));
    EXPECT_DOUBLE_EQ(found[0].width(), 24.0); // 360 twips
    EXPECT_DOUBLE_EQ(found[0].height(), 14.0);
    EXPECT_EQ(shownImage(*doc, found[1]).size(), QSize(20, 10));
    EXPECT_DOUBLE_EQ(found[1].width(), 40.0); // scaled to 200 %

    const QByteArray written = RtfWriter().write(*doc);
    EXPECT_TRUE(written.contains("{\\pict\\pngblip\\picw12\\pich7\\picwgoal360\\pichgoal210"));
    EXPECT_TRUE(written.contains(png.toHex().left(64)));
    const auto back = readRtf(written);
    const QList<QTextImageFormat> again = pictures(*back);
    ASSERT_EQ(again.size(), 2);
    EXPECT_EQ(shownImage(*back, again[0]), QImage::fromData(png));
    // The JPEG goes back byte for byte: no second lossy compression.
    EXPECT_EQ(again[1].property(RtfPicture::DataProperty).toByteArray(), jpeg);
    EXPECT_EQ(RtfWriter().write(*back), written);
}

TEST(RtfPictures, MetafilesAndDamagedPicturesAreKeptAsTheyCame)
{
    const QByteArray wmf = "0100090000036e00000000004500000000000400";
    const QByteArray emf = "01000000" "6c000000" "ffffffff";
    const auto doc = readRtf(rtf("{\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal1440"
                                 "\\pichgoal720 " + wmf + "}{\\pict\\emfblip\\picw100\\pich100 " +
                                 emf + "}{\\pict\\pngblip\\picwgoal300\\pichgoal300 0badc0de}\\par"));
    const QList<QTextImageFormat> found = pictures(*doc);
    ASSERT_EQ(found.size(), 3);
    EXPECT_DOUBLE_EQ(found[0].width(), 96.0); // shown as a placeholder of the same size
    EXPECT_FALSE(shownImage(*doc, found[0]).isNull());
    EXPECT_FALSE(shownImage(*doc, found[2]).isNull()); // damaged PNG: a placeholder too

    const QByteArray written = RtfWriter().write(*doc);
    EXPECT_TRUE(written.contains("{\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal1440"
                                 "\\pichgoal720\r\n" + wmf + "}"));
    EXPECT_TRUE(written.contains("{\\pict\\emfblip\\picw100\\pich100"));
    EXPECT_TRUE(written.contains(emf));
    EXPECT_TRUE(written.contains("\\pngblip\\picw0\\pich0\\picwgoal300\\pichgoal300\r\n0badc0de}"));
    EXPECT_EQ(RtfWriter().write(*readRtf(written)), written);
}

TEST(RtfPictures, PastedImagesAreWrittenAsPng)
{
    QTextDocument document;
    QImage image(5, 4, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    document.addResource(QTextDocument::ImageResource, QUrl("pasted.png"), image);
    QTextCursor cursor(&document);
    cursor.insertText("x");
    cursor.insertImage("pasted.png");
    const auto back = readRtf(RtfWriter().write(document));
    const QList<QTextImageFormat> found = pictures(*back);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(shownImage(*back, found[0]).convertToFormat(QImage::Format_RGB32), image);
}

TEST(RtfTables, CellsWidthsBordersAndMergesAreRead)
{
    // Row 1: three cells with borders; row 2: a wide cell over the first two columns (the
    // way word processors merge) and a cell merged down; row 3: \clmgf/\clmrg and the end of
    // the vertical merge.
    const auto doc = readRtf(rtf(
        "Before\\par"
        "\\trowd\\trleft-108\\clbrdrt\\brdrs\\brdrw15\\clbrdrb\\brdrs\\brdrw30\\cellx1332"
        "\\clbrdrl\\brdrnone\\cellx2772\\clvmgf\\cellx4212"
        "\\pard\\intbl {\\b A1}\\cell\\pard\\intbl A2\\par second line\\cell\\pard\\intbl A3\\cell\\row"
        "\\trowd\\trleft-108\\cellx2772\\clvmrg\\cellx4212"
        "\\pard\\intbl B12\\cell\\pard\\intbl\\cell\\row"
        "\\trowd\\trleft-108\\clmgf\\cellx1332\\clmrg\\cellx2772\\cellx4212"
        "\\pard\\intbl C12\\cell\\pard\\intbl\\cell\\pard\\intbl C3\\cell\\row"
        "\\pard After\\par"));
    const QList<QTextTable *> found = tables(*doc);
    ASSERT_EQ(found.size(), 1);
    QTextTable *table = found[0];
    ASSERT_EQ(table->rows(), 3);
    ASSERT_EQ(table->columns(), 3);
    EXPECT_EQ(cellText(table, 0, 0), "A1");
    EXPECT_EQ(table->cellAt(0, 0).firstCursorPosition().charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(cellText(table, 0, 1), QString("A2") + QChar(QChar::ParagraphSeparator) + "second line");
    EXPECT_EQ(table->cellAt(0, 2).rowSpan(), 2);
    EXPECT_EQ(table->cellAt(1, 0).columnSpan(), 2);
    EXPECT_EQ(cellText(table, 1, 0), "B12");
    EXPECT_EQ(table->cellAt(2, 0).columnSpan(), 2);
    EXPECT_EQ(cellText(table, 2, 0), "C12");
    EXPECT_EQ(cellText(table, 2, 2), "C3");
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    ASSERT_EQ(widths.size(), 3);
    EXPECT_DOUBLE_EQ(widths[0].rawValue(), 96.0); // 1440 twips from the row's left edge
    const QTextTableCellFormat a1 = table->cellAt(0, 0).format().toTableCellFormat();
    EXPECT_DOUBLE_EQ(a1.topBorder(), 1.0);
    EXPECT_DOUBLE_EQ(a1.bottomBorder(), 2.0);
    EXPECT_FALSE(table->cellAt(0, 1).format().hasProperty(QTextFormat::TableCellLeftBorder));
    EXPECT_EQ(blockTexts(*doc).first(), "Before");
    EXPECT_EQ(blockTexts(*doc).last(), "After");

    // What we write reads back to the same table, and writes the same bytes again.
    const QByteArray written = RtfWriter().write(*doc);
    EXPECT_TRUE(written.contains("\\clbrdrt\\brdrs\\brdrw15\\clbrdrb\\brdrs\\brdrw30\\cellx1440"));
    EXPECT_TRUE(written.contains("\\clvmgf\\cellx4320"));
    const auto back = readRtf(written);
    ASSERT_EQ(tables(*back).size(), 1);
    QTextTable *again = tables(*back)[0];
    EXPECT_EQ(again->cellAt(0, 2).rowSpan(), 2);
    EXPECT_EQ(again->cellAt(2, 0).columnSpan(), 2);
    EXPECT_EQ(cellText(again, 0, 1), cellText(table, 0, 1));
    EXPECT_EQ(back->toPlainText(), doc->toPlainText());
    EXPECT_EQ(RtfWriter().write(*back), written);
}

TEST(RtfTables, PastedTablesAndCellsEndingInEmptyParagraphs)
{
    QTextDocument document;
    document.setHtml("<p>x</p><table border=1 width=50%><tr><td>a<p></p></td><td><ul><li>b</li>"
                     "</ul></td></tr><tr><td colspan=2><img src='missing.png'>c</td></tr></table>"
                     "<p>y</p>");
    const QByteArray written = RtfWriter().write(document);
    EXPECT_TRUE(written.contains("\\clbrdrt\\brdrs\\brdrw15")); // the table's border
    const auto back = readRtf(written);
    ASSERT_EQ(tables(*back).size(), 1);
    QTextTable *table = tables(*back)[0];
    EXPECT_EQ(table->cellAt(1, 0).columnSpan(), 2);
    EXPECT_EQ(cellText(table, 0, 0), QString("a") + QChar(QChar::ParagraphSeparator));
    EXPECT_NE(table->cellAt(0, 1).firstCursorPosition().currentList(), nullptr);
    EXPECT_EQ(RtfWriter().write(*back), written);
}

TEST(RtfUnkept, WhatTheEditorCannotKeepIsNamed)
{
    auto unkeptOf = [](const QByteArray &body) {
        QTextDocument document;
        RtfReader reader;
        reader.read(rtf(body), &document);
        return reader.unkept();
    };
    EXPECT_TRUE(unkeptOf("{\\pict\\wmetafile8 0102}\\trowd\\cellx100\\intbl a\\cell\\row").isEmpty());
    EXPECT_EQ(unkeptOf("{\\header top\\par}{\\footer end\\par}text\\par"),
              QStringList{"headers or footers"});
    EXPECT_EQ(unkeptOf("{\\object\\objemb{\\*\\objdata 0102}{\\result shown\\par}}"),
              QStringList{"embedded objects"});
    EXPECT_EQ(unkeptOf("a{\\footnote note}{\\*\\annotation said}\\par"),
              (QStringList{"footnotes", "comments"}));
    EXPECT_EQ(unkeptOf("{\\shp{\\*\\shpinst{\\sp{\\sn pib}{\\sv {\\pict\\pngblip 00}}}}}"),
              QStringList{"drawings or floating pictures"});
    EXPECT_EQ(unkeptOf("\\trowd\\cellx900\\intbl\\itap2 inner\\nestcell{\\*\\nesttableprops"
                       "\\trowd\\cellx400\\nestrow}\\cell\\row"),
              QStringList{"tables inside tables"});
    // The result of an embedded object is still shown.
    QTextDocument document;
    RtfReader reader;
    reader.read(rtf("{\\object{\\*\\objdata 0102}{\\result shown\\par}}"), &document);
    EXPECT_EQ(document.toPlainText(), "shown");
}
