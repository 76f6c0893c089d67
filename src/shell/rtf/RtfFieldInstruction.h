// Field instructions of RTF fields ({\*\fldinst ...}): the target of HYPERLINK fields.
#pragma once

#include <QString>

namespace nimbus::rtf {

// The address of a HYPERLINK field instruction: its first argument, with "#" and the
// bookmark of a \l switch appended; empty for every other field.
QString hyperlinkTarget(const QString &instruction);

// The instruction of a HYPERLINK field to an address, quoted and escaped as fields require.
QString hyperlinkInstruction(const QString &address);

} // namespace nimbus::rtf
