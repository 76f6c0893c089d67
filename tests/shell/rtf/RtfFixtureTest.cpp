// RTF written by other programs (tests/data/rtf, see its README.txt) loads with its text and
// formatting, and what we write of it reads back the same.
#include "RtfTestSupport.h"

using namespace nimbus::rtf;
using namespace nimbus::rtf::testing;

namespace {

const QString DataFolder = QStringLiteral(NIMBUS_RTF_DATA_DIR);

const QString NonAscii = QString::fromUtf8("Non-ASCII: café, naïve, Grüße, €5, Ελληνικά, "
                                           "Русский, 日本語.");

void expectInlineFormats(const QTextDocument &document)
{
    EXPECT_EQ(formatOf(document, "bold words").fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(document, "Plain start").fontWeight(), QFont::Normal);
    EXPECT_TRUE(formatOf(document, "italic words").fontItalic());
    EXPECT_FALSE(formatOf(document, "bold words").fontItalic());
    EXPECT_TRUE(formatOf(document, "underlined words").fontUnderline());
    EXPECT_TRUE(formatOf(document, "struck words").fontStrikeOut());
    EXPECT_FALSE(formatOf(document, "underlined words").fontStrikeOut());

    const QTextCharFormat link = formatOf(document, "the example page");
    EXPECT_TRUE(link.isAnchor());
    EXPECT_EQ(link.anchorHref(), "https://example.com/page?x=1");
    EXPECT_FALSE(formatOf(document, " here.").isAnchor());
    EXPECT_FALSE(document.find(NonAscii).isNull());
}

void expectWeReadOurOwnCopy(const QTextDocument &document)
{
    RtfWriter writer;
    const QByteArray ours = writer.write(document);
    const auto back = readRtf(ours);
    EXPECT_EQ(back->toPlainText(), document.toPlainText());
    EXPECT_EQ(writer.write(*back), ours);
}

} // namespace

TEST(RtfFixture, WordProcessorOutput)
{
    const auto doc = readRtf(fileBytes(DataFolder + "/libreoffice.rtf"));
    EXPECT_EQ(
        blockTexts(*doc),
        QStringList({"Plain start, bold words, italic words, underlined words and struck "
                     "words.",
                     "Red text and yellow background and big blue.", "First bullet ",
                     "Second bullet ", "First number ", "Second number ", "Indented by one inch.",
                     "Centred line.", "A link to the example page here.", NonAscii}));
    expectInlineFormats(*doc);
    EXPECT_EQ(formatOf(*doc, "Red text").foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(formatOf(*doc, "yellow background").background().color(), QColor(255, 255, 0));
    EXPECT_FALSE(formatOf(*doc, "Red text").hasProperty(QTextFormat::BackgroundBrush));
    const QTextCharFormat big = formatOf(*doc, "big blue");
    EXPECT_EQ(big.foreground().color(), QColor(0, 0, 255));
    EXPECT_DOUBLE_EQ(big.fontPointSize(), 18.0);

    QTextList *bullets = blockOf(*doc, "First bullet").textList();
    ASSERT_NE(bullets, nullptr);
    EXPECT_EQ(bullets->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(blockOf(*doc, "Second bullet").textList(), bullets);
    QTextList *numbers = blockOf(*doc, "First number").textList();
    ASSERT_NE(numbers, nullptr);
    EXPECT_EQ(numbers->format().style(), QTextListFormat::ListDecimal);
    EXPECT_EQ(numbers->itemText(blockOf(*doc, "Second number")), "2.");
    EXPECT_EQ(blockOf(*doc, "Indented").textList(), nullptr);

    EXPECT_DOUBLE_EQ(blockOf(*doc, "Indented by one inch.").blockFormat().leftMargin(), 96.0);
    EXPECT_EQ(blockOf(*doc, "Centred line.").blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_FALSE(blockOf(*doc, "Indented").blockFormat().hasProperty(QTextFormat::BlockAlignment));
    expectWeReadOurOwnCopy(*doc);
}

TEST(RtfFixture, ConverterOutput)
{
    const auto doc = readRtf(fileBytes(DataFolder + "/pandoc.rtf"));
    // This converter writes list markers as text, and has no colours or highlights.
    EXPECT_EQ(
        blockTexts(*doc),
        QStringList({"Fixture", "",
                     "Plain start, bold words, italic words, underlined words and struck "
                     "words.",
                     "Red text and yellow background and big blue.",
                     QString::fromUtf8("•\tFirst bullet"), QString::fromUtf8("•\tSecond bullet"),
                     "1.\tFirst number", "2.\tSecond number", "Indented by one inch.",
                     "Centred line.", "A link to the example page here.", NonAscii}));
    expectInlineFormats(*doc);
    const QTextCharFormat title = formatOf(*doc, "Fixture");
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(title.fontPointSize(), 18.0);
    EXPECT_EQ(title.fontFamilies().toStringList(), QStringList{"Helvetica"});
    EXPECT_EQ(blockOf(*doc, "Fixture").blockFormat().alignment(), Qt::AlignHCenter);
    const QTextBlockFormat bullet = blockOf(*doc, "First bullet").blockFormat();
    EXPECT_DOUBLE_EQ(bullet.leftMargin(), 24.0);
    EXPECT_DOUBLE_EQ(bullet.textIndent(), -24.0);
    ASSERT_EQ(bullet.tabPositions().size(), 1);
    EXPECT_DOUBLE_EQ(bullet.tabPositions().first().position, 24.0);
    expectWeReadOurOwnCopy(*doc);
}
