#pragma once
// The tokenizer's reading of a text as one letter per character, shared by the
// tokenizer and highlighting tests.
#include "editing/SyntaxTokenizer.h"

#include <QString>
#include <vector>

namespace {

// One letter per kind: . plain, T tag, N name, V value, E entity, C comment,
// D doctype, K keyword, S string, 0 number, R regular expression.
const char KindLetters[] = ".TNVECDKS0R";

// The kinds of text's characters, one letter each, from state. A state-only
// pass must end in the same state as the one that collects tokens.
QString kindsOf(QStringView text, int &state, bool endsLine = true, QStringView following = {})
{
    std::vector<SyntaxToken> tokens;
    const int from = state;
    state = SyntaxTokenizer::scan(text, state, &tokens, endsLine, following);
    if (SyntaxTokenizer::scan(text, from, nullptr, endsLine, following) != state)
        return QStringLiteral("state-only pass differs");
    QString map(text.size(), u'.');
    int end = 0;
    for (const SyntaxToken &t : tokens) {
        // Tokens are non-empty, in order and apart; plain runs give none.
        if (t.length <= 0 || t.start < end || t.kind == SyntaxKind::Plain)
            return QStringLiteral("bad token at %1").arg(t.start);
        end = t.start + t.length;
        for (int i = t.start; i < end; ++i)
            map[i] = QLatin1Char(KindLetters[int(t.kind)]);
    }
    return map;
}

} // namespace
