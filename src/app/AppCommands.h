#pragma once

class CommandRegistry;

// Connects the commands of every subsystem to their names in the registry.
namespace AppCommands {
void install(CommandRegistry &commands);
// Edit > Font: asks for a font and puts it on every document.
void ChangeEditorFont();
// Edit > Word wrap for every document; the check mark follows the setting.
void ToggleWordWrap();
}
