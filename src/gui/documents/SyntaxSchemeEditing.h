#pragma once

#include <QString>
#include <functional>
#include <optional>

class CommandRegistry;
class DocumentFactory;
class ProgramPaths;
class Prompter;

// The editor settings command "&编辑选择": the user edits their own copy of
// the text editor's scheme file, made from the shipped one the first time,
// and every open text editor takes the saved settings. The shipped file is
// never opened, so an installation's file stays as it was shipped.
namespace SyntaxSchemeEditing {

// The user's copy: program folder + "EditConfig/SyntaxEdit.ini".
QString userCopy(const ProgramPaths& paths);

// The user's copy, made first when there is none; nullopt (after telling
// the user) when it cannot be made.
std::optional<QString> prepareUserCopy(const ProgramPaths& paths, Prompter& prompter);

// Defines command 165. `openText` shows a file in the text editor, or brings
// the window that already shows it to the front.
void install(CommandRegistry& commands, const ProgramPaths& paths, DocumentFactory& factory,
             Prompter& prompter, std::function<void(const QString&)> openText);

} // namespace SyntaxSchemeEditing
