// The viewer's text display: the file's lines in one fixed-pitch column over the viewer's
// model, so that a log of hundreds of megabytes opens as fast as its lines can be read. Rows
// are selected like lines of text and copied with the usual shortcut.
#pragma once

#include <QTableView>

namespace nimbus::viewer {

class TextLinesView : public QTableView {
    Q_OBJECT
public:
    explicit TextLinesView(QWidget *parent = nullptr);

    // Widens the column to the longest line of the model's first column, so that long lines
    // scroll sideways instead of being cut.
    void fitToLongestLine();
    // The selected lines in file order, joined by line ends.
    QString selectedText() const;
    void copySelection() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace nimbus::viewer
