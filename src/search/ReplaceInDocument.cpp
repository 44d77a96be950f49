#include "search/ReplaceInDocument.h"

#include "search/SpanFinder.h"

QString ReplaceResult::applyTo(QStringView text) const
{
    if (count == 0)
        return text.toString();
    QString out;
    out.reserve(text.size() - change.removed.size() + change.inserted.size());
    out.append(text.first(change.pos));
    out.append(change.inserted);
    out.append(text.sliced(change.pos + change.removed.size()));
    return out;
}

ReplaceResult ReplaceInDocument(QStringView text, SearchState &state, bool all)
{
    const QStringView end = state.FindEndLength > 0 ? QStringView(state.FindEndText) : QStringView();
    SpanFinder finder(text, state.FindStartText, end, state.FindMatchCase != 0);

    // The spans never overlap and each search starts past the previous span, so
    // copying the text between spans and then the replacement gives the same text
    // as replacing in place, without moving the rest of the document each time.
    ReplaceResult r;
    QString out;
    qsizetype first = -1; // start of the first span
    qsizetype done = 0;   // text before this is already handled
    while (true) {
        const Span span = finder.find(done);
        if (!span.found())
            break;
        if (first < 0)
            first = done = span.start;
        out.append(text.sliced(done, span.start - done));
        out.append(state.ReplaceText);
        r.spans.emplace_back(int(span.start - first), int(span.length));
        done = span.start + span.length;
        ++r.count;
        if (!all)
            break;
    }
    if (r.count == 0)
        return r;
    r.change.pos = int(first);
    r.change.removed = text.sliced(first, done - first).toString();
    out.squeeze(); // the undo history keeps this text: no spare capacity
    r.change.inserted = std::move(out);
    state.ReplaceCount += r.count;
    return r;
}
