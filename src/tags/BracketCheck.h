#pragma once
#include <QString>

// Outcome of the closing-tag check and what the window shows for it.
struct BracketCheckResult {
    enum Kind {
        Balanced,
        MissingClose, // a "<" is not closed before the next "<" or the end
        MissingOpen,  // a ">" stands without an open "<"
    };
    Kind kind = Balanced;
    int selStart = -1;     // the offending bracket, 0-based; -1 when nothing is selected
    int selLength = 0;
    int messageEntry = 100; // language entry of the message
    QString messageSuffix;  // appended to the message: " \">\"" or " \"<\""
    int boxStyle = 64;      // information (64) or critical (16)
};

// Counts angle brackets only: no tag names, quotes or comments are understood.
// One pass, stops at the first fault.
BracketCheckResult checkBrackets(const QString &text);
