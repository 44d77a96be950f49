#pragma once
#include "common/TextChange.h"
#include "search/SearchState.h"

#include <QString>
#include <QStringView>
#include <utility>
#include <vector>

// Outcome of replacing in one document.
struct ReplaceResult {
    int count = 0;     // replacements made; 0 means the document must not be touched
    // When count > 0: one range covering every replaced span. At change.pos,
    // change.removed (the old text of that range) becomes change.inserted. The
    // editor applies it as one replacement and the undo history keeps it as one step.
    TextChange change;
    // Each replaced span as (offset into change.removed, length), in order: the
    // undo history keeps the change in this form instead of the whole new range.
    std::vector<std::pair<int, int>> spans;

    // The whole text after the change (text as it was before).
    QString applyTo(QStringView text) const;
};

// Replaces the first match (all false) or every match in text, with the spans the
// find window's loop would replace: sought lower-cased when FindMatchCase is 0,
// each search resuming right after the previous replacement (never inside it),
// an end text sought from the first character of the start text, and the loop
// ending at a start text without a following end text. The replacement is
// ReplaceText as typed. Built in one pass over the text. Adds count to
// state.ReplaceCount. An empty start text replaces nothing.
ReplaceResult ReplaceInDocument(QStringView text, SearchState &state, bool all);
