#include "files/RecoveryKeeper.h"
#include "editing/DocTable.h"
#include "editing/DocWindow.h"
#include "files/WorkFiles.h"
#include "platform/EditControl.h"

#include <QDateTime>
#include <algorithm>

RecoveryKeeper::RecoveryKeeper(DocTable &docs, const QString &folder)
    : m_docs(docs), m_folder(folder), m_self(ProcessStamp::current())
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::writePending);
    connect(&docs, &DocTable::documentCreated, this, &RecoveryKeeper::watch);
    connect(&docs, &DocTable::slotOpened, this, &RecoveryKeeper::opened);
    connect(&m_writer, &RecoveryWriter::writeFailed, this, [this] {
        if (!m_failureTold) {
            m_failureTold = true;
            emit cannotKeep(m_folder);
        }
    });
}

RecoveryKeeper::~RecoveryKeeper()
{
    m_writer.waitIdle();
}

void RecoveryKeeper::setDelays(int quietMs, int longestMs)
{
    m_quietMs = quietMs;
    m_longestMs = longestMs;
}

void RecoveryKeeper::watch(DocWindow *d)
{
    Document *doc = d->document();
    if (!m_state.contains(doc))
        m_state.insert(doc, State{d, {}, {}, {}, false});
    connect(doc, &Document::undoStateChanged, this, [this, doc] {
        // Before the first change after a load or save; also a save of an
        // unchanged text, which gives the file a new time.
        if (!doc->isModified())
            restamp(doc);
        changed(doc);
    });
    connect(doc, &Document::modifiedChanged, this, [this, doc](bool modified) {
        if (modified) {
            changed(doc);
            return;
        }
        restamp(doc);
        // Saved, closed or undone back to the file: the record goes now.
        m_dirty.remove(doc);
        State &s = m_state[doc];
        if (s.written || !s.supersedes.isEmpty())
            m_writer.remove(s.record, s.supersedes);
        s.written = false;
        s.supersedes.clear();
    });
    connect(doc, &Document::pathChanged, this, [this, doc] {
        if (!doc->isModified())
            restamp(doc);
        changed(doc);
    });
    connect(doc, &Document::captionChanged, this, [this, doc] { changed(doc); });
    connect(doc, &Document::kindChanged, this, [this, doc] { changed(doc); });
    connect(doc, &Document::formatChanged, this, [this, doc] { changed(doc); });
    connect(doc, &QObject::destroyed, this, [this, doc] {
        m_dirty.remove(doc);
        m_state.remove(doc);
    });
}

void RecoveryKeeper::opened(DocWindow *d)
{
    auto it = m_state.find(d->document());
    if (it == m_state.end())
        return;
    it->record = m_folder + Recovery::fileName(m_self, ++m_serial);
    it->stamp = LoadedStamp{};
    it->written = false;
    it->supersedes.clear();
}

void RecoveryKeeper::restamp(Document *doc)
{
    auto it = m_state.find(doc);
    if (it != m_state.end())
        // The stamp the load or save took; a file of its own only when none is known.
        it->stamp = doc->diskStamp().known ? LoadedStamp::from(doc->diskStamp()) : LoadedStamp::of(doc->NameFile());
}

void RecoveryKeeper::changed(Document *doc)
{
    if (!doc->isModified())
        return;
    m_dirty.insert(doc);
    if (!m_pendingSince.isValid())
        m_pendingSince.start();
    // Typing goes on: wait for a pause, but never longer than m_longestMs in all.
    const qint64 left = m_longestMs - m_pendingSince.elapsed();
    m_timer.start(int(std::clamp<qint64>(left, 0, m_quietMs)));
}

void RecoveryKeeper::writeOne(Document *doc)
{
    auto it = m_state.find(doc);
    if (it == m_state.end() || !it->window || it->window->UnloadDoc() || !doc->isModified())
        return;
    if (!m_folderMade)
        m_folderMade = WorkFiles::ensureFolder(m_folder);
    RecoveryRecord r;
    r.owner = m_self;
    r.path = doc->NameFile();
    r.caption = doc->txtCaption();
    r.script = doc->Script();
    r.format = doc->format();
    r.loaded = it->stamp;
    r.savedAtMs = QDateTime::currentMSecsSinceEpoch();
    // The one step here that grows with the text: a copy of the editor's raw
    // text. Line breaks, encoding, checksum and the disk are the writer's.
    m_writer.write(it->record, r, it->supersedes, doc->text()->textCopy());
    it->written = true;
}

void RecoveryKeeper::writePending()
{
    m_timer.stop();
    m_pendingSince.invalidate();
    const QSet<Document *> dirty = std::exchange(m_dirty, {});
    for (Document *doc : dirty)
        writeOne(doc);
}

void RecoveryKeeper::flush()
{
    writePending();
    m_writer.waitIdle();
}

void RecoveryKeeper::adopt(Document *doc, const RecoveryRecord &record, const QString &oldRecord)
{
    auto it = m_state.find(doc);
    if (it == m_state.end())
        return;
    it->stamp = record.loaded;
    if (!it->supersedes.contains(oldRecord))
        it->supersedes << oldRecord;
    m_dirty.remove(doc);
    writeOne(doc);
}

QString RecoveryKeeper::recordOf(const Document *doc) const
{
    const auto it = m_state.constFind(doc);
    return it != m_state.constEnd() && it->written ? it->record : QString();
}
