#pragma once

class TextTarget;

// Cut, copy and paste of plain text between an editor and the clipboard. Each
// does nothing without an editor.
namespace ClipboardCommands {
void Copy(TextTarget *editor);
void Cut(TextTarget *editor);
void Paste(TextTarget *editor);
}
