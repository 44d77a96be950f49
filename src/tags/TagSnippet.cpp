#include "tags/TagSnippet.h"

#include "common/TextTarget.h"

#include <QtGlobal>

void insertSnippet(const TagSnippet &snippet, TextTarget &target)
{
    // Nothing to insert must not eat the selection.
    if (snippet.text.isEmpty())
        return;
    target.setSelText(snippet.text);
    const int end = target.selStart();
    const int start = qMax(0, end - int(snippet.text.size()));

    switch (snippet.rule) {
    case CaretRule::End:
        break;
    case CaretRule::Back:
        // Never step back past the start of what was just inserted.
        target.setSelStart(qMax(start, end - qMax(0, snippet.back)));
        break;
    case CaretRule::SelectUrl: {
        const int at = int(snippet.text.indexOf(QLatin1String("URL")));
        if (at >= 0) {
            target.setSelStart(start + at);
            target.setSelLength(3);
        }
        break;
    }
    case CaretRule::SelectAll:
        target.setSelStart(start);
        target.setSelLength(end - start);
        break;
    }
}

void insertUnknownTag(const QString &name, TextTarget &target)
{
    if (name.isEmpty())
        return;
    insertSnippet(TagSnippet::atEnd(QLatin1Char('<') + name + QLatin1Char('>')), target);
}

void insertColourText(const QString &colour, TextTarget &target)
{
    if (colour.isEmpty())
        return;
    insertSnippet({colour, CaretRule::SelectAll, 0}, target);
}
