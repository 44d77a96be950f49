#pragma once
#include "common/FileStamp.h"
#include "common/TextFormat.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

// A process as recovery records name it: its pid, when it started and the boot
// it started in, so a pid the system has since given to another process is not
// taken for the one that wrote a record.
struct ProcessStamp {
    qint64 pid = 0;
    qint64 startTicks = 0;  // start time after boot (field 22 of /proc/<pid>/stat)
    QString bootId;         // /proc/sys/kernel/random/boot_id; "" where unknown

    static ProcessStamp current();
    // True while that very process runs (a zombie counts as gone).
    static bool isRunning(const ProcessStamp &p);
    bool operator==(const ProcessStamp &) const = default;
};

// Size and modification time of a document's file (both -1: no file there).
struct LoadedStamp {
    qint64 size = -1;
    qint64 mtimeMs = -1;

    static LoadedStamp of(const QString &path);
    // The same taken from what the document already knows of its file.
    static LoadedStamp from(const FileStamp &stamp);
    bool operator==(const LoadedStamp &) const = default;
};

// What a document with unsaved changes leaves in the recovery folder.
struct RecoveryRecord {
    ProcessStamp owner;     // who wrote it
    QString path;           // the document's file; "" while untitled
    QString caption;        // its name in the window title
    bool script = false;    // a script rather than a page
    TextFormat format;      // encoding and line breaks its saves use
    LoadedStamp loaded;       // the file when it was loaded or last saved
    qint64 savedAtMs = 0;   // when the record was written (ms since the epoch)
    QString text;           // the unsaved text, CR LF line breaks
};

// The record file format, and the records a start-up finds. A record is
//
//   Kodoplet recovery record 1
//   owner <pid> <start ticks> <boot id or ->
//   path <percent-encoded UTF-8, empty while untitled>
//   caption <percent-encoded UTF-8>
//   kind page|script
//   encoding windows-1251|utf-8|utf-8-bom
//   line-breaks crlf|lf|cr
//   loaded <size> <modification time in ms>      (-1 -1: no file)
//   saved-at <ms since the epoch>
//   text <length of the text in UTF-8 bytes>
//   sha256 <hex of all the lines above and the text>
//   <empty line>
//   <the text in UTF-8>
//
// named "<pid>-<start ticks>-<serial>.krec" in the recovery folder.
namespace Recovery {

constexpr int Version = 1;

enum class Damage {
    None,
    NotARecord,     // does not start like a record, or unreadable
    NewerVersion,   // written by a later version of the program
    BadHeader,      // a header line is missing or malformed
    Truncated,      // shorter or longer than its header says
    BadChecksum,    // the bytes are not those written
};

// The file name of a record of owner's document number serial.
QString fileName(const ProcessStamp &owner, quint64 serial);
// True for a record's name ("...krec") and, when owner is given, fills in the
// pid and start ticks the name carries (boot id left empty).
bool parseFileName(const QString &name, ProcessStamp *owner = nullptr);

QByteArray encode(const RecoveryRecord &r);
Damage decode(const QByteArray &bytes, RecoveryRecord &r);

// One record found at start-up.
struct Entry {
    QString file;           // full path of the record
    Damage damage = Damage::None;
    RecoveryRecord record;  // valid when damage is None
};

using IsRunning = std::function<bool(const ProcessStamp &)>;

// The records in folder whose process is gone, oldest first, damaged ones with
// their damage (and whatever the name told of them). Records of running
// processes (another copy of the program, this one) are left out. Also removes
// the temporary files killed writes of gone processes left (through WorkFiles).
QList<Entry> orphans(const QString &folder, const IsRunning &isRunning = ProcessStamp::isRunning);

} // namespace Recovery
