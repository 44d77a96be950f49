#pragma once
#include <memory>

class CommandRegistry;
class TagCommands;
struct AppState;

// Builds the tag commands from the program's state and connects the Tags menu,
// the keyboard-layout command and the toolbar's tag buttons.
namespace TagsInstall {
// After the main frame exists and the dialogs belong to it (a.messenger made).
std::unique_ptr<TagCommands> make(AppState &a);
void install(CommandRegistry &f, TagCommands &tags);
}
