#include "editing/SyntaxTokenizer.h"
#include "editing/SyntaxScanner.h"

#include <array>
#include <string_view>

namespace {

using namespace syntax;

constexpr std::array<std::u16string_view, 31> operatorKeywords = {
    u"break", u"case", u"catch", u"class", u"const", u"continue", u"debugger", u"default", u"delete", u"do",
    u"else", u"export", u"extends", u"finally", u"for", u"function", u"if", u"import", u"in", u"instanceof",
    u"let", u"new", u"return", u"switch", u"throw", u"try", u"typeof", u"var", u"void", u"while", u"yield"};
// After these a '/' divides.
constexpr std::array<std::u16string_view, 9> valueKeywords = {
    u"this", u"true", u"false", u"null", u"undefined", u"super", u"await", u"with", u"static"};

} // namespace

namespace syntax {

SyntaxKind Scanner::modeKind() const
{
    switch (s.mode) {
    case HEntity: return SyntaxKind::Entity;
    case HTagName: return SyntaxKind::Tag;
    case HComment: case JLineComment: case JBlockComment: case CComment: return SyntaxKind::Comment;
    default: return SyntaxKind::Plain;
    }
}

bool Scanner::matchesName(qsizetype j, std::u16string_view name) const
{
    for (char16_t n : name)
        if ((at(j++) | 0x20) != n)
            return false;
    return !isNameChar(at(j));
}

bool Scanner::closesRawText(qsizetype i) const
{
    return at(i + 1) == u'/' && matchesName(i + 2, isCss(s.mode) ? u"style" : u"script");
}

int Scanner::keywordAt(qsizetype i) const
{
    char16_t word[12];
    int n = 0;
    for (char16_t c = at(i); isIdentChar(c); c = at(i + n)) {
        if (n == 11)
            return 0;
        word[n++] = c;
    }
    const std::u16string_view w(word, n);
    for (auto k : operatorKeywords)
        if (k == w)
            return 1;
    for (auto k : valueKeywords)
        if (k == w)
            return 2;
    return 0;
}

void Scanner::closeTag()
{
    const bool open = !s.endTag;
    const int raw = s.raw;
    s = State{};
    if (open && raw == 1) {
        s.mode = CSel;
    } else if (open && raw == 2) {
        s.mode = JCode;
        s.embedded = true;
    }
}

void Scanner::openBrace()
{
    if (s.mode == CSel && s.depth == 0 && s.atRule) {
        s.depth = 1;
        s.nested = true;
        s.mode = CSel;
    } else {
        s.depth = std::min(s.depth + 1, 3);
        s.mode = CProp;
    }
    s.atRule = false;
}

void Scanner::closeBrace()
{
    s.depth = std::max(s.depth - 1, 0);
    if (s.depth == 0)
        s.nested = false;
    s.mode = s.depth == 0 || (s.depth == 1 && s.nested) ? CSel : CProp;
}

bool Scanner::step(qsizetype i, SyntaxKind &k)
{
    k = SyntaxKind::Plain;
    if (s.skip > 0) {
        k = modeKind();
        if (--s.skip == 0 && s.mode == HEntity)
            s.mode = HText;
        return true;
    }
    const char16_t c = m_text[i].unicode();
    // Inside <style> and <script> only the matching end tag ends the raw text,
    // wherever it stands (even in a string or a comment).
    if (c == u'<' && (isCss(s.mode) || (isJs(s.mode) && s.embedded)) && closesRawText(i)) {
        s = State{};
        s.mode = HTagName;
        s.endTag = true;
        s.skip = 1;
        k = SyntaxKind::Tag;
        return true;
    }
    if (isJs(s.mode))
        return script(i, c, k);
    if (isCss(s.mode))
        return style(i, c, k);
    return page(i, c, k);
}

void Scanner::endLine()
{
    s.skip = 0;
    switch (s.mode) {
    case JLineComment: s.mode = JCode; break;
    case JStrDouble:
    case JStrSingle:
        // A backslash before the line break continues the string.
        if (s.escape)
            s.escape = false;
        else
            s.mode = JCode, s.regexOk = false;
        break;
    case JRegex:
    case JRegexFlags:
    case JNumber: s.mode = JCode; s.regexOk = false; break;
    case JWord:
    case JKeyOp:
    case JKeyValue: endWord(); break;
    case HTagName:
    case HValueBare: s.mode = HInTag; break;
    case HAttrName: s.mode = HAfterName; break;
    case HEntity: s.mode = HText; break;
    case CWord:
    case CNumber: s.mode = CValue; break;
    case CAtRule: s.mode = CSel; break;
    case CStrDouble:
    case CStrSingle: s.mode = s.ret == 0 ? CSel : s.ret == 1 ? CProp : CValue; break;
    default: break;
    }
}

} // namespace syntax

int SyntaxTokenizer::initialState(SyntaxLanguage language)
{
    State s;
    if (language == SyntaxLanguage::Script)
        s.mode = JCode;
    return s.pack();
}

SyntaxContext SyntaxTokenizer::contextOf(int state)
{
    const State s = State::unpack(std::max(state, 0));
    if (isJs(s.mode))
        return SyntaxContext::Script;
    if (isCss(s.mode))
        return SyntaxContext::Style;
    switch (s.mode) {
    case HTagName: case HInTag: case HAttrName: case HAfterName: case HBeforeValue: return SyntaxContext::Tag;
    case HValueDouble: case HValueSingle: case HValueBare: return SyntaxContext::AttributeValue;
    case HComment: return SyntaxContext::Comment;
    case HDoctype: return SyntaxContext::Doctype;
    default: return SyntaxContext::Text;
    }
}

int SyntaxTokenizer::scan(QStringView text, int state, std::vector<SyntaxToken> *out, bool endsLine,
                          QStringView following)
{
    Scanner sc(text, endsLine ? QStringView() : following, State::unpack(std::max(state, 0)));
    SyntaxKind run = SyntaxKind::Plain;
    int runStart = 0;
    const int n = int(text.size());
    for (int i = 0; i < n;) {
        SyntaxKind k;
        if (!sc.step(i, k))
            continue;
        if (k != run) {
            if (out && run != SyntaxKind::Plain)
                out->push_back({runStart, i - runStart, run});
            run = k;
            runStart = i;
        }
        ++i;
    }
    if (out && run != SyntaxKind::Plain)
        out->push_back({runStart, n - runStart, run});
    if (endsLine)
        sc.endLine();
    return sc.state().pack();
}
