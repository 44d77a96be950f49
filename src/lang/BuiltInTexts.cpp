// The English texts the program shows wherever no language file has given an
// entry. Made from resources/Language/English.txt; test_lang_core checks that the
// two agree, so a change to one needs the same change to the other.
#include "lang/BuiltInTexts.h"

#include <iterator>

namespace {

// Index = entry number; index 0 is unused.
constexpr const char16_t *kEntries[] = {
    u"",
    /*   1 */ u"Editor",
    /*   2 */ u"Untitled",
    /*   3 */ u"&File",
    /*   4 */ u"&New",
    /*   5 */ u"&Open...",
    /*   6 */ u"&Save",
    /*   7 */ u"Save &As...",
    /*   8 */ u"Save Pro&ject",
    /*   9 */ u"Save Projec&t As...",
    /*  10 */ u"E&xit",
    /*  11 */ u"New page",
    /*  12 */ u"&Edit",
    /*  13 */ u"&Undo",
    /*  14 */ u"&Redo",
    /*  15 */ u"Cu&t",
    /*  16 */ u"&Copy",
    /*  17 */ u"&Paste",
    /*  18 */ u"&Delete",
    /*  19 */ u"Select &All",
    /*  20 */ u"&Find...",
    /*  21 */ u"Find &Next",
    /*  22 */ u"R&eplace...",
    /*  23 */ u"&Word Wrap",
    /*  24 */ u"F&ont...",
    /*  25 */ u"Switch &Keyboard Layout",
    /*  26 */ u"&Tags",
    /*  27 */ u"Tag &List",
    /*  28 */ u"&Table",
    /*  29 */ u"&Font",
    /*  30 */ u"&Image",
    /*  31 */ u"Lin&k",
    /*  32 */ u"&Media",
    /*  33 */ u"&Object",
    /*  34 */ u"&Parameter",
    /*  35 */ u"&Scrolling Text",
    /*  36 */ u"F&orms",
    /*  37 */ u"&Form",
    /*  38 */ u"&Text Area",
    /*  39 */ u"&Drop-down List",
    /*  40 */ u"Select &Color...",
    /*  41 */ u"Check Tag &Brackets",
    /*  42 */ u"&Go to Line...",
    /*  43 */ u"&Encode Text as Character Codes...",
    /*  44 */ u"&Project",
    /*  45 */ u"Project &Files",
    /*  46 */ u"Open &All Files",
    /*  47 */ u"&Close All Files",
    /*  48 */ u"A&dd File...",
    /*  49 */ u"&Remove File",
    /*  50 */ u"&Options",
    /*  51 */ u"&Toolbar",
    /*  52 */ u"Tag &List When Typing <",
    /*  53 */ u"&Window",
    /*  54 */ u"&Cascade",
    /*  55 */ u"Tile &Horizontally",
    /*  56 */ u"Tile &Vertically",
    /*  57 */ u"&Arrange Icons",
    /*  58 */ u"&Help",
    /*  59 */ u"&Help Contents",
    /*  60 */ u"&Share",
    /*  61 */ u"&About Kodoplet",
    /*  62 */ u"New project",
    /*  63 */ u"Background image of the page (file or address)",
    /*  64 */ u"Background sound of the page (file or address)",
    /*  65 */ u"Background color",
    /*  66 */ u"Text color",
    /*  67 */ u"Link color",
    /*  68 */ u"Visited link color",
    /*  69 */ u"Active link color",
    /*  70 */ u"&Cancel",
    /*  71 */ u"Border width in pixels",
    /*  72 */ u"Space between cells in pixels",
    /*  73 */ u"Space between a cell's border and its content",
    /*  74 */ u"Width in pixels or percent",
    /*  75 */ u"Height in pixels or percent",
    /*  76 */ u"&Text:",
    /*  77 */ u"Re&place with:",
    /*  78 */ u"Replace &All",
    /*  79 */ u"In all open &documents",
    /*  80 */ u"&Match case",
    /*  81 */ u"Select language",
    /*  82 */ u"Language file:",
    /*  83 */ u"Image file or address",
    /*  84 */ u"Text shown in place of the image",
    /*  85 */ u"Horizontal space around the image in pixels",
    /*  86 */ u"Select language",
    /*  87 */ u"Languages:",
    /*  88 */ u"Project name:",
    /*  89 */ u"&End text:",
    /*  90 */ u"No more matches found.",
    /*  91 */ u"Replacements made: ",
    /*  92 */ u"already exists.",
    /*  93 */ u"Do you want to replace it?",
    /*  94 */ u"cannot be written: access is denied or the folder does not exist.",
    /*  95 */ u"could not be saved.",
    /*  96 */ u"was not found.",
    /*  97 */ u"cannot be opened.",
    /*  98 */ u"Save the changes to this document?",
    /*  99 */ u"All files of the project have been opened.",
    /* 100 */ u"All angle brackets are balanced.",
    /* 101 */ u"A bracket is missing:",
    /* 102 */ u"The project has changed. Save it?",
    /* 103 */ u"Remove this file from the project?",
    /* 104 */ u"Line number:",
    /* 105 */ u"There is no line with this number.",
    /* 106 */ u"Open All Files in a Fo&lder...",
};
static_assert(std::size(kEntries) == BuiltInTexts::LastEntry + 1);

} // namespace

namespace BuiltInTexts {

QString languageName() { return QStringLiteral("English"); }

QString helpFile() { return QStringLiteral("Help/help_en.html"); }

QString extraText(int entry)
{
    static const char16_t *const extra[] = {
        /* 110 */ u"Syntax &Highlighting",
        /* 111 */ u"Line &Numbers",
        /* 112 */ u"&Status Bar",
        /* 113 */ u"Ln %1, Col %2",
        /* 114 */ u"Encoding of the file. Click to save it with another one from now on.",
        /* 115 */ u"Line breaks of the file. Click to save it with others from now on.",
        /* 116 */ u"Modified",
        /* 117 */ u"Font: %1 is not installed, the editor shows %2",
        /* 118 */ u"Recover Unsaved Documents",
        /* 119 */ u"These documents had changes that were not saved when the program last ended:",
        /* 120 */ u"&Recover",
        /* 121 */ u"&Discard",
        /* 122 */ u"&Later",
        /* 123 */ u"%1 (%2, %3 characters)",
        /* 124 */ u"%1: damaged, skipped",
        /* 125 */ u"These files have changed on disk since their unsaved text was kept. The recovered text is shown; the file stays as it is until you save:",
        /* 126 */ u"These files are no longer on disk. The recovered text is shown; saving writes the file again:",
        /* 127 */ u"Unsaved text cannot be kept for recovery in this folder:",
        nullptr, nullptr, // 128-129
        /* 130 */ u"%1 was changed by another program.",
        /* 131 */ u"Reload",
        /* 132 */ u"Keep Mine",
        /* 133 */ u"%1 was deleted by another program. Its text stays here; saving writes the file again.",
        /* 134 */ u"OK",
        /* 135 */ u"%1 was changed by another program and has been reloaded. Undo brings back the text before.",
        /* 136 */ u"%1 was changed by another program since it was opened or saved here.",
        /* 137 */ u"Overwrite it with this text? No saves this text under another name.",
        /* 138 */ u"%1 was deleted by another program.",
        /* 139 */ u"Save this text there again?",
        /* 140 */ u"Page declares %1",
        /* 141 */ u"The page's charset declaration differs from the encoding it is saved in, so browsers will show it wrongly. Choose the encoding here, or change the declaration.",
        /* 142 */ u"&Encoding...",
        /* 143 */ u"Line &Breaks...",
        /* 144 */ u"&Close Tags When Typing",
        /* 145 */ u"&Auto-Indent",
        /* 146 */ u"Zoom &In",
        /* 147 */ u"Zoom &Out",
        /* 148 */ u"&Reset Zoom",
        /* 149 */ u"Go to Matc&hing Tag",
        /* 150 */ u"Select Eleme&nt",
        /* 151 */ u"Live Preview",
        /* 152 */ u"Recent &Files",
        /* 153 */ u"&Clear List",
        /* 154 */ u"Reopen &Pages at Start",
        /* 155 */ u"Code - HTML",
        /* 156 */ u"Script",
        /* 157 */ u"Language:",
        /* 158 */ u"HTML Document",
        /* 159 */ u"All Files",
        /* 160 */ u"Web Project",
        /* 161 */ u"Version %1",
        /* 162 */ u"An editor for hand-written web pages.",
        /* 163 */ u"Kodoplet is an editor for hand-written web pages and scripts: the mark-up is edited as plain text, with help for inserting HTML tags, a rendered preview of the page, find and replace of spans, and projects that group the files of a site.",
        /* 164 */ u"Keyboard shortcuts",
        /* 165 */ u"Complete HTML Attri&butes",
    };
    const int i = entry - 110;
    if (i < 0 || i >= int(std::size(extra)) || !extra[i])
        return QString();
    return QString::fromUtf16(extra[i]);
}

QString text(int entry)
{
    if (entry < 1 || entry > LastEntry)
        return QString();
    return QString::fromUtf16(kEntries[entry]);
}

} // namespace BuiltInTexts
