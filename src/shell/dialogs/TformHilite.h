// "HighLight Colour": chooses the highlighter's text and background colours from 64 panels,
// previewing them on the selected text. From the keyboard the panels are one Tab stop: the
// arrow keys move among them and Space picks one.
#pragma once

#include <QDialog>
#include <QList>

class QPushButton;
class QRadioButton;
class QTextDocumentFragment;
class QTextEdit;

namespace nimbus::dialogs {

class ColourPanel;

class TformHilite : public QDialog {
    Q_OBJECT
public:
    // The preview shows the fragment (the sentence about the fox when it is empty) in the
    // stored colours (-1: none).
    TformHilite(const QTextDocumentFragment &preview, int textColour, int backColour,
                QWidget *parent = nullptr);

    // The colours picked in this dialog; -1 for one that was not picked.
    int chosenText() const { return chosenText_; }
    int chosenBack() const { return chosenBack_; }

    QTextEdit *RichEdit1 = nullptr;
    QRadioButton *radioText = nullptr;
    QRadioButton *radioBack = nullptr;
    QPushButton *Button2 = nullptr; // OK
    QPushButton *Button1 = nullptr; // Cancel
    QList<ColourPanel *> panels;

    // The colours of the 64 panels, row by row.
    static QList<QColor> palette64();
    void panelClick(ColourPanel *panel);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void preview(const QColor &text, const QColor &back);
    // Makes the panel the one Tab reaches.
    void setTabStop(ColourPanel *panel);

    int chosenText_ = -1;
    int chosenBack_ = -1;
};

} // namespace nimbus::dialogs
