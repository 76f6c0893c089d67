// RichEdit1, the details editor's text: a QTextEdit whose double-click opens the address
// under the pointer, whose mouse release lets the highlighter paint the selection, and whose
// context menu is popNotes. Tab types a tab into the page; Ctrl+Tab and Ctrl+Shift+Tab move
// the focus on, as they do out of other editors that keep Tab.
#pragma once

#include <QTextEdit>
#include <functional>

class QMenu;
class QMimeData;

namespace nimbus::pages {

class LinkMarker;

class DetailsTextEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit DetailsTextEdit(QWidget *parent = nullptr);

    void setContextMenu(QMenu *menu) { menu_ = menu; }
    // Shows another document (a page just read), with the address marks moved to it. The
    // document becomes the editor's child; the one it replaces is deleted.
    void setPageDocument(QTextDocument *document);
    // What a double-click opens: an address detected in the text, or a link the page holds.
    // Returns the target, or an empty string when the position holds none.
    QString addressAt(int position) const;
    // The double-click's work at a document position: select the address, open it, and put
    // the caret back. False when there is no address there.
    bool openAddressAt(int position);

    std::function<bool(const QString &)> openAddress;

    // Whether Paste has something to put into the page: text, or a picture as browsers and
    // screenshot tools offer it ("image/png" and the like).
    bool canPaste(const QMimeData *source) const;

signals:
    // A mouse button was released over the text (the highlighter paints the selection).
    void mouseReleased();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    QMenu *menu_ = nullptr;
    LinkMarker *marker_ = nullptr;
};

} // namespace nimbus::pages
