#pragma once
// The tokenizer's scanner, shared by its two source files; not for other callers.
#include "editing/SyntaxState.h"
#include "editing/SyntaxTokenizer.h"

#include <QChar>
#include <string_view>

namespace syntax {

inline bool isSpace(char16_t c) { return c == u' ' || c == u'\t' || c == 0xA0 || c == u'\r' || c == u'\n' || c == 0x3000; }
inline bool isAsciiLetter(char16_t c) { return (c | 0x20) >= u'a' && (c | 0x20) <= u'z'; }
inline bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
inline bool isIdentStart(char16_t c)
{
    return isAsciiLetter(c) || c == u'_' || c == u'$' || (c > 127 && QChar(c).isLetter());
}
inline bool isIdentChar(char16_t c) { return isIdentStart(c) || isDigit(c); }
inline bool isNameChar(char16_t c) { return isAsciiLetter(c) || isDigit(c) || c == u'-' || c == u'_' || c == u':'; }
inline bool isCssIdent(char16_t c) { return isIdentChar(c) || c == u'-'; }

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

} // namespace syntax
