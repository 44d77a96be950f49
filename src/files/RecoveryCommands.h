#pragma once
#include "files/Recovery.h"

#include <QString>

class FileCommands;
class Messenger;
class RecoveryKeeper;

// Language entries of the recovery window and its messages.
namespace RecoveryEntry {
constexpr int Title = 118;
constexpr int Intro = 119;
constexpr int Recover = 120;
constexpr int Discard = 121;
constexpr int Later = 122;
constexpr int Row = 123;          // %1 file or caption, %2 time, %3 length of the text
constexpr int Damaged = 124;      // %1 the record's file
constexpr int ChangedOnDisk = 125;
constexpr int GoneFromDisk = 126;
constexpr int CannotKeep = 127;
}

// At start-up: the unsaved texts a gone process left are offered in a window
// (Recover, the default; Discard; Later). Recovered texts open as changed
// documents; their records go only once the new ones are written. Damaged
// records are listed as such and stay until the user discards them.
class RecoveryCommands {
public:
    enum Answer { Recover = 0, Discard = 1, Later = 2 };

    RecoveryCommands(FileCommands &files, RecoveryKeeper &keeper, Messenger &msg)
        : m_files(files), m_keeper(keeper), m_msg(msg) {}

    // Asks about the records found; the number of documents recovered.
    int offer(const Recovery::IsRunning &isRunning = ProcessStamp::isRunning);
    // The window's row of one record.
    QString row(const Recovery::Entry &e) const;
    // Tells the user, once a run, that records cannot be written.
    void tellCannotKeep(const QString &folder) const;

private:
    FileCommands &m_files;
    RecoveryKeeper &m_keeper;
    Messenger &m_msg;
};
