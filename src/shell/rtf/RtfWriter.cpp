// Writes a QTextDocument as RTF; see RtfWriter.h.
#include "shell/rtf/RtfWriter.h"

#include "shell/rtf/RtfCodePage.h"
#include "shell/rtf/RtfFieldInstruction.h"
#include "shell/rtf/RtfListTable.h"
#include "shell/rtf/RtfParagraphState.h"
#include "shell/rtf/RtfPicture.h"

#include <QBuffer>
#include <array>
#include <QImage>
#include <QImageReader>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace nimbus::rtf {

namespace {

constexpr double TwipsPerPixel = RtfParagraphState::TwipsPerPixel;
constexpr int HangingIndent = 360; // the room a list number hangs in, in twips
constexpr int TextWidth = 9360;    // twips between the margins of a letter page
constexpr int HexLine = 128;       // hex digits of picture data per line

int toTwips(qreal pixels)
{
    return qBound(-31680, qRound(pixels * TwipsPerPixel), 31680);
}

QString familyOf(const QTextCharFormat &format)
{
    return format.fontFamilies().toStringList().value(0);
}

bool hasBrush(const QTextCharFormat &format, int property)
{
    return format.hasProperty(property) && format.brushProperty(property).style() != Qt::NoBrush;
}

int listLevel(const QTextList &list)
{
    return qBound(0, list.format().indent() - 1, RtfListTable::MaxLevels - 1);
}

// The marker a list shows before a paragraph, for readers that do not number lists.
QString listMarker(const QTextList &list, const QTextBlock &block)
{
    switch (list.format().style()) {
    case QTextListFormat::ListDisc:
        return QString(QChar(0x2022));
    case QTextListFormat::ListCircle:
        return QString(QChar(0x25E6));
    case QTextListFormat::ListSquare:
        return QString(QChar(0x25AA));
    default:
        return list.itemText(block);
    }
}

} // namespace

QByteArray RtfWriter::write(const QTextDocument &document)
{
    out_.clear();
    out_.reserve(document.characterCount() * 2 + 1024);
    document_ = &document;
    // Lists indent by one inch a level whatever the document shows, as the reader expects.
    twipsPerIndent_ = RtfParagraphState::ListIndentTwips;
    collectTables(document);
    writeHeader();
    writeFrame(*document.rootFrame());
    out_ += "}\r\n";
    document_ = nullptr;
    return out_;
}

void RtfWriter::writeFrame(const QTextFrame &frame)
{
    for (auto it = frame.begin(); !it.atEnd(); ++it) {
        if (const QTextFrame *child = it.currentFrame()) {
            if (const auto *table = qobject_cast<const QTextTable *>(child))
                writeTable(*table);
            else
                writeFrame(*child);
        } else {
            writeBlock(it.currentBlock());
        }
    }
}

namespace {

// The right edge of each column in twips, from the table's width constraints.
QList<int> columnEdges(const QTextTable &table)
{
    const QList<QTextLength> widths = table.format().columnWidthConstraints();
    const int columns = table.columns();
    QList<int> edges;
    int edge = 0;
    for (int c = 0; c < columns; ++c) {
        const QTextLength width = widths.value(c);
        int twips = TextWidth / qMax(1, columns);
        if (width.type() == QTextLength::FixedLength)
            twips = qRound(width.rawValue() * TwipsPerPixel);
        else if (width.type() == QTextLength::PercentageLength)
            twips = qRound(width.rawValue() * TextWidth / 100.0);
        edge += qBound(15, twips, 31680);
        edges << edge;
    }
    return edges;
}

// The width of each border of a cell in twips (top, left, bottom, right); a table border
// stands for the cell borders it draws.
std::array<int, 4> borderTwips(const QTextTable &table, const QTextTableCell &cell)
{
    const QTextTableCellFormat format = cell.format().toTableCellFormat();
    const qreal tableBorder =
        table.format().borderStyle() == QTextFrameFormat::BorderStyle_None ? 0
                                                                          : table.format().border();
    const int properties[4] = {QTextFormat::TableCellTopBorder, QTextFormat::TableCellLeftBorder,
                               QTextFormat::TableCellBottomBorder,
                               QTextFormat::TableCellRightBorder};
    std::array<int, 4> twips{};
    for (std::size_t side = 0; side < 4; ++side) {
        const int property = properties[side];
        const qreal width =
            format.hasProperty(property) ? format.doubleProperty(property) : tableBorder;
        twips[side] = width > 0 ? qBound(1, qRound(width * TwipsPerPixel), 255) : 0;
    }
    return twips;
}

} // namespace

void RtfWriter::writeTable(const QTextTable &table)
{
    const QList<int> edges = columnEdges(table);
    for (int row = 0; row < table.rows(); ++row) {
        writeRowDefinition(table, row, edges);
        for (int column = 0; column < table.columns();) {
            const QTextTableCell cell = table.cellAt(row, column);
            if (!cell.isValid())
                break;
            if (cell.row() == row)
                writeCell(cell);
            else
                out_ += "\\pard\\intbl\\cell\r\n"; // covered by the cell above
            column = cell.column() + qMax(1, cell.columnSpan());
        }
        out_ += "\\row\r\n";
    }
}

void RtfWriter::writeRowDefinition(const QTextTable &table, int row, const QList<int> &edges)
{
    static const char *const sides[4] = {"\\clbrdrt", "\\clbrdrl", "\\clbrdrb", "\\clbrdrr"};
    out_ += "\\trowd\\trgaph60\\trleft0";
    for (int column = 0; column < table.columns();) {
        const QTextTableCell cell = table.cellAt(row, column);
        if (!cell.isValid())
            break;
        if (cell.row() != row)
            out_ += "\\clvmrg";
        else if (cell.rowSpan() > 1)
            out_ += "\\clvmgf";
        const std::array<int, 4> borders = borderTwips(table, cell);
        for (std::size_t side = 0; side < 4; ++side) {
            if (borders[side] > 0) {
                out_ += sides[side];
                out_ += "\\brdrs";
                writeWord("brdrw", borders[side]);
            }
        }
        const int last = qMin(table.columns(), cell.column() + qMax(1, cell.columnSpan())) - 1;
        writeWord("cellx", edges.value(last));
        column = last + 1;
    }
    out_ += "\r\n";
}

// A cell's paragraphs; a nested table's paragraphs are written as paragraphs of the cell.
void RtfWriter::writeCell(const QTextTableCell &cell)
{
    const QTextBlock first = cell.firstCursorPosition().block();
    const QTextBlock last = cell.lastCursorPosition().block();
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        if (block != last) {
            writeBlock(block, true);
            continue;
        }
        // An empty last paragraph is ended before the cell, or the cell would end it.
        if (block != first && block.length() <= 1) {
            writeBlock(block, true);
            out_ += "\\cell\r\n";
        } else {
            writeBlock(block, true, "\\cell");
        }
        break;
    }
}

void RtfWriter::writePicture(const QTextImageFormat &format)
{
    RtfPicture::Kind kind = RtfPicture::Kind::Kept;
    const QByteArray data = RtfPicture::dataOf(*document_, format, &kind);
    if (data.isEmpty())
        return;
    QSize source;
    if (kind == RtfPicture::Kind::Kept) {
        source = format.property(RtfPicture::SourceSizeProperty).toSize();
    } else {
        QBuffer buffer;
        buffer.setData(data);
        buffer.open(QIODevice::ReadOnly);
        source = QImageReader(&buffer).size(); // the header only: nothing is decoded
    }
    qreal width = format.width(), height = format.height();
    if (width <= 0 || height <= 0) {
        width = source.width() > 0 ? source.width() : 32;
        height = source.height() > 0 ? source.height() : 32;
    }
    out_ += "{\\pict";
    if (kind == RtfPicture::Kind::Png)
        out_ += "\\pngblip";
    else if (kind == RtfPicture::Kind::Jpeg)
        out_ += "\\jpegblip";
    else
        out_ += format.property(RtfPicture::HeaderProperty).toByteArray();
    writeWord("picw", qMax(0, source.width()));
    writeWord("pich", qMax(0, source.height()));
    writeWord("picwgoal", qBound(1, qRound(width * TwipsPerPixel), 1000000));
    writeWord("pichgoal", qBound(1, qRound(height * TwipsPerPixel), 1000000));
    static const char hex[] = "0123456789abcdef";
    const qsizetype start = out_.size();
    out_.resize(start + data.size() * 2 + (data.size() * 2 / HexLine + 1) * 2);
    char *to = out_.data() + start;
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (i % (HexLine / 2) == 0) {
            *to++ = '\r';
            *to++ = '\n';
        }
        const auto byte = static_cast<unsigned char>(data[i]);
        *to++ = hex[byte >> 4];
        *to++ = hex[byte & 0xF];
    }
    out_.truncate(to - out_.constData());
    out_ += "}";
}

void RtfWriter::collectTables(const QTextDocument &document)
{
    fonts_ = QStringList{document.defaultFont().family()};
    colors_.clear();
    lists_.clear();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (const QTextList *list = block.textList(); list && !lists_.contains(list))
            lists_.append(list);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat())
                continue; // a picture is written without its text's font and colours
            const QString family = familyOf(format);
            if (!family.isEmpty() && !fonts_.contains(family))
                fonts_.append(family);
            if (hasBrush(format, QTextFormat::ForegroundBrush))
                addColor(format.foreground().color());
            if (hasBrush(format, QTextFormat::BackgroundBrush))
                addColor(format.background().color());
        }
    }
}

void RtfWriter::addColor(const QColor &color)
{
    const QRgb rgb = color.rgb() | 0xFF000000u;
    if (!colors_.contains(rgb))
        colors_.append(rgb);
}

int RtfWriter::fontIndex(const QString &family) const
{
    return static_cast<int>(fonts_.indexOf(family));
}

int RtfWriter::colorIndex(const QColor &color) const
{
    return static_cast<int>(colors_.indexOf(color.rgb() | 0xFF000000u)) + 1; // 0 is "auto"
}

void RtfWriter::writeWord(const char *word, int parameter)
{
    out_ += '\\';
    out_ += word;
    out_ += QByteArray::number(parameter);
}

void RtfWriter::writeHeader()
{
    out_ += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n{\\fonttbl";
    for (qsizetype i = 0; i < fonts_.size(); ++i) {
        out_ += "{";
        writeWord("f", static_cast<int>(i));
        out_ += "\\fnil\\fcharset0 ";
        QString name = fonts_[i];
        name.removeIf([](QChar c) {
            return c < QLatin1Char(' ') || c == QLatin1Char(';') || c == QChar::LineSeparator;
        });
        writeText(name);
        out_ += ";}";
    }
    out_ += "}\r\n{\\colortbl;";
    for (QRgb rgb : std::as_const(colors_)) {
        writeWord("red", qRed(rgb));
        writeWord("green", qGreen(rgb));
        writeWord("blue", qBlue(rgb));
        out_ += ';';
    }
    out_ += "}\r\n";
    if (!lists_.isEmpty())
        writeListTables();
}

// One list per QTextList, each with nine levels of its style, so that \ilvl chooses the
// indent; bullets carry their character, numbers a "1." pattern.
void RtfWriter::writeListTables()
{
    out_ += "{\\*\\listtable";
    for (qsizetype i = 0; i < lists_.size(); ++i) {
        const QTextListFormat::Style style = lists_[i]->format().style();
        const int format = RtfListTable::numberFormatForStyle(style);
        out_ += "\r\n{\\list\\listtemplateid";
        out_ += QByteArray::number(i + 1);
        out_ += "\\listhybrid";
        for (int level = 0; level < RtfListTable::MaxLevels; ++level) {
            out_ += "{\\listlevel";
            writeWord("levelnfc", format);
            writeWord("levelnfcn", format);
            out_ += "\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1";
            if (format == 23) {
                out_ += "{\\leveltext\\'01";
                writeText(listMarker(*lists_[i], {}));
                out_ += ";}{\\levelnumbers;}";
            } else {
                out_ += "{\\leveltext\\'02\\'0";
                out_ += QByteArray::number(level);
                out_ += ".;}{\\levelnumbers\\'01;}";
            }
            writeWord("fi", -HangingIndent);
            writeWord("li", twipsPerIndent_ * (level + 1));
            out_ += '}';
        }
        writeWord("listid", static_cast<int>(i + 1));
        out_ += '}';
    }
    out_ += "}\r\n{\\*\\listoverridetable";
    for (qsizetype i = 0; i < lists_.size(); ++i) {
        out_ += "{\\listoverride";
        writeWord("listid", static_cast<int>(i + 1));
        out_ += "\\listoverridecount0";
        writeWord("ls", static_cast<int>(i + 1));
        out_ += '}';
    }
    out_ += "}\r\n";
}

void RtfWriter::writeBlock(const QTextBlock &block, bool inTable, const char *end)
{
    const QTextBlockFormat format = block.blockFormat();
    const QTextList *list = block.textList();
    int left = toTwips(format.leftMargin()) + format.indent() * twipsPerIndent_;
    int first = toTwips(format.textIndent());
    if (list) {
        writeListText(block, *list);
        left += twipsPerIndent_ * (listLevel(*list) + 1);
        first = -HangingIndent;
    }
    out_ += "\\pard";
    if (list) {
        writeWord("ls", static_cast<int>(lists_.indexOf(list) + 1));
        writeWord("ilvl", listLevel(*list));
    }
    if (inTable)
        out_ += "\\intbl";
    if (left != 0)
        writeWord("li", left);
    if (const int right = toTwips(format.rightMargin()); right != 0)
        writeWord("ri", right);
    if (first != 0)
        writeWord("fi", first);
    if (const int before = toTwips(format.topMargin()); before > 0)
        writeWord("sb", before);
    if (const int after = toTwips(format.bottomMargin()); after > 0)
        writeWord("sa", after);
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter)
        out_ += "\\qc";
    else if (alignment & (Qt::AlignRight | Qt::AlignTrailing))
        out_ += "\\qr";
    else if (alignment & Qt::AlignJustify)
        out_ += "\\qj";
    else
        out_ += "\\ql";
    for (const QTextOption::Tab &tab : format.tabPositions()) {
        if (tab.type == QTextOption::RightTab)
            out_ += "\\tqr";
        else if (tab.type == QTextOption::CenterTab)
            out_ += "\\tqc";
        else if (tab.type == QTextOption::DelimiterTab)
            out_ += "\\tqdec";
        writeWord("tx", qMax(0, toTwips(tab.position)));
    }
    out_ += ' ';

    // Runs in a row that lead to the same address form one HYPERLINK field.
    QString fieldHref;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat charFormat = fragment.charFormat();
        const QString href = charFormat.isAnchor() ? charFormat.anchorHref() : QString();
        if (href != fieldHref) {
            if (!fieldHref.isEmpty())
                out_ += "}}";
            if (!href.isEmpty()) {
                out_ += "{\\field{\\*\\fldinst{";
                writeText(hyperlinkInstruction(href));
                out_ += "}}{\\fldrslt";
            }
            fieldHref = href;
        }
        writeRun(charFormat, fragment.text());
    }
    if (!fieldHref.isEmpty())
        out_ += "}}";
    out_ += end;
    out_ += "\r\n";
}

void RtfWriter::writeListText(const QTextBlock &block, const QTextList &list)
{
    out_ += "{\\listtext\\pard\\plain ";
    writeText(listMarker(list, block));
    out_ += "\\tab}";
}

void RtfWriter::writeRun(const QTextCharFormat &format, const QString &text)
{
    if (format.isImageFormat()) {
        for (QChar c : text)
            if (c == QChar::ObjectReplacementCharacter)
                writePicture(format.toImageFormat());
        return;
    }
    out_ += '{';
    const qsizetype start = out_.size();
    if (format.fontWeight() >= QFont::DemiBold)
        out_ += "\\b";
    if (format.fontItalic())
        out_ += "\\i";
    if (format.fontUnderline())
        out_ += "\\ul";
    if (format.fontStrikeOut())
        out_ += "\\strike";
    if (const QString family = familyOf(format); !family.isEmpty())
        writeWord("f", fontIndex(family));
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
        writeWord("fs", qBound(1, qRound(format.fontPointSize() * 2), 3276));
    else if (format.hasProperty(QTextFormat::FontPixelSize) &&
             format.intProperty(QTextFormat::FontPixelSize) > 0)
        writeWord("fs",
                  qBound(1, qRound(format.intProperty(QTextFormat::FontPixelSize) * 1.5), 3276));
    if (hasBrush(format, QTextFormat::ForegroundBrush))
        writeWord("cf", colorIndex(format.foreground().color()));
    if (hasBrush(format, QTextFormat::BackgroundBrush)) {
        const int index = colorIndex(format.background().color());
        writeWord("highlight", index);
        writeWord("chcbpat", index);
    }
    if (out_.size() > start)
        out_ += ' ';
    writeText(text);
    out_ += '}';
}

void RtfWriter::writeText(QStringView text)
{
    for (QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c >= 0x20 && c < 0x7F) {
            if (c == '\\' || c == '{' || c == '}')
                out_ += '\\';
            out_ += static_cast<char>(c);
        } else if (c == '\t') {
            out_ += "\\tab ";
        } else if (c == QChar::LineSeparator) {
            out_ += "\\line ";
        } else if (c == 0x00A0) {
            out_ += "\\~";
        } else if (c == 0x2011) {
            out_ += "\\_";
        } else if (c < 0x20 || c == 0x7F || c == QChar::ObjectReplacementCharacter) {
            continue; // controls and placeholders of objects we do not write
        } else if (const int byte = RtfCodePage::windows1252Byte(c); byte >= 0x80) {
            static const char hex[] = "0123456789abcdef";
            out_ += "\\'";
            out_ += hex[byte >> 4];
            out_ += hex[byte & 0xF];
        } else {
            writeWord("u", static_cast<int16_t>(c));
            out_ += '?';
        }
    }
}

} // namespace nimbus::rtf
