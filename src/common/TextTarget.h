#pragma once
#include <QString>

// What the program's insertions need of an editor: positions count a line break
// (CR LF) as two characters. The editing control implements it; tests use a
// plain-string fake.
class TextTarget {
public:
    virtual ~TextTarget() = default;
    virtual QString text() const = 0;                 // whole text, CR LF line breaks
    virtual int selStart() const = 0;                 // caret position
    virtual void setSelStart(int pos) = 0;            // leaves nothing selected
    virtual int selLength() const = 0;
    virtual void setSelLength(int len) = 0;
    virtual QString selText() const = 0;
    virtual void setSelText(const QString &text) = 0; // replaces the selection, caret after it
};
