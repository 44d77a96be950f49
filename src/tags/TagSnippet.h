#pragma once
#include <QString>

class TextTarget;

// Where the caret goes once a snippet has replaced the editor's selection.
enum class CaretRule {
    End,       // after the inserted text
    Back,      // `back` characters before the end of the inserted text, nothing selected
    SelectUrl, // the placeholder "URL" selected, so typing replaces it
    SelectAll, // the whole inserted text selected (colour texts)
};

// A piece of mark-up and where the caret goes after it.
struct TagSnippet {
    QString text;
    CaretRule rule = CaretRule::End;
    int back = 0; // used by CaretRule::Back

    static TagSnippet atEnd(const QString &text) { return {text, CaretRule::End, 0}; }
    static TagSnippet backBy(const QString &text, int n) { return {text, CaretRule::Back, n}; }
    static TagSnippet selectUrl(const QString &text) { return {text, CaretRule::SelectUrl, 0}; }
};

// Every insertion of the program ends here: the selection (possibly empty) is
// replaced by the text, nothing of it survives, then the caret rule is applied.
void insertSnippet(const TagSnippet &snippet, TextTarget &target);

// A name typed into the tag list that matches no row: "<" + name + ">", caret after it.
void insertUnknownTag(const QString &name, TextTarget &target);

// The colour command's insertion: the selection is replaced by the colour text,
// which is then left selected. An empty text (cancelled dialog) changes nothing.
void insertColourText(const QString &colour, TextTarget &target);
