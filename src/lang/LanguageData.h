#pragma once
#include <QString>

// What one language file holds: its two header fields and the texts of entries
// 1 to LastEntry (index = entry number; index 0 is unused). An entry the file left out
// has present[n] == false and an empty text.
struct LanguageData {
    static constexpr int FirstEntry = 1;
    static constexpr int LastEntry = 210;
    static constexpr int EntryCount = LastEntry + 1;

    QString languageName;   // field 1, listed by the language chooser
    QString helpFile;       // field 2, relative to the program folder
    QString entries[EntryCount];
    bool present[EntryCount] = {};

    // The text of entry n, or "" when n is out of range or the file left it out.
    QString entry(int n) const
    {
        return n >= FirstEntry && n <= LastEntry ? entries[n] : QString();
    }
    bool has(int n) const { return n >= FirstEntry && n <= LastEntry && present[n]; }
    // True when the file gave at least one entry 1..106.
    bool hasRecords() const
    {
        for (int n = FirstEntry; n <= LastEntry; ++n) {
            if (present[n])
                return true;
        }
        return false;
    }
};
