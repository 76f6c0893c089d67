// RtfWriter: exact bytes for known documents, and round trips through RtfReader that keep
// the text and every format we write.
#include "RtfTestSupport.h"

using namespace nimbus::rtf;
using namespace nimbus::rtf::testing;

namespace {

QTextCharFormat plain()
{
    return QTextCharFormat();
}

QTextCharFormat bold()
{
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    return format;
}

QTextCharFormat link(const QString &href)
{
    QTextCharFormat format;
    format.setAnchor(true);
    format.setAnchorHref(href);
    format.setFontUnderline(true);
    return format;
}

QByteArray writeRtf(const QTextDocument &document)
{
    RtfWriter writer;
    return writer.write(document);
}

// Everything the writer keeps, block by block and run by run, as readable lines.
QStringList describe(const QTextDocument &document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat f = block.blockFormat();
        QString line = QStringLiteral("block l=%1 r=%2 t=%3 top=%4 bottom=%5 align=%6")
                           .arg(f.leftMargin())
                           .arg(f.rightMargin())
                           .arg(f.textIndent())
                           .arg(f.topMargin())
                           .arg(f.bottomMargin())
                           .arg(int(f.alignment() & Qt::AlignHorizontal_Mask));
        for (const QTextOption::Tab &tab : f.tabPositions())
            line += QStringLiteral(" tab=%1/%2").arg(tab.position).arg(int(tab.type));
        if (const QTextList *list = block.textList())
            line += QStringLiteral(" list=%1/%2/%3")
                        .arg(int(list->format().style()))
                        .arg(list->format().indent())
                        .arg(list->itemNumber(block));
        lines << line;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat c = it.fragment().charFormat();
            lines << QStringLiteral(
                         "  [%1] b=%2 i=%3 u=%4 s=%5 font=%6 size=%7 fg=%8 bg=%9 href=%10")
                         .arg(it.fragment().text())
                         .arg(c.fontWeight() >= QFont::DemiBold)
                         .arg(c.fontItalic())
                         .arg(c.fontUnderline())
                         .arg(c.fontStrikeOut())
                         .arg(c.fontFamilies().toStringList().join(','))
                         .arg(c.fontPointSize())
                         .arg(c.hasProperty(QTextFormat::ForegroundBrush)
                                  ? c.foreground().color().name()
                                  : QString())
                         .arg(c.hasProperty(QTextFormat::BackgroundBrush)
                                  ? c.background().color().name()
                                  : QString())
                         .arg(c.anchorHref());
        }
    }
    return lines;
}

} // namespace

TEST(RtfWriter, KnownDocumentGivesExactBytes)
{
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Liberation Sans")));
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("Hello "), plain());
    cursor.insertText(QStringLiteral("bold"), bold());
    cursor.insertText(QStringLiteral(" and "), plain());
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    red.setFontPointSize(14);
    red.setFontFamilies({QStringLiteral("Courier New")});
    cursor.insertText(QStringLiteral("red"), red);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setLeftMargin(96);
    cursor.insertBlock(centred, plain());
    cursor.insertText(QString::fromUtf8("Café Ω {1}\\"), plain());
    cursor.insertBlock(QTextBlockFormat(), plain());
    cursor.insertText(QStringLiteral("See "), plain());
    cursor.insertText(QStringLiteral("site"), link(QStringLiteral("https://example.com/?a=1")));

    const QByteArray expected =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n"
        "{\\fonttbl{\\f0\\fnil\\fcharset0 Liberation Sans;}{\\f1\\fnil\\fcharset0 Courier "
        "New;}}\r\n"
        "{\\colortbl;\\red255\\green0\\blue0;}\r\n"
        "\\pard\\ql {Hello }{\\b bold}{ and }{\\f1\\fs28\\cf1 red}\\par\r\n"
        "\\pard\\li1440\\qc {Caf\\'e9 \\u937? \\{1\\}\\\\}\\par\r\n"
        "\\pard\\ql {See }{\\field{\\*\\fldinst{HYPERLINK \"https://example.com/?a=1\"}}"
        "{\\fldrslt{\\ul site}}}\\par\r\n"
        "}\r\n";
    EXPECT_EQ(writeRtf(document).toStdString(), expected.toStdString());
}

TEST(RtfWriter, ListsAreWrittenForWordProcessorsAndForUs)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("intro"), plain());
    cursor.insertBlock(QTextBlockFormat(), plain());
    cursor.createList(QTextListFormat::ListDisc);
    cursor.insertText(QStringLiteral("dot"), plain());
    cursor.insertBlock(QTextBlockFormat(), plain());
    QTextListFormat numbers;
    numbers.setStyle(QTextListFormat::ListDecimal);
    numbers.setIndent(2);
    cursor.createList(numbers);
    cursor.insertText(QStringLiteral("one"), plain());
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("two"), plain());

    const QByteArray rtf = writeRtf(document);
    EXPECT_TRUE(rtf.contains("{\\listoverride\\listid1\\listoverridecount0\\ls1}"
                             "{\\listoverride\\listid2\\listoverridecount0\\ls2}"));
    EXPECT_TRUE(rtf.contains("{\\listlevel\\levelnfc23\\levelnfcn23\\leveljc0\\leveljcn0"
                             "\\levelfollow0\\levelstartat1{\\leveltext\\'01\\'95;}"
                             "{\\levelnumbers;}\\fi-360\\li1440}"));
    EXPECT_TRUE(rtf.contains("{\\leveltext\\'02\\'01.;}{\\levelnumbers\\'01;}\\fi-360\\li2880}"));
    EXPECT_TRUE(rtf.contains("{\\listtext\\pard\\plain \\'95\\tab}\\pard\\ls1\\ilvl0\\li1440"
                             "\\fi-360\\ql {dot}\\par"));
    EXPECT_TRUE(rtf.contains("{\\listtext\\pard\\plain 2.\\tab}\\pard\\ls2\\ilvl1\\li2880"
                             "\\fi-360\\ql {two}\\par"));

    const auto back = readRtf(rtf);
    EXPECT_EQ(describe(*back), describe(document));
}

TEST(RtfWriter, RoundTripKeepsTextAndFormats)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat all = bold();
    all.setFontItalic(true);
    all.setFontUnderline(true);
    all.setFontStrikeOut(true);
    all.setFontFamilies({QString::fromUtf8("Noto Serif CJK JP")});
    all.setFontPointSize(10.5);
    all.setForeground(QColor(12, 34, 56));
    all.setBackground(QColor(255, 255, 0));
    QTextCharFormat highlighted;
    highlighted.setBackground(QColor(0, 255, 0));
    QTextCharFormat sameColour;
    sameColour.setForeground(QColor(0, 255, 0));

    QTextBlockFormat indented;
    indented.setLeftMargin(48);
    indented.setRightMargin(24);
    indented.setTextIndent(-12);
    indented.setTopMargin(4);
    indented.setBottomMargin(8);
    indented.setAlignment(Qt::AlignJustify);
    indented.setTabPositions({QTextOption::Tab(96, QTextOption::LeftTab),
                              QTextOption::Tab(288, QTextOption::RightTab),
                              QTextOption::Tab(300, QTextOption::CenterTab)});
    cursor.setBlockFormat(indented);
    cursor.insertText(QStringLiteral("every format"), all);
    cursor.insertText(QStringLiteral(" green bg "), highlighted);
    cursor.insertText(QStringLiteral("green fg"), sameColour);
    cursor.insertText(
        QString::fromUtf8("\ttab\u2028line €‚ “quotes” Ελληνικά 日本語 😀 \u00a0\u2011"), plain());

    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    cursor.insertBlock(right, plain());
    cursor.insertText(QStringLiteral("right {braces} \\back\\slash"), plain());
    cursor.insertBlock(QTextBlockFormat(), plain()); // an empty paragraph
    cursor.insertBlock(QTextBlockFormat(), plain());
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    QTextList *outer = cursor.createList(bullets);
    cursor.insertText(QStringLiteral("bullet one"), plain());
    cursor.insertBlock();
    QTextListFormat circles;
    circles.setStyle(QTextListFormat::ListCircle);
    circles.setIndent(2);
    cursor.createList(circles);
    cursor.insertText(QStringLiteral("nested"), plain());
    cursor.insertBlock();
    outer->add(cursor.block());
    cursor.insertText(QStringLiteral("bullet two"), plain());
    QTextBlockFormat listMargin;
    listMargin.setLeftMargin(10);
    cursor.insertBlock(listMargin, plain());
    QTextListFormat upper;
    upper.setStyle(QTextListFormat::ListUpperAlpha);
    cursor.createList(upper);
    cursor.insertText(QStringLiteral("letter "), plain());
    cursor.insertText(QStringLiteral("linked"),
                      link(QStringLiteral("https://example.com/\"q\"\\x")));
    cursor.insertText(QStringLiteral(" also linked"),
                      link(QStringLiteral("https://example.com/\"q\"\\x")));
    cursor.insertText(QStringLiteral(" other"), link(QStringLiteral("mailto:someone@example.com")));
    cursor.insertBlock(QTextBlockFormat(), plain());
    cursor.insertBlock(QTextBlockFormat(), plain()); // the page ends with empty paragraphs

    const QByteArray first = writeRtf(document);
    const auto back = readRtf(first);
    EXPECT_EQ(back->toPlainText(), document.toPlainText());
    EXPECT_EQ(describe(*back), describe(document));
    EXPECT_EQ(writeRtf(*back), first);
    EXPECT_EQ(writeRtf(document), first); // the same document, the same bytes
    // Only ASCII is written.
    for (char c : first)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80);
}

TEST(RtfWriter, EmptyAndPlainDocuments)
{
    QTextDocument empty;
    const auto emptyBack = readRtf(writeRtf(empty));
    EXPECT_EQ(blockTexts(*emptyBack), QStringList{""});

    QTextDocument plainText;
    plainText.setPlainText(QStringLiteral("one\n\ntwo\n"));
    const auto back = readRtf(writeRtf(plainText));
    EXPECT_EQ(blockTexts(*back), QStringList({"one", "", "two", ""}));
}
