#pragma once
#include <QString>

class TextTarget;

// Every character as a numeric character reference "&#" + code point + ";",
// so the text survives any page encoding. A character outside the Basic
// Multilingual Plane is one reference with its full code point; a stray half
// of a surrogate pair is not a character and becomes U+FFFD.
QString charCodes(const QString &text);

// The character-code dialog's OK: replaces the editor's selection by the
// references of `text`, caret after them. An empty text inserts nothing and
// gives false (the dialog keeps OK disabled then).
bool insertCharCodes(const QString &text, TextTarget &target);
