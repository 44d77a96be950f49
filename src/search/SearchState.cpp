#include "search/SearchState.h"

#include "search/CaseFold.h"

void SearchState::AddToHistory(const QString &text)
{
    if (!text.isEmpty() && !FindHistory.contains(text, Qt::CaseSensitive))
        FindHistory.append(text);
}

void SearchState::takeTexts(const QString &startText, const QString &endText)
{
    FindStartText = startText;
    FindEndText = endText;
    FindEndLength = int(endText.size());
    if (FindMatchCase == 0) {
        FindStartText = CaseFold::lower(startText);
        FindEndText = CaseFold::lower(endText);
    }
}

void SearchState::prepareFind(const QString &startText, const QString &endText)
{
    takeTexts(startText, endText);
    AddToHistory(startText);
    if (FindEndLength > 0)
        AddToHistory(endText);
    FindNextPos = 1;
}

void SearchState::prepareReplace(const QString &startText, const QString &endText, const QString &replacement)
{
    takeTexts(startText, endText);
    ReplaceText = replacement;
    AddToHistory(startText);
    AddToHistory(replacement);
    if (FindEndLength > 0)
        AddToHistory(endText);
    ReplaceCount = 0;
}
