#pragma once
#include <QString>
#include <vector>

// The editor's text as copied out on the editor's thread (the cheap part) and
// made into the text (CR LF) later, on any thread.
struct DocTextCopy {
    QString raw;                  // the widget's raw text, or the text itself when done
    std::vector<int> softBlocks;  // blocks ending at a cut of a long line
    bool done = false;            // raw already is the text
    // What follows, already in its final form, from tailFrom on: the part of a big
    // text still coming into the editor (shared, not copied).
    QString tail;
    qsizetype tailFrom = 0;
    bool lineSeparators = false;  // the widget's line separators are line breaks

    QString text() const;
};
