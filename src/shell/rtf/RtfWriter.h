// Writes a QTextDocument as a complete RTF document that word processors read (fonts, colours,
// lists, indents, alignment, formatted runs, HYPERLINK fields, pictures and tables), in ASCII
// with \'hh and \uN?.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

class QTextBlock;
class QTextCharFormat;
class QTextDocument;
class QTextFrame;
class QTextImageFormat;
class QTextList;
class QTextTable;
class QTextTableCell;

namespace nimbus::rtf {

class RtfWriter {
public:
    // The same document always gives the same bytes; RtfReader reads them back unchanged.
    QByteArray write(const QTextDocument &document);

private:
    void collectTables(const QTextDocument &document);
    int fontIndex(const QString &family) const;
    int colorIndex(const QColor &color) const;
    void addColor(const QColor &color);
    void writeHeader();
    void writeListTables();
    void writeFrame(const QTextFrame &frame);
    void writeTable(const QTextTable &table);
    void writeRowDefinition(const QTextTable &table, int row, const QList<int> &edges);
    void writeCell(const QTextTableCell &cell);
    // A block ends with \par, or with \cell as the last paragraph of a table cell.
    void writeBlock(const QTextBlock &block, bool inTable = false, const char *end = "\\par");
    void writePicture(const QTextImageFormat &format);
    void writeListText(const QTextBlock &block, const QTextList &list);
    void writeRun(const QTextCharFormat &format, const QString &text);
    void writeText(QStringView text);
    void writeWord(const char *word, int parameter);

    QByteArray out_;
    const QTextDocument *document_ = nullptr;
    int twipsPerIndent_ = 1440;
    QStringList fonts_;
    QList<QRgb> colors_;
    QList<const QTextList *> lists_;
};

} // namespace nimbus::rtf
