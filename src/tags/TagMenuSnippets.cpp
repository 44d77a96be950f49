#include "tags/TagMenuSnippets.h"

#include "tags/TagCatalogue.h"

// The tables are read with value(): a key pressed before start-up has built
// the catalogue finds an empty text, and an empty snippet inserts nothing.
TagSnippet tagMenuSnippet(const TagCatalogue &c, TagMenuItem item)
{
    switch (item) {
    case TagMenuItem::Link: return TagSnippet::selectUrl(c.LinkSnippet);
    case TagMenuItem::MediaObject: return TagSnippet::backBy(c.FormMediaSnippets.value(16), 54);
    case TagMenuItem::MediaParam: return TagSnippet::backBy(c.FormMediaSnippets.value(17), 11);
    case TagMenuItem::MediaMarquee: return TagSnippet::backBy(c.FormMediaSnippets.value(2), 10);
    case TagMenuItem::FormAction: return TagSnippet::selectUrl(c.FormMediaSnippets.value(0));
    case TagMenuItem::FormTextarea: return TagSnippet::backBy(c.FormMediaSnippets.value(1), 11);
    }
    return {};
}

void insertTagMenuItem(const TagCatalogue &c, TagMenuItem item, TextTarget &target)
{
    insertSnippet(tagMenuSnippet(c, item), target);
}

bool insertMediaItem(const TagCatalogue &c, int item, TextTarget &target)
{
    static const TagMenuItem items[] = {TagMenuItem::MediaObject, TagMenuItem::MediaParam, TagMenuItem::MediaMarquee};
    if (item < 0 || item > 2)
        return false;
    insertTagMenuItem(c, items[item], target);
    return true;
}

bool insertFormsItem(const TagCatalogue &c, int item, TextTarget &target)
{
    if (item < 0 || item > 1)
        return false;
    insertTagMenuItem(c, item == 0 ? TagMenuItem::FormAction : TagMenuItem::FormTextarea, target);
    return true;
}

TagSnippet quickSnippet(const TagCatalogue &c, QuickSnippet which)
{
    switch (which) {
    case QuickSnippet::LineBreak: return TagSnippet::atEnd(c.BreakAlignSnippets.value(0));
    case QuickSnippet::Bold: return TagSnippet::backBy(c.InlineSnippets.value(0), 4);
    case QuickSnippet::Italic: return TagSnippet::backBy(c.InlineSnippets.value(1), 4);
    case QuickSnippet::Underline: return TagSnippet::backBy(c.InlineSnippets.value(2), 4);
    case QuickSnippet::Heading1:
    case QuickSnippet::Heading2:
    case QuickSnippet::Heading3:
    case QuickSnippet::Heading4:
    case QuickSnippet::Heading5:
    case QuickSnippet::Heading6:
        return TagSnippet::backBy(c.BlockSnippets.value(1 + int(which) - int(QuickSnippet::Heading1)), 5);
    case QuickSnippet::DivLeft: return TagSnippet::backBy(c.PhraseSnippets.value(5), 6);
    case QuickSnippet::DivCenter: return TagSnippet::backBy(c.PhraseSnippets.value(6), 6);
    case QuickSnippet::DivRight: return TagSnippet::backBy(c.PhraseSnippets.value(7), 6);
    }
    return {};
}

void insertQuickSnippet(const TagCatalogue &c, QuickSnippet which, TextTarget &target)
{
    insertSnippet(quickSnippet(c, which), target);
}

bool insertHeading(const TagCatalogue &c, int level, TextTarget &target)
{
    if (level < 1 || level > 6)
        return false;
    insertQuickSnippet(c, QuickSnippet(int(QuickSnippet::Heading1) + level - 1), target);
    return true;
}
