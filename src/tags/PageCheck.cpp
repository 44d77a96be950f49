#include "tags/PageCheck.h"

#include <QByteArray>
#include <QMutex>
#include <QMutexLocker>
#include <algorithm>
#include <vector>

#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

namespace {

// Attributes of today's pages that the 5.6 checker does not know yet: they
// are not reported as proprietary.
bool isCurrentAttribute(const QString &name)
{
    static const char *const names[] = {"loading", "decoding", "fetchpriority", "inputmode", "enterkeyhint",
                                        "popover", "popovertarget", "popovertargetaction", "inert", "nonce",
                                        "referrerpolicy", "integrity", "crossorigin", "playsinline", "imagesrcset",
                                        "imagesizes", "blocking", "elementtiming", "autocapitalize", "is"};
    for (const char *n : names)
        if (name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// Where each line of the text starts, and whether it holds characters outside
// the BMP (then the checker's columns, which count code points, need walking).
// Line breaks are counted like the checker counts them: CR LF, CR or LF.
struct LineIndex {
    std::vector<qsizetype> starts{0};
    std::vector<bool> wide{false};

    explicit LineIndex(const QString &text)
    {
        const QChar *d = text.constData();
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = d[i].unicode();
            if (c == u'\r' || c == u'\n') {
                if (c == u'\r' && i + 1 < n && d[i + 1] == u'\n')
                    ++i;
                starts.push_back(i + 1);
                wide.push_back(false);
            } else if (QChar::isHighSurrogate(c)) {
                wide.back() = true;
            }
        }
    }

    // The checker's column (code points, 1-based) as a column of the editor.
    int column(const QString &text, int line, int tidyColumn) const
    {
        if (line < 1 || line > int(starts.size()) || tidyColumn < 1 || !wide[size_t(line - 1)])
            return tidyColumn;
        qsizetype at = starts[size_t(line - 1)];
        for (int cp = 1; cp < tidyColumn && at < text.size(); ++cp)
            at += text.at(at).isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
        return int(at - starts[size_t(line - 1)]) + 1;
    }
};

QString withoutControls(const QString &text)
{
    const auto isControl = [](QChar c) { return c.unicode() < 0x20 && c != u'\t' && c != u'\r' && c != u'\n'; };
    if (std::none_of(text.cbegin(), text.cend(), isControl))
        return text;
    QString copy = text;
    for (QChar &c : copy)
        if (isControl(c))
            c = QChar(0xFFFD);
    return copy;
}

struct Collector {
    PageCheckResult result;
};

Bool TIDY_CALL onMessage(TidyMessage m)
{
    auto *c = static_cast<Collector *>(tidyGetAppData(tidyGetMessageDoc(m)));
    PageMessage msg;
    switch (tidyGetMessageLevel(m)) {
    case TidyWarning:
    case TidyAccess:
    case TidyConfig:
        msg.level = PageMessage::Warning;
        break;
    case TidyError:
    case TidyBadDocument:
    case TidyFatal:
        msg.level = PageMessage::Error;
        break;
    default:
        // Information (content looks like HTML5, custom tag detected) and the
        // checker's own summary lines: the panel makes its own summary.
        return no;
    }
    msg.line = qMax(0, tidyGetMessageLine(m));
    msg.column = qMax(0, tidyGetMessageColumn(m));
    msg.text = QString::fromUtf8(tidyGetMessage(m));
    if (qstrcmp(tidyGetMessageKey(m), "PROPRIETARY_ATTRIBUTE") == 0) {
        const qsizetype close = msg.text.lastIndexOf(u'"');
        const qsizetype open = close > 0 ? msg.text.lastIndexOf(u'"', close - 1) : -1;
        if (open >= 0 && isCurrentAttribute(msg.text.mid(open + 1, close - open - 1)))
            return no;
    }
    PageCheckResult &r = c->result;
    (msg.level == PageMessage::Error ? r.errors : r.warnings) += 1;
    if (r.messages.size() < PageCheckResult::MaxMessages)
        r.messages.append(msg);
    else
        ++r.dropped;
    return no;  // collected here; nothing goes to the checker's own report
}

} // namespace

PageCheckResult checkPage(const QString &text)
{
    // The checker keeps its message tables process-wide: one check at a time.
    static QMutex running;
    QMutexLocker lock(&running);

    Collector c;
    TidyDoc doc = tidyCreate();
    if (!doc) {
        c.result.failed = true;
        return c.result;
    }
    tidySetAppData(doc, &c);
    // Autonomous custom elements (<my-card>) are valid HTML: treated as block
    // level they may hold paragraphs and lists without a finding.
    tidyOptSetInt(doc, TidyUseCustomTags, TidyCustomBlocklevel);
    // Warnings are most of what a hand-written page gets wrong (unclosed
    // elements, unknown attributes); errors alone would say little.
    tidyOptSetBool(doc, TidyShowWarnings, yes);
    // No "Parsing...", guessed document type or summary in the report.
    tidyOptSetBool(doc, TidyQuiet, yes);
    // Information lines are not problems; the callback skips them as well,
    // since it hears every message whatever the options say.
    tidyOptSetBool(doc, TidyShowInfo, no);
    // A tab counts as one column, as in the editor, not as spaces up to a tab stop.
    tidyOptSetInt(doc, TidyTabSize, 1);
    // Checking, not repairing: even a badly broken page gets its findings,
    // and the repaired page it would write is never made.
    tidyOptSetBool(doc, TidyForceOutput, no);
    // The editor's text goes in as UTF-8, whatever the page's charset
    // declaration or the file's encoding say.
    tidySetInCharEncoding(doc, "utf8");
    tidySetMessageCallback(doc, onMessage);
    // Anything the checker still writes as a report goes to this buffer, never
    // to the terminal; it is thrown away.
    TidyBuffer errors;
    tidyBufInit(&errors);
    tidySetErrorBuffer(doc, &errors);

    // A buffer of known length rather than a C string, so a NUL character in
    // the text does not end the page early. The checker drops control
    // characters other than tab and line breaks without counting them: a
    // replacement character in their place keeps the columns after them right.
    QByteArray bytes = withoutControls(text).toUtf8();
    TidyBuffer input;
    tidyBufInit(&input);
    tidyBufAttach(&input, reinterpret_cast<byte *>(bytes.data()), uint(bytes.size()));
    if (tidyParseBuffer(doc, &input) >= 0) {
        // The diagnostics need the cleaned tree; it stays in memory only.
        tidyCleanAndRepair(doc);
        tidyRunDiagnostics(doc);
    } else {
        c.result.failed = true;
    }
    tidyBufDetach(&input);
    tidyBufFree(&errors);
    tidyRelease(doc);

    const LineIndex lines(text);
    for (PageMessage &m : c.result.messages)
        m.column = lines.column(text, m.line, m.column);
    return c.result;
}
