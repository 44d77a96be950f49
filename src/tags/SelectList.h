#pragma once
#include "tags/DialogMarkup.h"

#include <QList>
#include <QString>
#include <optional>

// One row of the select-list builder: LstValue and LstText show the two halves.
struct SelectOption {
    QString value;
    QString text;
    friend bool operator==(const SelectOption &, const SelectOption &) = default;
};

// The select-list builder's option rows and the selected row. The window keeps
// its two list boxes showing exactly these rows, the same row selected in both.
class SelectList {
public:
    // What adding asked of the window.
    enum class AddResult {
        NeedValue, // the value box is empty: focus it, nothing added
        NeedText,  // the text box is empty: nothing added, focus stays
        Added,     // added after the selected row (at the top when none) and selected;
                   // the window clears both boxes and focuses the value box
    };

    const QList<SelectOption> &options() const { return m_options; }
    int count() const { return int(m_options.size()); }
    int selectedRow() const { return m_selected; } // -1: none
    void select(int row);                          // a row outside the list selects none

    // Replaces every row (what the selection reader found); the last row is selected.
    void setOptions(const QList<SelectOption> &options);

    AddResult addOption(const QString &value, const QString &text);
    // The selected row one up or down, still selected; false when it cannot move.
    bool moveUp();
    bool moveDown();
    // Deletes the selected row, then selects the row above it, or row 0 again
    // when row 0 went and rows remain. False when no row is selected.
    bool deleteSelected();
    // Takes the selected row out for editing: the row is deleted and returned,
    // the row above it selected (none when it was the first). Nothing without a
    // selected row.
    std::optional<SelectOption> takeBack();

    // OK: the select element with its options, one line per option, caret after
    // it. Nothing without a name or without options.
    DialogMarkup build(const QString &name) const;

private:
    QList<SelectOption> m_options;
    int m_selected = -1;
};
