#pragma once
#include "tags/TagSnippet.h"

#include <QString>

class TextTarget;

// What a tag dialog's OK puts into the editor. The dialogs only read their
// boxes into one of the field structs below, call the builder and hand the
// result to applyDialogMarkup.
struct DialogMarkup {
    bool insert = false;        // false: OK only closes the dialog, the editor stays as it was
    TagSnippet snippet;         // the text and where the caret goes after it
    bool evenInPreview = false; // the table dialog inserts also while the document shows its preview
};

// Replaces the selection of the active document's editor by the mark-up and
// places the caret. `editor` is null when no document is open; nothing is
// inserted then, nor while the document shows its preview (except for the
// table). True when the editor was changed.
bool applyDialogMarkup(const DialogMarkup &markup, TextTarget *editor, bool previewShown);

// Body dialog: each box feeds one attribute; written in this order.
struct BodyFields {
    QString background; // TxtImg
    QString bgsound;    // TxtSound
    QString bgcolor;    // TNumber 0
    QString text;       // TNumber 1
    QString link;       // TNumber 2
    QString vlink;      // TNumber 3
    QString alink;      // TNumber 4
};

// Font dialog: face, colour and size of the inserted element.
struct FontFields {
    QString face;  // CoFonts
    QString color; // txtColor
    QString size;  // TSize
};

// The face box's text when the font dialog opens.
inline constexpr char16_t FontDefaultFace[] = u"Times New Roman";

// Image dialog: src is required, the rest optional.
struct ImageFields {
    QString src;    // Tsrc
    QString alt;    // TAlt
    QString width;  // TNumber 0
    QString height; // TNumber 1
    QString hspace; // TNumber 2
    QString vspace; // TNumber 3
    QString border; // TNumber 4
};

// Table dialog.
struct TableFields {
    QString border;      // TNumber 0
    QString bgcolor;     // TBgColor
    QString cellspacing; // TNumber 1
    QString cellpadding; // TNumber 2
    QString width;       // TNumber 3
    QString height;      // TNumber 4
};

// One attribute as the dialogs write it: a blank, the name, "=" and the value
// in double quotes, unchanged; nothing at all for an empty value.
QString markupAttribute(const char *name, const QString &value);

// A body element with an empty line inside, caret on that line; nothing when
// every box is empty.
DialogMarkup bodyMarkup(const BodyFields &f);

// An empty font element, caret between its tags; nothing when face, colour and
// size are all empty.
DialogMarkup fontMarkup(const FontFields &f);

// The font attributes alone (also what the sample page uses).
QString fontAttributes(const FontFields &f);

// An img element, caret after it; nothing when src is empty.
DialogMarkup imageMarkup(const ImageFields &f);

// A table element with an empty line inside, caret on that line; inserted even
// with every box empty.
DialogMarkup tableMarkup(const TableFields &f);
