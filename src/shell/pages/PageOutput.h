// A page's way out of the program: printed with fixed margins and a job title, or saved as
// an RTF file that word processors open. Both work on a copy of the page (the hidden
// RichEdit2), so the editor's text, selection and undo history stay as they are.
#pragma once

#include <QString>

class QPrinter;
class QTextDocument;

namespace nimbus::pages {

// Left and right margins of a printed page, and top and bottom, in inches.
constexpr double kSideMargin = 1.0;
constexpr double kEndMargin = 0.5;

// Prints a copy of the document on the printer the user set up, titled jobTitle.
void PrintPage(const QTextDocument &document, QPrinter &printer, const QString &jobTitle);
// Writes the document as RTF; false with errorText when the file could not be written.
bool SaveAsWord(const QTextDocument &document, const QString &fileName, QString &errorText);

} // namespace nimbus::pages
