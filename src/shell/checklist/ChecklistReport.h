// The checklist as a printable document: the page title as a heading, then one paragraph per
// item with its tick box, its text and, when it has one, its finish date.
#pragma once

#include <QString>
#include <vector>

#include "store/ChecklistItem.h"

class QTextDocument;

namespace nimbus::checklist {

// Replaces the document's content.
void BuildChecklistDocument(QTextDocument &document, const QString &title,
                            const std::vector<ChecklistItem> &items, int dateOrder);

} // namespace nimbus::checklist
