#pragma once
#include <QStringView>

// Outcome of going to a line and what the go-to-line window shows for it.
struct GoToLineResult {
    bool found = false;
    int selStart = -1;     // start of the line, 0-based; -1 when the text has fewer lines
    int selLength = 0;     // the line without its line break; 0 (caret only) for a line of 0 or 1 characters
    int messageEntry = 0;  // 105 when the text has fewer lines (the window stays open); 0: no message
    int boxStyle = 16;     // critical
};

namespace GoToLine {

// The value of the line-number field: its leading decimal number (blanks before
// it, a sign, digits, a "." and more digits), 0 when the text starts with none.
// "12abc" is 12, "2.5" is 2.5, "abc" is 0.
double leadingNumber(QStringView field);
// OK is enabled exactly when the field's value is above zero.
bool accepts(QStringView field);
// The line a value above zero goes to: the nearest whole number, halves to the
// even neighbour (2.5 -> 2, 3.5 -> 4); values that round to 0 go to line 1.
qint64 lineNumber(double value);
// Line `line` (1-based) of text, lines counted by CR LF pairs only: a text ending
// with a line break has an empty last line after it.
GoToLineResult find(QStringView text, qint64 line);

} // namespace GoToLine
