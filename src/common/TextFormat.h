#pragma once

// How a document's file is stored on disk; the program's own text always uses CR LF.
enum class TextEncoding { Windows1251, Utf8, Utf8Bom };
enum class LineBreak { CrLf, Lf, Cr };

struct TextFormat {
    TextEncoding encoding = TextEncoding::Windows1251;
    LineBreak lineBreak = LineBreak::CrLf;
};
