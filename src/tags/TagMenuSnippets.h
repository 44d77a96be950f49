#pragma once
#include "tags/TagSnippet.h"

struct TagCatalogue;
class TextTarget;

// Insertions outside the tag list that take their text from the catalogue:
// the Tags menu, the editor's control keys and the toolbar buttons. Each one
// is a single call for the window that triggers it.
enum class TagMenuItem {
    Link,         // CodeAhref: <a href="URL"></a>, URL selected
    MediaObject,  // CodeMediaHTML 0
    MediaParam,   // CodeMediaHTML 1
    MediaMarquee, // CodeMediaHTML 2
    FormAction,   // CodeFormsHTML 0, URL selected on the first line
    FormTextarea, // CodeFormsHTML 1
};

enum class QuickSnippet {
    LineBreak, // Ctrl+Enter
    Bold,      // Ctrl+B, toolbar button 11
    Italic,    // toolbar button 12
    Underline, // toolbar button 13
    Heading1,  // Ctrl+1 ... Ctrl+6
    Heading2,
    Heading3,
    Heading4,
    Heading5,
    Heading6,
    DivLeft,   // toolbar buttons 14, 15, 16
    DivCenter,
    DivRight,
};

TagSnippet tagMenuSnippet(const TagCatalogue &catalogue, TagMenuItem item);
void insertTagMenuItem(const TagCatalogue &catalogue, TagMenuItem item, TextTarget &target);

// The menu's control arrays by item number; numbers the menu lacks do nothing
// and give false.
bool insertMediaItem(const TagCatalogue &catalogue, int item, TextTarget &target);
bool insertFormsItem(const TagCatalogue &catalogue, int item, TextTarget &target);

TagSnippet quickSnippet(const TagCatalogue &catalogue, QuickSnippet which);
void insertQuickSnippet(const TagCatalogue &catalogue, QuickSnippet which, TextTarget &target);
// Ctrl+1 ... Ctrl+6; a level outside 1-6 does nothing and gives false.
bool insertHeading(const TagCatalogue &catalogue, int level, TextTarget &target);
