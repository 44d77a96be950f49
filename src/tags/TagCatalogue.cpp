#include "tags/TagCatalogue.h"

#include "common/TextTarget.h"

#include <algorithm>
#include <utility>

namespace {

const QString CrLf = QStringLiteral("\r\n");

QStringList latin(std::initializer_list<const char *> texts)
{
    QStringList out;
    out.reserve(qsizetype(texts.size()));
    for (const char *t : texts)
        out << QString::fromLatin1(t);
    return out;
}

// One row of the catalogue; a null name is copied from the entry's text.
struct EntryRow {
    const char *name;
    SnippetTable table;
    int index;
    CaretRule rule;
    int back;
    TagAction action;
};

using T = SnippetTable;
using R = CaretRule;
using A = TagAction;

// Catalogue order. The misspelt names and texts ("textarae", "imge", "lef",
// "heigh", the doubled frameborder) are what users of this program know; the
// caret distances count those texts as they stand.
const EntryRow Rows[TagCatalogue::EntryCount] = {
    {"form action", T::FormMedia, 0, R::SelectUrl, 0, A::None},
    {"textarae", T::FormMedia, 1, R::Back, 11, A::None},
    {"select", T::None, -1, R::End, 0, A::SelectList},
    {"body", T::None, -1, R::End, 0, A::Body},
    {"table", T::None, -1, R::End, 0, A::Table},
    {"font", T::None, -1, R::End, 0, A::Font},
    {"img src", T::None, -1, R::End, 0, A::Image},
    {"a href", T::Link, 0, R::SelectUrl, 0, A::None},
    {"marquee", T::FormMedia, 2, R::Back, 10, A::None},
    {R"(input type="checkbox")", T::FormMedia, 3, R::Back, 19, A::None},
    {R"(input type="radio")", T::FormMedia, 4, R::Back, 19, A::None},
    {R"(input type="reset")", T::FormMedia, 5, R::Back, 11, A::None},
    {R"(input type="submit")", T::FormMedia, 6, R::Back, 11, A::None},
    {R"(input type="imge")", T::FormMedia, 7, R::Back, 21, A::None},
    {R"(input type="text")", T::FormMedia, 8, R::Back, 32, A::None},
    {R"(input type="password")", T::FormMedia, 9, R::Back, 10, A::None},
    {R"(input type="sendfile")", T::FormMedia, 10, R::Back, 2, A::None},
    {"script (New)", T::FormMedia, 11, R::Back, 18, A::None},
    {"script (Load)", T::FormMedia, 12, R::SelectUrl, 0, A::None},
    {"span", T::FormMedia, 13, R::Back, 18, A::None},
    {"iframe", T::FormMedia, 14, R::SelectUrl, 0, A::None},
    // Stepping back 2 would land inside the tag name; after the text is useful.
    {"hr", T::FormMedia, 15, R::End, 0, A::None},
    {"object", T::FormMedia, 16, R::Back, 54, A::None},
    {"param", T::FormMedia, 17, R::Back, 11, A::None},
    {"applet", T::FormMedia, 18, R::Back, 19, A::None},
    {"embed", T::FormMedia, 19, R::SelectUrl, 0, A::None},
    {"noembed", T::FormMedia, 20, R::Back, 10, A::None},
    {"center", T::FormMedia, 21, R::Back, 9, A::None},
    {"br", T::BreakAlign, 0, R::End, 0, A::None},
    {R"(align="Left")", T::BreakAlign, 1, R::End, 0, A::None},
    {R"(align="center")", T::BreakAlign, 2, R::End, 0, A::None},
    {R"(align="right")", T::BreakAlign, 3, R::End, 0, A::None},
    {R"(valign="top")", T::BreakAlign, 4, R::End, 0, A::None},
    {R"(valign="center")", T::BreakAlign, 5, R::End, 0, A::None},
    {R"(valign="down")", T::BreakAlign, 6, R::End, 0, A::None},
    {"li", T::Block, 0, R::Back, 5, A::None},
    {"h1", T::Block, 1, R::Back, 5, A::None},
    {"h2", T::Block, 2, R::Back, 5, A::None},
    {"h3", T::Block, 3, R::Back, 5, A::None},
    {"h4", T::Block, 4, R::Back, 5, A::None},
    {"h5", T::Block, 5, R::Back, 5, A::None},
    {"h6", T::Block, 6, R::Back, 5, A::None},
    {"th", T::Block, 7, R::Back, 5, A::None},
    {"ol", T::Block, 8, R::Back, 5, A::None},
    {"ul", T::Block, 9, R::Back, 5, A::None},
    {"tr", T::Block, 10, R::Back, 5, A::None},
    {"td", T::Block, 11, R::Back, 5, A::None},
    {"b", T::Inline, 0, R::Back, 4, A::None},
    {"i", T::Inline, 1, R::Back, 4, A::None},
    {"u", T::Inline, 2, R::Back, 4, A::None},
    {"p", T::Inline, 3, R::Back, 4, A::None},
    {"!-  --", T::Inline, 4, R::Back, 4, A::None},
    {"<>", T::Inline, 5, R::Back, 4, A::None},
    {"big", T::Phrase, 0, R::Back, 6, A::None},
    {"sub", T::Phrase, 1, R::Back, 6, A::None},
    {"sup", T::Phrase, 2, R::Back, 6, A::None},
    {"pre", T::Phrase, 3, R::Back, 6, A::None},
    {R"(a href="mailto:")", T::Phrase, 4, R::Back, 6, A::None},
    {R"(div align="left")", T::Phrase, 5, R::Back, 6, A::None},
    {R"(div align="center")", T::Phrase, 6, R::Back, 6, A::None},
    {R"(div align="right")", T::Phrase, 7, R::Back, 6, A::None},
    {"nobr", T::Phrase, 8, R::Back, 7, A::None},
    {nullptr, T::Attribute, 0, R::Back, 1, A::Colour},
    {nullptr, T::Attribute, 1, R::Back, 1, A::Colour},
    {nullptr, T::Attribute, 2, R::Back, 1, A::None},
    {nullptr, T::Attribute, 3, R::Back, 1, A::None},
    {nullptr, T::Attribute, 4, R::Back, 1, A::None},
    {nullptr, T::Attribute, 5, R::Back, 1, A::None},
    {nullptr, T::Attribute, 6, R::Back, 1, A::None},
    {nullptr, T::Attribute, 7, R::End, 0, A::None},
    {"strong", T::Attribute, 8, R::Back, 9, A::None},
};

void fillTables(TagCatalogue &c)
{
    c.FormMediaSnippets = latin({
        R"(<form action="URL" name="" method="post">)",
        "<textarea rows=4 cols=15></textarea>",
        R"(<marquee direction="left" scrolldelay="0" height=15 width="100%"></marquee>)",
        R"(<input type="checkbox" name="" value="" checked>)",
        R"(<input type="radio" name="" value="" checked>)",
        R"(<input type="reset" name="" value="">)",
        R"(<input type="submit" name="" value="">)",
        R"(<input type="image" name="" src="" align="lef">)",
        R"(<input type="text" name="" value="" size="" maxlength="">)",
        R"(<input type="password" name="" size="">)",
        R"(<input type="sendfile" name="">)",
        R"(<script language="JavaScript">)",
        R"(<script language="JavaScript" src="URL"></script>)",
        R"(<span class="" title=""></span>)",
        R"(<iframe src="URL" frameborder=0 vspace=0 hspace=0 width=120 height=120 )"
        R"(marginwidth=0 marginheight=0 scrolling=no frameborder=1 name=""></iframe>)",
        "<hr>",
        R"(<object id="" classid="clsid:" data="" width="" heigh=""></object>)",
        R"(<param name="" value="">)",
        R"(<applet codebase="" code=""></applet>)",
        R"(<embed src="URL"></embed>)",
        "<noembed></noembed>",
        "<center></center>",
    });
    // The three texts that span lines.
    c.FormMediaSnippets[0] += CrLf + CrLf + QStringLiteral("</form>");
    c.FormMediaSnippets[11] += CrLf + QStringLiteral("<!--") + CrLf + CrLf + QStringLiteral("-->") + CrLf
                               + QStringLiteral("</script>") + CrLf;
    c.FormMediaSnippets[12] += CrLf;

    c.BreakAlignSnippets = latin({
        "<br>",
        R"(align="left")",
        R"(align="center")",
        R"(align="right")",
        R"(valign="top")",
        R"(valign="center")",
        R"(valign="down")",
    });
    c.BlockSnippets = latin({
        "<li></li>",
        "<h1></h1>",
        "<h2></h2>",
        "<h3></h3>",
        "<h4></h4>",
        "<h5></h5>",
        "<h6></h6>",
        "<th></th>",
        "<ol></ol>",
        "<ul></ul>",
        "<tr></tr>",
        "<td></td>",
    });
    c.InlineSnippets = latin({
        "<b></b>",
        "<i></i>",
        "<u></u>",
        "<p></p>",
        "<!-  -->",
        "&lt;&gt;",
    });
    c.PhraseSnippets = latin({
        "<big></big>",
        "<sub></sub>",
        "<sup></sup>",
        "<pre></pre>",
        R"(<a href="mailto:"></a>)",
        R"(<div align="left"></div>)",
        R"(<div align="center"></div>)",
        R"(<div align="right"></div>)",
        "<nobr></nobr>",
    });
    c.AttributeSnippets = latin({
        R"(bgcolor="")",
        R"(color="")",
        R"(height="")",
        R"(width="")",
        R"(alt="")",
        R"(class="")",
        R"(name="")",
        R"(target="_blank")",
        "<strong></strong>",
    });
    c.LinkSnippet = QStringLiteral(R"(<a href="URL"></a>)");
}

} // namespace

TagCatalogue TagCatalogue::build()
{
    TagCatalogue c;
    fillTables(c);

    c.Entries.reserve(EntryCount);
    for (const EntryRow &row : Rows) {
        TagEntry e;
        e.table = row.table;
        e.index = row.index;
        e.action = row.action;
        if (row.table != SnippetTable::None) {
            const QString text = row.table == SnippetTable::Link ? c.LinkSnippet : c.table(row.table).at(row.index);
            e.snippet = TagSnippet{text, row.rule, row.back};
        }
        e.name = row.name ? QString::fromLatin1(row.name) : e.snippet.text;
        c.Entries << e;
    }

    // The tag list shows the names sorted without regard to case; equal
    // names apart from case keep a fixed order so the map never depends on luck.
    c.SortedNames = c.names();
    std::stable_sort(c.SortedNames.begin(), c.SortedNames.end(), [](const QString &a, const QString &b) {
        const int ci = a.compare(b, Qt::CaseInsensitive);
        return ci != 0 ? ci < 0 : a.compare(b, Qt::CaseSensitive) < 0;
    });

    const QStringList names = c.names();
    c.TagListMap.reserve(EntryCount);
    for (const QString &rowName : std::as_const(c.SortedNames))
        c.TagListMap << int(names.indexOf(rowName));
    return c;
}

QStringList TagCatalogue::names() const
{
    QStringList out;
    out.reserve(Entries.size());
    for (const TagEntry &e : Entries)
        out << e.name;
    return out;
}

const QStringList &TagCatalogue::table(SnippetTable which) const
{
    static const QStringList none;
    switch (which) {
    case SnippetTable::FormMedia: return FormMediaSnippets;
    case SnippetTable::BreakAlign: return BreakAlignSnippets;
    case SnippetTable::Block: return BlockSnippets;
    case SnippetTable::Inline: return InlineSnippets;
    case SnippetTable::Phrase: return PhraseSnippets;
    case SnippetTable::Attribute: return AttributeSnippets;
    case SnippetTable::None:
    case SnippetTable::Link: break;
    }
    return none;
}

int TagCatalogue::rowForTypedText(const QString &typed) const
{
    for (int r = 0; r < SortedNames.size(); ++r) {
        if (SortedNames.at(r).startsWith(typed, Qt::CaseSensitive))
            return r;
    }
    return -1;
}

TagAction performEntry(const TagCatalogue &catalogue, int entry, TextTarget &target)
{
    if (entry < 0 || entry >= catalogue.Entries.size())
        return TagAction::None;
    const TagEntry &e = catalogue.Entries.at(entry);
    if (!e.snippet.text.isEmpty())
        insertSnippet(e.snippet, target);
    return e.action;
}
