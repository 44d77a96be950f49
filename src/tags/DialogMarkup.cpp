#include "tags/DialogMarkup.h"

#include "common/TextTarget.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

DialogMarkup nothing() { return {}; }

DialogMarkup markup(const TagSnippet &snippet, bool evenInPreview = false) { return {true, snippet, evenInPreview}; }

} // namespace

bool applyDialogMarkup(const DialogMarkup &markup, TextTarget *editor, bool previewShown)
{
    if (!editor || !markup.insert || markup.snippet.text.isEmpty())
        return false;
    if (previewShown && !markup.evenInPreview)
        return false;
    insertSnippet(markup.snippet, *editor);
    return true;
}

QString markupAttribute(const char *name, const QString &value)
{
    if (value.isEmpty())
        return {};
    return QLatin1Char(' ') + QLatin1String(name) + QLatin1String("=\"") + value + QLatin1Char('"');
}

DialogMarkup bodyMarkup(const BodyFields &f)
{
    const QString a = markupAttribute("background", f.background) + markupAttribute("bgsound", f.bgsound)
        + markupAttribute("bgcolor", f.bgcolor) + markupAttribute("text", f.text) + markupAttribute("link", f.link)
        + markupAttribute("vlink", f.vlink) + markupAttribute("alink", f.alink);
    if (a.isEmpty())
        return nothing();
    const QString text = QLatin1String("<body topmargin=0 leftmargin=0") + a + QLatin1Char('>') + CrLf + CrLf
        + QLatin1String("</body>") + CrLf;
    // Back over CR LF "</body>" CR LF: onto the empty line.
    return markup(TagSnippet::backBy(text, 11));
}

QString fontAttributes(const FontFields &f)
{
    return markupAttribute("face", f.face) + markupAttribute("color", f.color) + markupAttribute("size", f.size);
}

DialogMarkup fontMarkup(const FontFields &f)
{
    const QString a = fontAttributes(f);
    if (a.isEmpty())
        return nothing();
    return markup(TagSnippet::backBy(QLatin1String("<font") + a + QLatin1String("></font>"), 7));
}

DialogMarkup imageMarkup(const ImageFields &f)
{
    if (f.src.isEmpty())
        return nothing();
    const QString text = QLatin1String("<img src=\"") + f.src + QLatin1Char('"') + markupAttribute("alt", f.alt)
        + markupAttribute("width", f.width) + markupAttribute("height", f.height)
        + markupAttribute("hspace", f.hspace) + markupAttribute("vspace", f.vspace)
        + markupAttribute("border", f.border) + QLatin1Char('>');
    return markup(TagSnippet::atEnd(text));
}

DialogMarkup tableMarkup(const TableFields &f)
{
    const QString a = markupAttribute("border", f.border) + markupAttribute("bgcolor", f.bgcolor)
        + markupAttribute("cellspacing", f.cellspacing) + markupAttribute("cellpadding", f.cellpadding)
        + markupAttribute("width", f.width) + markupAttribute("height", f.height);
    const QString text = QLatin1String("<table") + a + QLatin1Char('>') + CrLf + CrLf + QLatin1String("</table>") + CrLf;
    // Back over CR LF "</table>" CR LF: onto the empty line.
    return markup(TagSnippet::backBy(text, 12), true);
}
