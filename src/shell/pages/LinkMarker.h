// Automatic address detection in the details editor: web, mail and file addresses are shown
// underlined in blue while the user types. The marks are display only: the page's text and
// its stored formatting stay as the user made them.
#pragma once

#include <QString>
#include <QSyntaxHighlighter>

namespace nimbus::pages {

struct AddressSpan {
    int start = -1; // position in the block's text; -1 none
    int length = 0;
    QString target;
};

class LinkMarker : public QSyntaxHighlighter {
    Q_OBJECT
public:
    // Marks the documents it is given (setDocument); owned by parent.
    explicit LinkMarker(QObject *parent);

    // The detected address of a paragraph's text that covers a position in it.
    static AddressSpan addressAt(const QString &text, int position);

protected:
    void highlightBlock(const QString &text) override;
};

} // namespace nimbus::pages
