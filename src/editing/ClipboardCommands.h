#pragma once

// Cut, copy and paste of plain text between the active editor and the clipboard.
namespace ClipboardCommands {
void Copy();
void Cut();
void Paste();
}
