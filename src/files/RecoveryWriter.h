#pragma once
#include "files/Recovery.h"

#include "common/DocTextCopy.h"

#include <QHash>
#include <optional>
#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QThread>
#include <QWaitCondition>

// Writes and removes recovery records on a thread of its own, so the editor
// never waits for a disk. The newest job for a record replaces one not yet
// started; jobs run in the order they were first queued.
class RecoveryWriter : public QObject {
    Q_OBJECT
public:
    RecoveryWriter();
    // Finishes the jobs queued, then stops the thread.
    ~RecoveryWriter() override;

    // Writes record to path (encoding it on the writer's thread), its text made
    // from text when given; after a successful write, the files of thenRemove go.
    void write(const QString &path, const RecoveryRecord &record, const QStringList &thenRemove = {},
               std::optional<DocTextCopy> text = std::nullopt);
    // Removes path and the files of alsoRemove.
    void remove(const QString &path, const QStringList &alsoRemove = {});
    // Waits until every job queued so far is done.
    void waitIdle();
    // Time the last write took to encode and write (ms), for the benchmark.
    double lastWriteMs() const;

signals:
    // A record could not be written (queued to the owner's thread); error as TextFile gives it.
    void writeFailed(const QString &path, int error);

private:
    struct Job {
        bool write = false;
        RecoveryRecord record;
        QStringList others;
        std::optional<DocTextCopy> text;
    };
    void run();
    // Puts job in for path (the mutex held).
    void queue(const QString &path, Job job);

    mutable QMutex m_mutex;
    QWaitCondition m_wake;
    QWaitCondition m_idle;
    QHash<QString, Job> m_jobs;
    QStringList m_order;     // paths with a job waiting, first queued first
    bool m_busy = false;
    bool m_stop = false;
    double m_lastWriteMs = 0;
    QThread *m_thread;
};
