#pragma once

class CommandRegistry;

// Gives the commands the icons of the program's icon theme, for menus,
// toolbars and the task panel alike. A command whose icon the theme lacks
// keeps the one it has.
namespace CommandIcons {

// The theme the program draws from: a minimal or headless desktop has no
// platform theme to name one.
void useProgramTheme();

void install(CommandRegistry& commands);

} // namespace CommandIcons
