// Paragraph properties while RTF is read (indents, spacing, alignment, tab stops, list
// marks) and the block format and list membership they give a paragraph.
#pragma once

#include "shell/rtf/RtfDocumentBuilder.h"
#include "shell/rtf/RtfKeyword.h"

#include <QList>
#include <QTextBlockFormat>
#include <QTextOption>

namespace nimbus::rtf {

class RtfListTable;

struct RtfParagraphState {
    // Twips (1/1440 inch) per QTextDocument pixel at 96 dots per inch.
    static constexpr double TwipsPerPixel = 15.0;
    // How far each list level indents: one inch, as word processors and our indent step do.
    static constexpr int ListIndentTwips = 1440;

    enum class Numbering { None, Bullet, Numbered, Continue };

    int left = 0, right = 0, first = 0, before = 0, after = 0; // twips
    Qt::Alignment alignment;
    QList<QTextOption::Tab> tabs;
    QTextOption::TabType nextTabType = QTextOption::LeftTab;
    int listNumber = 0;                    // \lsN of \listoverridetable; 0: none
    int listLevel = 0;                     // \ilvlN
    Numbering numbering = Numbering::None; // {\pn ...}, the older way to number
    QTextListFormat::Style numberingStyle = QTextListFormat::ListDecimal;
    int numberingLevel = 0;
    bool inTable = false; // \intbl, or \itapN with N above 0

    // Applies a paragraph control word; false when the word is not one.
    bool apply(RtfKeyword keyword, int parameter);
    // Applies a control word of a {\pn ...} group.
    void applyNumbering(RtfKeyword keyword, int parameter);

    RtfListMembership listMembership(const RtfListTable &lists) const;
    QTextBlockFormat blockFormat(const RtfListTable &lists) const;
};

} // namespace nimbus::rtf
