#pragma once
// The tokenizer's state between two characters, and how it packs into one int.
// Private to SyntaxTokenizer.cpp.

namespace syntax {

// Where the scanner is: one mode, a few flags, packed into the state int.
enum Mode : int {
    // page
    HText, HEntity, HTagName, HInTag, HAttrName, HAfterName, HBeforeValue, HValueDouble, HValueSingle,
    HValueBare, HComment, HDoctype,
    // script
    JCode, JWord, JKeyOp, JKeyValue, JNumber, JStrDouble, JStrSingle, JTemplate, JLineComment,
    JBlockComment, JRegex, JRegexFlags,
    // style sheet
    CSel, CProp, CValue, CWord, CNumber, CAtRule, CComment, CStrDouble, CStrSingle,
};

inline bool isJs(int m) { return m >= JCode && m <= JRegexFlags; }
inline bool isCss(int m) { return m >= CSel; }

// The scanner's state between two characters.
struct State {
    int mode = HText;
    int skip = 0;       // characters left of a construct already recognised (mode's kind)
    bool embedded = false; // script inside a page: "</script" ends it
    bool regexOk = true;   // a '/' here starts a regular expression
    bool escape = false;   // a backslash before this character
    bool cls = false;      // inside [...] of a regular expression
    bool afterDot = false; // a word here is a property name, never a keyword
    bool endTag = false;   // the tag being read is an end tag
    bool nested = false;   // style sheet: the first brace level holds rules (@media)
    bool atRule = false;   // style sheet: an at-rule is being read at the top level
    bool numE = false;     // a number's exponent mark was the last character
    int mark = 0;          // comment end progress: dashes of "-->" or the star of "*/"
    int raw = 0;           // tag being opened: 1 <style>, 2 <script>
    int depth = 0;         // style sheet brace depth (0..3)
    int ret = 0;           // style sheet mode to return to after a comment or string

    // mode 6 bits, skip 6, escape, mark 2; then 6 bits whose meaning depends on the
    // language of the mode (the others are at their defaults there). 21 bits in all.
    int pack() const
    {
        int v = mode | skip << 6 | escape << 12 | mark << 13;
        int f = 0;
        if (isJs(mode))
            f = embedded | regexOk << 1 | cls << 2 | afterDot << 3 | numE << 4;
        else if (isCss(mode))
            f = nested | atRule << 1 | depth << 2 | ret << 4;
        else
            f = endTag | raw << 1;
        return v | f << 15;
    }
    static State unpack(int v)
    {
        State t;
        t.mode = v & 63;
        t.skip = v >> 6 & 63;
        t.escape = v >> 12 & 1;
        t.mark = v >> 13 & 3;
        const int f = v >> 15;
        if (isJs(t.mode)) {
            t.embedded = f & 1;
            t.regexOk = f >> 1 & 1;
            t.cls = f >> 2 & 1;
            t.afterDot = f >> 3 & 1;
            t.numE = f >> 4 & 1;
        } else if (isCss(t.mode)) {
            t.nested = f & 1;
            t.atRule = f >> 1 & 1;
            t.depth = f >> 2 & 3;
            t.ret = f >> 4 & 3;
        } else {
            t.endTag = f & 1;
            t.raw = f >> 1 & 3;
        }
        return t;
    }
};

} // namespace syntax
