#include "search/DocFoundTextM.h"

#include "search/SpanFinder.h"

FindResult DocFoundTextM(QStringView text, SearchState &state)
{
    const QStringView end = state.FindEndLength > 0 ? QStringView(state.FindEndText) : QStringView();
    SpanFinder finder(text, state.FindStartText, end, state.FindMatchCase != 0);
    // A position before the text searches from the top; one past it finds nothing.
    const Span span = finder.find(qsizetype(qMax(state.FindNextPos, 1)) - 1);

    FindResult r;
    if (!span.found()) {
        r.messageEntry = 90;
        state.FindNextPos = 1;
        return r;
    }
    r.found = true;
    r.selStart = int(span.start);
    r.selLength = int(span.length);
    state.FindNextPos = int(span.start + state.FindStartText.size()) + 1;
    return r;
}
