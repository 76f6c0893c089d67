// RtfReader on hand-written RTF: formatting, escapes and code pages, skipped destinations,
// fields, lists, paragraph structure, plain-text pages and malformed input.
#include "RtfTestSupport.h"

using namespace nimbus::rtf;
using namespace nimbus::rtf::testing;

namespace {

const QByteArray Tables = "{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman\\fcharset0 Times New "
                          "Roman;}}{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;"
                          "\\red255\\green255\\blue0;}";

QByteArray document(const QByteArray &body)
{
    return "{\\rtf1\\ansi\\deff0" + Tables + body + "}";
}

} // namespace

TEST(RtfReader, CharacterFormatting)
{
    const auto doc = readRtf(document(
        "\\pard plain {\\b bold}{\\i italic}{\\ul under}{\\strike struck}\\b on\\b0 off "
        "{\\ulnone\\ul\\ul0 notunder}{\\f1\\fs36 times}{\\cf1 red}{\\cf0 auto}"
        "{\\highlight3 yellow}{\\cb2 bluebg}{\\chcbpat1 redbg}{\\b\\i\\plain reset}\\par"));
    EXPECT_EQ(doc->toPlainText(),
              "plain bolditalicunderstruckonoff notundertimesredautoyellowbluebgredbgreset");
    EXPECT_EQ(formatOf(*doc, "bold").fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(*doc, "plain").fontWeight(), QFont::Normal);
    EXPECT_TRUE(formatOf(*doc, "italic").fontItalic());
    EXPECT_TRUE(formatOf(*doc, "under").fontUnderline());
    EXPECT_FALSE(formatOf(*doc, "notunder").fontUnderline());
    EXPECT_TRUE(formatOf(*doc, "struck").fontStrikeOut());
    EXPECT_EQ(formatOf(*doc, "on").fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(*doc, "off").fontWeight(), QFont::Normal);

    const QTextCharFormat times = formatOf(*doc, "times");
    EXPECT_EQ(times.fontFamilies().toStringList(), QStringList{"Times New Roman"});
    EXPECT_DOUBLE_EQ(times.fontPointSize(), 18.0);
    EXPECT_FALSE(formatOf(*doc, "plain").hasProperty(QTextFormat::FontPointSize));
    EXPECT_FALSE(formatOf(*doc, "plain").hasProperty(QTextFormat::FontFamilies));

    EXPECT_EQ(formatOf(*doc, "red").foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(formatOf(*doc, "auto").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(formatOf(*doc, "yellow").background().color(), QColor(255, 255, 0));
    EXPECT_EQ(formatOf(*doc, "bluebg").background().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatOf(*doc, "redbg").background().color(), QColor(255, 0, 0));
    const QTextCharFormat reset = formatOf(*doc, "reset");
    EXPECT_EQ(reset.fontWeight(), QFont::Normal);
    EXPECT_FALSE(reset.fontItalic());
}

TEST(RtfReader, ParagraphFormatting)
{
    const auto doc = readRtf(document("\\pard\\li1440\\ri720\\fi-360\\qc indented\\par "
                                      "\\qr right\\par "
                                      "\\pard\\qj\\sb120\\sa240 justified\\par "
                                      "\\pard\\tx720\\tqr\\tx2880 a\\tab b\\tab c\\par "
                                      "\\pard plain\\par"));
    EXPECT_EQ(blockTexts(*doc),
              QStringList({"indented", "right", "justified", "a\tb\tc", "plain"}));
    const QTextBlockFormat indented = blockOf(*doc, "indented").blockFormat();
    EXPECT_DOUBLE_EQ(indented.leftMargin(), 96.0);
    EXPECT_DOUBLE_EQ(indented.rightMargin(), 48.0);
    EXPECT_DOUBLE_EQ(indented.textIndent(), -24.0);
    EXPECT_EQ(indented.alignment(), Qt::AlignHCenter);
    // Paragraph properties stay until \pard.
    EXPECT_DOUBLE_EQ(blockOf(*doc, "right").blockFormat().leftMargin(), 96.0);
    EXPECT_EQ(blockOf(*doc, "right").blockFormat().alignment(), Qt::AlignRight);
    const QTextBlockFormat justified = blockOf(*doc, "justified").blockFormat();
    EXPECT_EQ(justified.alignment(), Qt::AlignJustify);
    EXPECT_DOUBLE_EQ(justified.leftMargin(), 0.0);
    EXPECT_DOUBLE_EQ(justified.topMargin(), 8.0);
    EXPECT_DOUBLE_EQ(justified.bottomMargin(), 16.0);
    const QList<QTextOption::Tab> tabs = blockOf(*doc, "a\tb").blockFormat().tabPositions();
    ASSERT_EQ(tabs.size(), 2);
    EXPECT_DOUBLE_EQ(tabs[0].position, 48.0);
    EXPECT_EQ(tabs[0].type, QTextOption::LeftTab);
    EXPECT_DOUBLE_EQ(tabs[1].position, 192.0);
    EXPECT_EQ(tabs[1].type, QTextOption::RightTab);
    EXPECT_FALSE(blockOf(*doc, "plain").blockFormat().hasProperty(QTextFormat::BlockAlignment));
}

TEST(RtfReader, EscapesAndCodePages)
{
    // Windows-1252 by default, \uN with its fallback skipped as \uc says.
    auto doc = readRtf(document("caf\\'e9 \\'80\\'93 \\u937?\\uc2\\u8364\\'80X\\uc0\\u8482 "
                                "\\u-3913 ? \\{\\}\\\\\\~\\_x\\line y\\tab z\\emdash\\bullet"
                                "\\lquote\\rquote\\ldblquote\\rdblquote\\par"));
    EXPECT_EQ(doc->toRawText(),
              QString::fromUtf8("café €“ Ω€™\uf0b7? {}\\\u00a0\u2011x\u2028y\tz—•‘’“”"));

    // A character outside the basic plane comes as two \u; a negative \u is a high code.
    doc = readRtf(document("\\u-10179?\\u-8704?\\par"));
    EXPECT_EQ(doc->toPlainText(), QString::fromUtf8("😀"));

    // \ansicpg and a font's character set choose the code page of \'hh.
    doc = readRtf("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset161 "
                  "Greek;}}\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2 {\\f1\\'e2\\'e5\\'f4\\'e1}\\par}");
    EXPECT_EQ(doc->toPlainText(), QString::fromUtf8("Привет βετα"));

    // Font names are decoded like text, and keep no tabs or line breaks.
    doc = readRtf("{\\rtf1{\\fonttbl{\\f0 Caf\\u233?\\tab\\'e9\tX;}}\\f0 text\\par}");
    EXPECT_EQ(formatOf(*doc, "text").fontFamilies().toStringList(),
              QStringList{QString::fromUtf8("Caféé"
                                            "X")});

    // Double-byte code pages take two \'hh per character.
    doc = readRtf("{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}"
                  "\\f0\\'93\\'fa\\'96\\'7b\\par}");
    EXPECT_EQ(doc->toPlainText(), QString::fromUtf8("日本"));

    // A page saved with raw UTF-8 bytes (not valid Windows-1252 text) keeps its characters.
    doc = readRtf(QByteArray("{\\rtf1\\ansi Gr\xC3\xBC\xC3\x9F"
                             "e \\'e9\\par}"));
    EXPECT_EQ(doc->toPlainText(), QString::fromUtf8("Grüße é"));
}

TEST(RtfReader, SkipsDestinationsThatHoldNoPageText)
{
    const auto doc =
        readRtf(document("{\\stylesheet{\\s0 Normal;}}{\\info{\\title Secret}{\\author Someone}}"
                         "{\\*\\generator Tool;}{\\header Header text\\par}{\\footer Footer\\par}"
                         "{\\*\\unknownthing {nested} text}{\\*\\listpicture{\\pict\\pngblip\\bin4 }{}}}}"
                         "visible{\\*\\bkmkstart mark}body\\par"));
    EXPECT_EQ(doc->toPlainText(), "visiblebody");
}

TEST(RtfReader, HyperlinkFields)
{
    const auto doc = readRtf(
        document("See {\\field{\\*\\fldinst {\\rtlch HYPERLINK \"https://example.com/a b?q=1\" }}"
                 "{\\fldrslt {\\ul\\cf2 the page}}} and "
                 "{\\field{\\*\\fldinst HYPERLINK \\\\l \"chapter2\"}{\\fldrslt chapter}} and "
                 "{\\field{\\*\\fldinst HYPERLINK \"C:\\\\\\\\Docs\\\\\\\\a.txt\" \\\\o "
                 "\"tip\"}{\\fldrslt file}} and "
                 "{\\field{\\*\\fldinst PAGE}{\\fldrslt 7}} end\\par"));
    EXPECT_EQ(doc->toPlainText(), "See the page and chapter and file and 7 end");
    const QTextCharFormat link = formatOf(*doc, "the page");
    EXPECT_TRUE(link.isAnchor());
    EXPECT_EQ(link.anchorHref(), "https://example.com/a b?q=1");
    EXPECT_TRUE(link.fontUnderline());
    EXPECT_EQ(link.foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatOf(*doc, "chapter").anchorHref(), "#chapter2");
    EXPECT_EQ(formatOf(*doc, "file").anchorHref(), "C:\\Docs\\a.txt");
    EXPECT_FALSE(formatOf(*doc, "7").isAnchor());
    EXPECT_FALSE(formatOf(*doc, " end").isAnchor());
}

TEST(RtfReader, ListTablesGiveListsWithTheirStyles)
{
    const auto doc = readRtf(document(
        "{\\*\\listtable"
        "{\\list\\listtemplateid9{\\listlevel\\levelnfc23{\\leveltext\\'01\\u8226 ?;}\\li720}"
        "{\\listlevel\\levelnfc23{\\leveltext\\'01o;}\\li1440}\\listid100}"
        "{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}}\\listid200}}"
        "{\\listoverridetable{\\listoverride\\listid100\\listoverridecount0\\ls1}"
        "{\\listoverride\\ls2\\listid200}}"
        "{\\listtext\\'95\\tab}\\pard\\ls1\\li720\\fi-360 one\\par"
        "{\\listtext o\\tab}\\pard\\ls1\\ilvl1\\li1440\\fi-360 nested\\par"
        "{\\listtext\\'95\\tab}\\pard\\ls1\\li720\\fi-360 two\\par"
        "\\pard between\\par"
        "{\\listtext 1.\\tab}\\pard\\ls2\\li720\\fi-360 first\\par"
        "{\\listtext 2.\\tab}\\pard\\ls2\\li720\\fi-360 second\\par"
        "{\\listtext\\'95\\tab}\\pard\\ls1\\li720\\fi-360 three\\par"));
    EXPECT_EQ(blockTexts(*doc),
              QStringList({"one", "nested", "two", "between", "first", "second", "three"}));
    QTextList *bullets = blockOf(*doc, "one").textList();
    ASSERT_NE(bullets, nullptr);
    EXPECT_EQ(bullets->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(bullets->format().indent(), 1);
    EXPECT_EQ(blockOf(*doc, "two").textList(), bullets);
    EXPECT_EQ(blockOf(*doc, "three").textList(), bullets); // the same \ls continues
    QTextList *nested = blockOf(*doc, "nested").textList();
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(nested->format().style(), QTextListFormat::ListCircle);
    EXPECT_EQ(nested->format().indent(), 2);
    EXPECT_EQ(blockOf(*doc, "between").textList(), nullptr);
    QTextList *numbers = blockOf(*doc, "first").textList();
    ASSERT_NE(numbers, nullptr);
    EXPECT_EQ(numbers->format().style(), QTextListFormat::ListDecimal);
    EXPECT_EQ(numbers->itemText(blockOf(*doc, "second")), "2.");
    // \li720\fi-360 is the room of the list itself, not an indent of the paragraph.
    EXPECT_LE(blockOf(*doc, "one").blockFormat().leftMargin(), 8.0);
    EXPECT_DOUBLE_EQ(blockOf(*doc, "one").blockFormat().textIndent(), 0.0);
}

TEST(RtfReader, OlderParagraphNumbering)
{
    // As rich-edit controls write bullets and numbers: {\pntext} shows, {\*\pn} describes.
    const auto doc = readRtf(document(
        "\\pard{\\pntext\\f0\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf0\\pnindent360{\\pntxtb\\'B7}}"
        "\\fi-360\\li720 dot one\\par"
        "{\\pntext\\f0\\'B7\\tab}dot two\\par\\pard gap\\par"
        "\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pnucrm\\pnstart1{\\pntxta .}}"
        "\\li720 roman one\\par"
        "{\\pntext 2.\\tab}roman two\\par}"));
    EXPECT_EQ(blockTexts(*doc),
              QStringList({"dot one", "dot two", "gap", "roman one", "roman two"}));
    QTextList *dots = blockOf(*doc, "dot one").textList();
    ASSERT_NE(dots, nullptr);
    EXPECT_EQ(dots->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(blockOf(*doc, "dot two").textList(), dots);
    EXPECT_EQ(blockOf(*doc, "gap").textList(), nullptr);
    QTextList *roman = blockOf(*doc, "roman one").textList();
    ASSERT_NE(roman, nullptr);
    EXPECT_NE(roman, dots);
    EXPECT_EQ(roman->format().style(), QTextListFormat::ListUpperRoman);
    EXPECT_EQ(blockOf(*doc, "roman two").textList(), roman);
}

TEST(RtfReader, ParagraphMarksGiveExactlyTheirParagraphs)
{
    EXPECT_EQ(blockTexts(*readRtf("{\\rtf1 one\\par two\\par}")), QStringList({"one", "two"}));
    EXPECT_EQ(blockTexts(*readRtf("{\\rtf1 one\\par two}")), QStringList({"one", "two"}));
    EXPECT_EQ(blockTexts(*readRtf("{\\rtf1 one\\par\\par}")), QStringList({"one", ""}));
    EXPECT_EQ(blockTexts(*readRtf("{\\rtf1 \\par one\\par}")), QStringList({"", "one"}));
    EXPECT_EQ(blockTexts(*readRtf("{\\rtf1 {\\pard\\qc one\\par}{\\pard two\\par}}")),
              QStringList({"one", "two"}));
    EXPECT_EQ(blockTexts(*readRtf("{\\rtf1}")), QStringList({""}));
    // A backslash before a line end is a paragraph mark; bare line ends are not text.
    EXPECT_EQ(blockTexts(*readRtf("{\\rtf1 one\\\r\ntw\r\no\\par}")), QStringList({"one", "two"}));
    // The last paragraph takes the properties it had when its text was read.
    const auto doc = readRtf("{\\rtf1 one\\par {\\pard\\qc last}}");
    EXPECT_EQ(blockOf(*doc, "last").blockFormat().alignment(), Qt::AlignHCenter);
}

TEST(RtfReader, PlainTextPages)
{
    auto doc = readRtf("First line\r\nSecond {line} \\par\r\n");
    EXPECT_EQ(blockTexts(*doc), QStringList({"First line", "Second {line} \\par", ""}));
    doc = readRtf("Gr\xC3\xBC\xC3\x9F"
                  "e");
    EXPECT_EQ(doc->toPlainText(), QString::fromUtf8("Grüße"));
    doc = readRtf("caf\xE9 \x80"); // not UTF-8: an old Windows page
    EXPECT_EQ(doc->toPlainText(), QString::fromUtf8("café €"));
    const char controls[] = "a\0b\x01"
                            "c\td";
    doc = readRtf(QByteArray(controls, sizeof(controls) - 1));
    EXPECT_EQ(doc->toPlainText(), "abc\td");
    EXPECT_TRUE(RtfReader::isRtf("\xEF\xBB\xBF\r\n {\\rtf1}"));
    EXPECT_FALSE(RtfReader::isRtf("{\\rt"));
}

TEST(RtfReader, MalformedInputIsReadAsFarAsPossible)
{
    // Truncated: what was read stays, and the reader says the page was not complete.
    auto doc = std::make_unique<QTextDocument>();
    RtfReader reader;
    EXPECT_FALSE(reader.read("{\\rtf1 {\\b kept text", doc.get()));
    EXPECT_FALSE(reader.errorString().isEmpty());
    EXPECT_EQ(doc->toPlainText(), "kept text");

    // Nesting deeper than the limit: the deep part is left out, the rest is read.
    const QByteArray deep =
        "{\\rtf1 before" + QByteArray(100000, '{') + "lost" + QByteArray(100000, '}') + "after}";
    doc = readRtf(deep, false);
    EXPECT_EQ(doc->toPlainText(), "beforeafter");

    // Text after the document's last brace, stray braces and junk control words.
    EXPECT_EQ(readRtf("{\\rtf1 in}out}{more")->toPlainText(), "in");
    doc = readRtf("{\\rtf1 \\fs99999999999999 \\'zz\\li-99999999 a\\}\\u99999999999?}");
    EXPECT_EQ(doc->toPlainText(), QString::fromUtf8("zza}\uFFFF"));
    EXPECT_DOUBLE_EQ(formatOf(*doc, "a").fontPointSize(), 1638.0);
    doc = readRtf("{\\rtf1 a\\bin999999999", false);
    EXPECT_EQ(doc->toPlainText(), "a");
    EXPECT_EQ(readRtf("{\\rtf1 a\\", false)->toPlainText(), "a");
    const char controls[] = "{\\rtf1 a\0b\x01\\u0?c\\u65533?}";
    EXPECT_EQ(readRtf(QByteArray(controls, sizeof(controls) - 1))->toPlainText(),
              QString::fromUtf8("abc\uFFFD"));
    // Characters that would split the document's blocks stay out of it.
    doc = readRtf("{\\rtf1 x\\u8233?y\\u-560?\\u-559?\\u10?z\\par}");
    EXPECT_EQ(doc->toRawText(), QString::fromUtf8("x\u2028yz"));

    // Paragraphs beyond the limit are not read (each one costs the document a block).
    QByteArray many = "{\\rtf1 ";
    for (qsizetype i = 0; i < RtfReader::MaxParagraphs + 10; ++i)
        many += "x\\par ";
    EXPECT_FALSE(reader.read(many + "}", doc.get()));
    EXPECT_EQ(doc->blockCount(), RtfReader::MaxParagraphs);
    EXPECT_FALSE(reader.read(QByteArray(RtfReader::MaxParagraphs + 10, '\n'), doc.get()));
    EXPECT_EQ(doc->blockCount(), RtfReader::MaxParagraphs);

    // A page too large to be a details page leaves the document as it was.
    doc->setPlainText("unchanged");
    const QByteArray huge(RtfReader::MaxInputBytes + 1, 'a');
    EXPECT_FALSE(reader.read(huge, doc.get()));
    EXPECT_EQ(doc->toPlainText(), "unchanged");
}
