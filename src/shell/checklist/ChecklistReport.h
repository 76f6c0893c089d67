// The checklist as a document (title, then each item with its tick box and finish date),
// printed or saved as rich text.
#pragma once

#include <QString>
#include <vector>

#include "store/ChecklistItem.h"

class QPrinter;
class QTextDocument;

namespace nimbus::checklist {

// Replaces the document's content.
void BuildChecklistDocument(QTextDocument &document, const QString &title,
                            const std::vector<ChecklistItem> &items, int dateOrder);

// Prints the document with margins of 1.0 inch at the top and bottom and 0.5 inch at the
// sides, the title naming the print job.
void PrintChecklist(QTextDocument &document, QPrinter &printer, const QString &title);

// Writes the document as rich text that word processors open, replacing the file only when
// the whole of it was written. Empty on success, otherwise the message for the user.
QString SaveChecklistRtf(const QTextDocument &document, const QString &path);

} // namespace nimbus::checklist
