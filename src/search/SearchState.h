#pragma once
#include <QString>
#include <QStringList>

// The find window's state that outlives it: kept for as long as the program runs,
// never saved. Positions are 1-based here, as the find and replace loops count them.
struct SearchState {
    QString FindStartText;   // start text of the last Find or Replace; lower-cased when match case is off
    QString FindEndText;     // end text, lower-cased likewise; empty when there is none
    int FindEndLength = 0;   // length of FindEndText; 0 means no end text
    int FindNextPos = 1;     // where the next Find next begins; back to 1 after Find and after a miss
    int FindMatchCase = 0;   // 1: match case (chRegistr), 0: case ignored
    QStringList FindHistory; // texts of earlier searches, oldest first, no two equal
    QString ReplaceText;     // replacement of the last Replace, as typed
    int ReplaceCount = 0;    // replacements made by the current Replace, summed over documents

    // Highest index in use in FindHistory; -1 while it is empty.
    int FindHistoryLast() const { return int(FindHistory.size()) - 1; }
    // Appends text unless an equal string (case-sensitive) is already there.
    // Empty texts are not kept.
    void AddToHistory(const QString &text);

    // What Find does before searching: takes the texts (history: start, then end),
    // lower-cases them when match case is off, and starts at the top.
    void prepareFind(const QString &startText, const QString &endText);
    // What both Replace buttons do before replacing: takes the texts (history:
    // start, replacement, end), lower-cases start and end when match case is off,
    // keeps the replacement as typed and sets ReplaceCount to 0. FindNextPos stays.
    void prepareReplace(const QString &startText, const QString &endText, const QString &replacement);

private:
    void takeTexts(const QString &startText, const QString &endText);
};
