#pragma once

class TextTarget;

// Cut, copy and paste of plain text between an editor and the clipboard. Each
// does nothing without an editor. The clipboard gets LF line breaks, as the
// programs of this system expect; a paste takes LF, CR LF and CR.
namespace ClipboardCommands {
void Copy(TextTarget *editor);
void Cut(TextTarget *editor);
void Paste(TextTarget *editor);
}
