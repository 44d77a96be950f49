#pragma once
#include "search/SearchState.h"

#include <QStringView>

// Outcome of Find / Find next and what the window shows for it.
struct FindResult {
    bool found = false;
    int selStart = -1;      // the match, 0-based (1-based position p gives p - 1); -1 when none
    int selLength = 0;      // start text to end text inclusive
    int messageEntry = 0;   // 90 when nothing (more) was found: the next search starts at the top; 0: no message
    int boxStyle = 64;      // information
};

// The next match in text (CR LF counts two positions) from state.FindNextPos.
// On a match FindNextPos moves right after the start text (also when an end text
// made the match longer); on a miss, or a start text without a following end
// text, it goes back to 1. The text is compared lower-cased when FindMatchCase
// is 0; FindStartText and FindEndText are compared as they stand in the state.
FindResult DocFoundTextM(QStringView text, SearchState &state);
