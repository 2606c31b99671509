#pragma once

#include <QList>
#include <functional>

class CommandRegistry;
class DocumentWindow;

// The commands of the text and rich-text editors. Each is defined once in
// the registry and runs on whichever document is active, so the main menu,
// the toolbars and the keys serve every open editor. The keys are bound
// to the editors themselves (each editor adds the actions of its kind), so
// F2 or Del keep their meaning in the panes.
namespace DocumentCommands {

void install(CommandRegistry& commands, std::function<DocumentWindow*()> activeDocument);

const QList<int>& textEditorCommands();
const QList<int>& richEditCommands();

} // namespace DocumentCommands
