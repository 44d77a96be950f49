#pragma once
#include <QString>

// The shipped English language file, built into the program: what stands for an
// entry that no loaded language file has given, so no question, message or
// command caption is ever blank.
namespace BuiltInTexts {

constexpr int LastEntry = 106;

QString languageName();     // field 1 of the English file
QString helpFile();         // field 2 of the English file
// The English text of entry 1..106; "" for any other number.
QString text(int entry);
// The English text of the program's own later entries 110..LastEntry (options, status
// bar, font note, recovery, files on disk, mark-up typing, zoom, live preview); "" for any other number.
QString extraText(int entry);

} // namespace BuiltInTexts
