#include "tags/FontSample.h"

namespace {

const QString SampleLetters = QStringLiteral("ABC<br>\u0410\u0411\u0412");

// Same shape as the inserted attribute, but the value escaped.
QString sampleAttribute(const char *name, const QString &value)
{
    if (value.isEmpty())
        return {};
    return QLatin1Char(' ') + QLatin1String(name) + QLatin1String("=\"") + escapeSampleText(value) + QLatin1Char('"');
}

} // namespace

QString escapeSampleText(const QString &text)
{
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&': out += QLatin1String("&amp;"); break;
        case u'<': out += QLatin1String("&lt;"); break;
        case u'>': out += QLatin1String("&gt;"); break;
        case u'"': out += QLatin1String("&quot;"); break;
        case u'\'': out += QLatin1String("&#39;"); break;
        case 0: out += QChar(0xFFFD); break; // a NUL could cut the page short
        default: out += c;
        }
    }
    return out;
}

QString fontSamplePage(const FontFields &f, const QString &bgColor)
{
    const QString font = sampleAttribute("face", f.face) + sampleAttribute("color", f.color)
        + sampleAttribute("size", f.size);
    if (font.isEmpty())
        return QLatin1String("<html><body topmargin=0 leftmargin=0>") + SampleLetters + QLatin1String("</body></html>");
    return QLatin1String("<html><body topmargin=0 leftmargin=0") + sampleAttribute("bgcolor", bgColor)
        + QLatin1String("><font") + font + QLatin1Char('>') + SampleLetters + QLatin1String("</font></body></html>");
}
