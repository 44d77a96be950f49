#include "editing/SyntaxTokenizer.h"
#include "editing/SyntaxState.h"

#include <array>
#include <string_view>

namespace {

using namespace syntax;

bool isSpace(char16_t c) { return c == u' ' || c == u'\t' || c == 0xA0 || c == u'\r' || c == u'\n' || c == 0x3000; }
bool isAsciiLetter(char16_t c) { return (c | 0x20) >= u'a' && (c | 0x20) <= u'z'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isIdentStart(char16_t c)
{
    return isAsciiLetter(c) || c == u'_' || c == u'$' || (c > 127 && QChar(c).isLetter());
}
bool isIdentChar(char16_t c) { return isIdentStart(c) || isDigit(c); }
bool isNameChar(char16_t c) { return isAsciiLetter(c) || isDigit(c) || c == u'-' || c == u'_' || c == u':'; }
bool isCssIdent(char16_t c) { return isIdentChar(c) || c == u'-'; }

constexpr std::array<std::u16string_view, 31> operatorKeywords = {
    u"break", u"case", u"catch", u"class", u"const", u"continue", u"debugger", u"default", u"delete", u"do",
    u"else", u"export", u"extends", u"finally", u"for", u"function", u"if", u"import", u"in", u"instanceof",
    u"let", u"new", u"return", u"switch", u"throw", u"try", u"typeof", u"var", u"void", u"while", u"yield"};
// After these a '/' divides.
constexpr std::array<std::u16string_view, 9> valueKeywords = {
    u"this", u"true", u"false", u"null", u"undefined", u"super", u"await", u"with", u"static"};

class Scanner {
public:
    Scanner(QStringView text, QStringView following, State s) : m_text(text), m_next(following), s(s) {}

    // The character at j, looking into the following text past the end; 0 past both.
    char16_t at(qsizetype j) const
    {
        if (j < m_text.size())
            return m_text[j].unicode();
        j -= m_text.size();
        return j < m_next.size() && j < SyntaxTokenizer::LookAhead ? m_next[j].unicode() : 0;
    }

    // Kind of the character at i; false when the mode changed and it must be read again.
    bool step(qsizetype i, SyntaxKind &k);
    void endLine();
    State state() const { return s; }

private:
    SyntaxKind modeKind() const;
    bool page(qsizetype i, char16_t c, SyntaxKind &k);
    bool script(qsizetype i, char16_t c, SyntaxKind &k);
    bool style(qsizetype i, char16_t c, SyntaxKind &k);
    bool closesRawText(qsizetype i) const;
    bool matchesName(qsizetype j, std::u16string_view name) const;
    int keywordAt(qsizetype i) const;
    void closeTag();
    void openBrace();
    void closeBrace();
    void endWord() { s.regexOk = s.mode == JKeyOp; s.mode = JCode; }

    QStringView m_text;
    QStringView m_next;
    State s;
};

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

bool Scanner::page(qsizetype i, char16_t c, SyntaxKind &k)
{
    switch (s.mode) {
    case HText:
        if (c == u'<') {
            const char16_t c1 = at(i + 1);
            if (isAsciiLetter(c1)) {
                s.mode = HTagName;
                s.raw = matchesName(i + 1, u"style") ? 1 : matchesName(i + 1, u"script") ? 2 : 0;
                k = SyntaxKind::Tag;
            } else if (c1 == u'/' && isAsciiLetter(at(i + 2))) {
                s.mode = HTagName;
                s.endTag = true;
                s.skip = 1;
                k = SyntaxKind::Tag;
            } else if (c1 == u'!' && at(i + 2) == u'-' && at(i + 3) == u'-') {
                s.mode = HComment;
                s.skip = 3;
                s.mark = 0;
                k = SyntaxKind::Comment;
            } else if (c1 == u'!' || c1 == u'?') {
                s.mode = HDoctype;
                k = SyntaxKind::Doctype;
            }
        } else if (c == u'&') {
            qsizetype j = i + 1;
            while (j - i <= 32 && (isAsciiLetter(at(j)) || isDigit(at(j)) || at(j) == u'#'))
                ++j;
            if (j > i + 1 && at(j) == u';') {
                s.mode = HEntity;
                s.skip = int(j - i);
                k = SyntaxKind::Entity;
            }
        }
        return true;
    case HTagName:
        if (isNameChar(c)) {
            k = SyntaxKind::Tag;
            return true;
        }
        s.mode = HInTag;
        return false;
    case HInTag:
        if (c == u'>') {
            closeTag();
            k = SyntaxKind::Tag;
        } else if (c == u'/') {
            k = SyntaxKind::Tag;
        } else if (!isSpace(c)) {
            s.mode = HAttrName;
            return false;
        }
        return true;
    case HAttrName:
        if (isSpace(c) || c == u'=' || c == u'>' || c == u'/') {
            s.mode = HAfterName;
            return false;
        }
        k = SyntaxKind::AttributeName;
        return true;
    case HAfterName:
        if (c == u'=')
            s.mode = HBeforeValue;
        else if (c == u'>' || c == u'/')
            s.mode = HInTag;
        else if (!isSpace(c))
            s.mode = HAttrName;
        return isSpace(c) || c == u'=';
    case HBeforeValue:
        if (isSpace(c))
            return true;
        if (c == u'>') {
            s.mode = HInTag;
            return false;
        }
        k = SyntaxKind::AttributeValue;
        s.mode = c == u'"' ? HValueDouble : c == u'\'' ? HValueSingle : HValueBare;
        return s.mode != HValueBare;
    case HValueDouble:
    case HValueSingle:
        k = SyntaxKind::AttributeValue;
        if (c == (s.mode == HValueDouble ? u'"' : u'\''))
            s.mode = HInTag;
        return true;
    case HValueBare:
        if (isSpace(c) || c == u'>') {
            s.mode = HInTag;
            return false;
        }
        k = SyntaxKind::AttributeValue;
        return true;
    case HComment:
        k = SyntaxKind::Comment;
        if (c == u'>' && s.mark == 2)
            s = State{};
        else
            s.mark = c == u'-' ? std::min(s.mark + 1, 2) : 0;
        return true;
    case HDoctype:
        k = SyntaxKind::Doctype;
        if (c == u'>')
            s.mode = HText;
        return true;
    default:
        s.mode = HText;
        return false;
    }
}

bool Scanner::script(qsizetype i, char16_t c, SyntaxKind &k)
{
    switch (s.mode) {
    case JCode:
        if (isSpace(c))
            return true;
        if (c == u'"' || c == u'\'' || c == u'`') {
            s.mode = c == u'"' ? JStrDouble : c == u'\'' ? JStrSingle : JTemplate;
            s.escape = false;
            k = SyntaxKind::String;
        } else if (c == u'/' && (at(i + 1) == u'/' || at(i + 1) == u'*')) {
            s.mode = at(i + 1) == u'/' ? JLineComment : JBlockComment;
            s.skip = 1;
            s.mark = 0;
            k = SyntaxKind::Comment;
        } else if (c == u'/' && s.regexOk) {
            s.mode = JRegex;
            s.escape = s.cls = false;
            k = SyntaxKind::RegExp;
        } else if (isDigit(c) || (c == u'.' && isDigit(at(i + 1)))) {
            s.mode = JNumber;
            s.numE = false;
            k = SyntaxKind::Number;
        } else if (isIdentStart(c)) {
            const int keyword = s.afterDot ? 0 : keywordAt(i);
            s.mode = keyword == 1 ? JKeyOp : keyword == 2 ? JKeyValue : JWord;
            k = keyword ? SyntaxKind::Keyword : SyntaxKind::Plain;
        } else {
            s.regexOk = c != u')' && c != u']';
        }
        s.afterDot = c == u'.' && s.mode == JCode;
        return true;
    case JWord:
    case JKeyOp:
    case JKeyValue:
        if (!isIdentChar(c)) {
            endWord();
            return false;
        }
        k = s.mode == JWord ? SyntaxKind::Plain : SyntaxKind::Keyword;
        return true;
    case JNumber:
        if (isIdentChar(c) || c == u'.' || ((c == u'+' || c == u'-') && s.numE)) {
            s.numE = (c == u'e' || c == u'E') && !s.numE;
            k = SyntaxKind::Number;
            return true;
        }
        s.mode = JCode;
        s.regexOk = false;
        return false;
    case JStrDouble:
    case JStrSingle:
    case JTemplate:
        k = SyntaxKind::String;
        if (s.escape)
            s.escape = false;
        else if (c == u'\\')
            s.escape = true;
        else if (c == (s.mode == JStrDouble ? u'"' : s.mode == JStrSingle ? u'\'' : u'`')) {
            s.mode = JCode;
            s.regexOk = false;
        }
        return true;
    case JLineComment:
        k = SyntaxKind::Comment;
        return true;
    case JBlockComment:
        k = SyntaxKind::Comment;
        if (c == u'/' && s.mark)
            s.mode = JCode;
        s.mark = c == u'*';
        return true;
    case JRegex:
        k = SyntaxKind::RegExp;
        if (s.escape)
            s.escape = false;
        else if (c == u'\\')
            s.escape = true;
        else if (c == u'[' || c == u']')
            s.cls = c == u'[';
        else if (c == u'/' && !s.cls)
            s.mode = JRegexFlags;
        return true;
    default: // JRegexFlags
        if (isAsciiLetter(c)) {
            k = SyntaxKind::RegExp;
            return true;
        }
        s.mode = JCode;
        s.regexOk = false;
        return false;
    }
}

bool Scanner::style(qsizetype i, char16_t c, SyntaxKind &k)
{
    static constexpr int retMode[] = {CSel, CProp, CValue, CSel};
    const bool level = s.mode == CSel || s.mode == CProp || s.mode == CValue;
    if (level && (c == u'"' || c == u'\'')) {
        s.ret = s.mode - CSel;
        s.mode = c == u'"' ? CStrDouble : CStrSingle;
        s.escape = false;
        k = SyntaxKind::String;
        return true;
    }
    if (level && c == u'/' && at(i + 1) == u'*') {
        s.ret = s.mode - CSel;
        s.mode = CComment;
        s.skip = 1;
        s.mark = 0;
        k = SyntaxKind::Comment;
        return true;
    }
    if (level && (c == u'{' || c == u'}')) {
        c == u'{' ? openBrace() : closeBrace();
        return true;
    }
    if (level && isSpace(c))
        return true;
    switch (s.mode) {
    case CSel:
        if (c == u'@') {
            s.mode = CAtRule;
            s.atRule = true;
            k = SyntaxKind::Keyword;
        } else if (c == u';') {
            s.atRule = false;
        } else if (!s.atRule && (isCssIdent(c) || c == u'.' || c == u'#' || c == u':' || c == u'*')) {
            k = SyntaxKind::Tag;
        }
        return true;
    case CProp:
        if (c == u':')
            s.mode = CValue;
        else if (c != u';')
            k = SyntaxKind::AttributeName;
        return true;
    case CValue:
        if (c == u';') {
            s.mode = CProp;
        } else if (isDigit(c) || c == u'#' || ((c == u'.' || c == u'-' || c == u'+') && isDigit(at(i + 1)))) {
            s.mode = CNumber;
            k = SyntaxKind::Number;
        } else if (isIdentStart(c) || c == u'-') {
            s.mode = CWord;
            k = SyntaxKind::AttributeValue;
        }
        return true;
    case CWord:
    case CNumber:
        if (s.mode == CWord ? isCssIdent(c) : (isIdentChar(c) || c == u'.' || c == u'%')) {
            k = s.mode == CWord ? SyntaxKind::AttributeValue : SyntaxKind::Number;
            return true;
        }
        s.mode = CValue;
        return false;
    case CAtRule:
        if (isCssIdent(c)) {
            k = SyntaxKind::Keyword;
            return true;
        }
        s.mode = CSel;
        return false;
    case CComment:
        k = SyntaxKind::Comment;
        if (c == u'/' && s.mark)
            s.mode = retMode[s.ret];
        s.mark = c == u'*';
        return true;
    default: // CStrDouble, CStrSingle
        k = SyntaxKind::String;
        if (s.escape)
            s.escape = false;
        else if (c == u'\\')
            s.escape = true;
        else if (c == (s.mode == CStrDouble ? u'"' : u'\''))
            s.mode = retMode[s.ret];
        return true;
    }
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

} // namespace

int SyntaxTokenizer::initialState(SyntaxLanguage language)
{
    State s;
    if (language == SyntaxLanguage::Script)
        s.mode = JCode;
    return s.pack();
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
