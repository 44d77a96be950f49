#pragma once
#include "tags/SelectList.h"

#include <QList>
#include <QString>

// What the select-list builder finds in the editor's selection when it opens.
struct SelectReading {
    QString name;                // the select element's name; empty when none was found
    QList<SelectOption> options; // its options in order
};

// Reads the first select element of `selection`: its name attribute, then each
// option's value attribute and its text (up to the next "<"), until
// "</select>" or the end of the text. Reads the text once, front to back, and
// ends on any input: damaged mark-up (a quote never closed, a tag never ended,
// an option whose text never ends) stops the reading and keeps what was read
// before it. Without a select element with a name, nothing is read. An option
// without a value attribute takes its text as value, as a browser does.
// Values and texts come back unchanged (no entity is decoded), so what the
// builder writes reads back as it was.
SelectReading readSelectElement(const QString &selection);
