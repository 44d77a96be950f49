#pragma once
#include <QChar>

// Which typed characters the tag dialogs' boxes take. The windows ask for each
// character a key press would type; keys that type nothing (arrows, Delete)
// and shortcuts such as Ctrl+V never reach these rules, so pasted text is not
// filtered.

// Image dialog, TNumber items 0-4 (width, height, hspace, vspace, border):
// Backspace and the digits 0-9; "%" only in width and height.
bool imageNumberKeyAccepted(int item, QChar key);

// Table dialog, TNumber items 0-4 (border, cellspacing, cellpadding, width,
// height): Backspace and the digits 0-9; "%" only in cellpadding, width and height.
bool tableNumberKeyAccepted(int item, QChar key);

// Select-list builder, SName and SValue: anything but ">", "<", a double
// quote, "'" and a blank, which would break the attribute they end up in.
bool selectNameKeyAccepted(QChar key);

// Select-list builder, SText: anything but "<" and ">".
bool selectTextKeyAccepted(QChar key);
