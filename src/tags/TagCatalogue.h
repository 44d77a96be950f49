#pragma once
#include "tags/TagSnippet.h"

#include <QList>
#include <QString>
#include <QStringList>

class TextTarget;

// What the caller must open for an entry; for Colour the snippet is inserted first.
enum class TagAction {
    None,       // the snippet was inserted, nothing more to do
    SelectList, // select-list builder FrmSelect
    Body,       // body dialog frmBody
    Table,      // table dialog frmTable
    Font,       // font dialog frmFonts
    Image,      // image dialog frmImg
    Colour,     // colour command, after the attribute has been inserted
};

// The table an entry's text is kept in.
enum class SnippetTable { None, FormMedia, BreakAlign, Block, Inline, Phrase, Attribute, Link };

// One catalogue entry: its name in the tag list and what choosing it does.
struct TagEntry {
    QString name;
    SnippetTable table = SnippetTable::None;
    int index = -1;     // index into `table`
    TagSnippet snippet; // empty text for the dialog entries
    TagAction action = TagAction::None;
};

// The fixed vocabulary of mark-up, built once at start-up and never changed.
struct TagCatalogue {
    static constexpr int EntryCount = 71;

    QStringList FormMediaSnippets;  // 22: forms, scripts, embedded objects
    QStringList BreakAlignSnippets; // 7: line break and alignment attributes
    QStringList BlockSnippets;      // 12: list item, headings, table and list containers
    QStringList InlineSnippets;     // 6: b, i, u, p, comment, escaped brackets
    QStringList PhraseSnippets;     // 9: big, sub, sup, pre, mail link, divisions, nobr
    QStringList AttributeSnippets;  // 9: eight empty attributes and strong
    QString LinkSnippet;            // the link command's text

    QList<TagEntry> Entries;        // by catalogue number 0-70
    QStringList SortedNames;        // rows of the tag list, case-insensitive alphabetical
    QList<int> TagListMap;          // tag list row -> catalogue number

    static TagCatalogue build();

    QStringList names() const;
    const QStringList &table(SnippetTable which) const;
    // The first row whose name starts with the typed text (case-sensitive),
    // row 0 for an empty text, -1 when none does.
    int rowForTypedText(const QString &typed) const;
};

// Performs catalogue entry `entry` on the editor with its caret rule and says
// what the caller must open next; an unknown number does nothing.
TagAction performEntry(const TagCatalogue &catalogue, int entry, TextTarget &target);
