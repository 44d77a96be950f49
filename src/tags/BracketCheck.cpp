#include "tags/BracketCheck.h"

namespace {

BracketCheckResult fault(BracketCheckResult::Kind kind, qsizetype at)
{
    BracketCheckResult r;
    r.kind = kind;
    r.selStart = int(at);
    r.selLength = 1;
    r.messageEntry = 101;
    r.messageSuffix = kind == BracketCheckResult::MissingClose ? QStringLiteral(" \">\"") : QStringLiteral(" \"<\"");
    r.boxStyle = 16;
    return r;
}

} // namespace

BracketCheckResult checkBrackets(const QString &text)
{
    const QChar *data = text.constData();
    const qsizetype n = text.size();
    bool open = false;     // a "<" waits for its ">"
    qsizetype last = -1;   // the last bracket seen

    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ch = data[i].unicode();
        if (ch == u'<') {
            if (open)
                return fault(BracketCheckResult::MissingClose, i);
            open = true;
            last = i;
        } else if (ch == u'>') {
            if (!open)
                return fault(BracketCheckResult::MissingOpen, i);
            open = false;
            last = i;
        }
    }
    if (open)
        return fault(BracketCheckResult::MissingClose, last);
    return {};
}
