// What each kind of text makes of a character: page mark-up, script, style sheet.
#include "editing/SyntaxScanner.h"

namespace syntax {

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

} // namespace syntax
