#pragma once
#include "app/ViewSettings.h"

class DocTable;
class DocWindow;
class FileCommands;
class frmMain;

// What one run leaves for the next in the view settings: the frame's place, the
// pages open at exit and the recent files (File > Recent Files).
namespace Session {
// Puts the frame where it was, brought inside the screen it opens on; the first
// time, its default size made to fit that screen.
void restoreFrame(frmMain &frame, const ViewSettings &view);
void storeFrame(const frmMain &frame, ViewSettings &view);

// The documents with a file, the active one last, each with its caret's line.
QList<ViewSettings::Page> openPages(const DocTable &docs);
// Opens them again, the caret on its line; one that is gone or cannot be read is
// passed over without a word (it was not asked for now). The window of the
// last one opened, nullptr when none opened.
DocWindow *reopen(FileCommands &files, const QList<ViewSettings::Page> &pages);

// Fills File > Recent Files each time it opens: one item per file (a file that
// is gone is dropped when chosen, with the usual message), then Clear List.
void installRecentMenu(frmMain &frame);
}
