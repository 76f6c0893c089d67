// The lists of an RTF document as declared in \listtable and \listoverridetable: which
// numbering style and start number each \lsN paragraph at each \ilvlN level gets.
#pragma once

#include <QString>
#include <QTextListFormat>

#include <map>
#include <vector>

namespace nimbus::rtf {

class RtfListTable {
public:
    static constexpr int MaxLevels = 9;

    // Start numbers (\levelstartat) are not kept: QTextList always counts from 1.
    struct Level {
        QTextListFormat::Style style = QTextListFormat::ListDisc;
    };

    // Building, in the order the tables declare things.
    void beginList();
    void setListId(int id);
    void beginLevel();
    void setLevelNumberFormat(int format);
    void appendLevelText(const QString &text);
    void beginOverride();
    void setOverrideListId(int id);
    void setOverrideNumber(int number);

    // The level of paragraphs marked \ls<number>\ilvl<level>; a bullet list when unknown.
    Level level(int number, int level) const;

    // The style of a level number format (\levelnfcN); bullets for bullets and "no number".
    static QTextListFormat::Style styleForNumberFormat(int format);
    // The level number format we write for a style.
    static int numberFormatForStyle(QTextListFormat::Style style);

private:
    struct LevelDefinition {
        Level level;
        bool bullet = false;
        QString text; // \leveltext without its length byte: the bullet character first
    };
    struct List {
        int id = 0;
        std::vector<LevelDefinition> levels;
    };
    static Level resolved(const LevelDefinition &definition);

    std::vector<List> lists_;
    std::map<int, int> overrides_; // \lsN -> \listid
    int overrideNumber_ = 0;
    int overrideListId_ = 0;
};

} // namespace nimbus::rtf
