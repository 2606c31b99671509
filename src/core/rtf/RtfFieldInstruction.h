#pragma once

#include <QString>

// Field instructions (\fldinst): only hyperlinks matter to the text.
namespace RtfFieldInstruction {

// The target of a HYPERLINK field, "#name" for a place in the document
// (\l); empty for any other field.
QString hyperlinkTarget(const QString& instruction);

} // namespace RtfFieldInstruction
