#pragma once
#include "files/Recovery.h"
#include "files/RecoveryWriter.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

class DocTable;
class DocWindow;
class Document;

// Keeps the text of every document with unsaved changes in the recovery folder,
// untitled ones included. A change only marks its document (no cost that grows
// with the text); once typing has paused for a moment (and at the latest a few
// seconds after the first unsaved change) the texts are taken from the editors
// and the writer thread encodes and writes them atomically. A document that
// becomes unchanged (saved, closed, its changes undone) loses its record.
class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    RecoveryKeeper(DocTable &docs, const QString &folder);
    ~RecoveryKeeper() override;

    // Delays after the last change and after the first unsaved one (ms).
    void setDelays(int quietMs, int longestMs);
    // Writes what is pending now and waits until the writer is done.
    void flush();
    // doc now holds the text of record (recovered from the file oldRecord): its
    // file stamp is the record's, and the old record goes once the new one is
    // written, which happens at once.
    void adopt(Document *doc, const RecoveryRecord &record, const QString &oldRecord);
    // The record file of doc ("" when none is kept for it now).
    QString recordOf(const Document *doc) const;
    RecoveryWriter &writer() { return m_writer; }
    // Follows the document of d (the table's new windows are followed anyway).
    void watch(DocWindow *d);
    const QString &folder() const { return m_folder; }

signals:
    // A record could not be written; said once a run.
    void cannotKeep(const QString &folder);

private:
    struct State {
        DocWindow *window = nullptr;
        QString record;         // file of this opening's record
        LoadedStamp stamp;        // the file as loaded or last saved
        QStringList supersedes; // records of an earlier run this one replaces
        bool written = false;   // a record may be on disk
    };
    void opened(DocWindow *d);
    void changed(Document *doc);
    void restamp(Document *doc);
    void writePending();
    void writeOne(Document *doc);

    DocTable &m_docs;
    QString m_folder;
    ProcessStamp m_self;
    quint64 m_serial = 0;
    bool m_folderMade = false;
    bool m_failureTold = false;
    QHash<const Document *, State> m_state;
    QSet<Document *> m_dirty;
    QTimer m_timer;
    QElapsedTimer m_pendingSince;
    int m_quietMs = 2000;
    int m_longestMs = 10000;
    RecoveryWriter m_writer;
};
