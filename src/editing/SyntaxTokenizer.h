#pragma once
#include <QStringView>
#include <cstdint>
#include <vector>

// What a run of characters is, for colouring. Plain runs produce no token.
enum class SyntaxKind : std::uint8_t {
    Plain,
    Tag,             // tag names and their brackets; CSS selectors
    AttributeName,   // attribute names; CSS property names
    AttributeValue,  // attribute values; CSS value words
    Entity,          // &amp; &#160;
    Comment,         // <!-- -->, /* */, //
    Doctype,         // <!DOCTYPE ...>, <? ... ?>
    Keyword,         // JavaScript keywords; CSS at-rules
    String,
    Number,
    RegExp,
};

enum class SyntaxLanguage { Page, Script };

// Where a state stands in a page, for the rules that act on mark-up as it is typed.
enum class SyntaxContext { Text, Tag, AttributeValue, Comment, Doctype, Script, Style };

struct SyntaxToken {
    int start;
    int length;
    SyntaxKind kind;
    bool operator==(const SyntaxToken &o) const = default;
};

// A resumable tokenizer for pages (HTML with CSS in <style> and JavaScript in
// <script>) and scripts (JavaScript). Its whole state between two characters is
// one int >= 0, so the editor keeps it in each block and rescans one block alone.
// The editor may cut a long line into pieces anywhere, so a scan may stop and
// resume at any character: scanning A then B (A's end state, A told what follows)
// gives the same state and the same character kinds as scanning A+B at once.
// Constructs recognised by looking ahead (a keyword, "<!--", "&amp;", "</script")
// look at most LookAhead characters on, never past a real line end.
class SyntaxTokenizer {
public:
    static constexpr int LookAhead = 40;

    static int initialState(SyntaxLanguage language);
    // What the text at a state is: plain page text, inside a tag (outside its
    // values), a quoted or bare value, a comment, a doctype, a script or a style sheet.
    static SyntaxContext contextOf(int state);

    // Scans text starting in state; appends the non-plain runs to out (when not
    // null) with starts relative to text, and returns the state after it.
    // endsLine: text ends a real line (a // comment, a quoted JavaScript string or a
    // regular expression ends there). following: when text does not end a line,
    // the characters after it (the next piece of the line), for looking ahead.
    static int scan(QStringView text, int state, std::vector<SyntaxToken> *out, bool endsLine = true,
                    QStringView following = {});
};
