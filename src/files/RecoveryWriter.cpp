#include "files/RecoveryWriter.h"
#include "files/WorkFiles.h"

#include <QElapsedTimer>

RecoveryWriter::RecoveryWriter()
{
    m_thread = QThread::create([this] { run(); });
    m_thread->start(QThread::LowPriority);
}

RecoveryWriter::~RecoveryWriter()
{
    {
        QMutexLocker lock(&m_mutex);
        m_stop = true;
        m_wake.wakeAll();
    }
    m_thread->wait();
    delete m_thread;
}

void RecoveryWriter::write(const QString &path, const RecoveryRecord &record, const QStringList &thenRemove,
                           std::optional<DocTextCopy> text)
{
    QMutexLocker lock(&m_mutex);
    queue(path, Job{true, record, thenRemove, std::move(text)});
}

void RecoveryWriter::remove(const QString &path, const QStringList &alsoRemove)
{
    QMutexLocker lock(&m_mutex);
    queue(path, Job{false, RecoveryRecord{}, alsoRemove, std::nullopt});
}

void RecoveryWriter::queue(const QString &path, Job job)
{
    const auto it = m_jobs.find(path);
    if (it == m_jobs.end()) {
        m_order << path;
    } else {
        // The files the replaced job was to remove still go.
        for (const QString &other : std::as_const(it->others))
            if (!job.others.contains(other))
                job.others << other;
    }
    m_jobs.insert(path, std::move(job));
    m_wake.wakeAll();
}

void RecoveryWriter::waitIdle()
{
    QMutexLocker lock(&m_mutex);
    while (m_busy || !m_order.isEmpty())
        m_idle.wait(&m_mutex);
}

double RecoveryWriter::lastWriteMs() const
{
    QMutexLocker lock(&m_mutex);
    return m_lastWriteMs;
}

void RecoveryWriter::run()
{
    QMutexLocker lock(&m_mutex);
    for (;;) {
        while (m_order.isEmpty() && !m_stop)
            m_wake.wait(&m_mutex);
        if (m_order.isEmpty()) {
            m_idle.wakeAll();
            return;
        }
        const QString path = m_order.takeFirst();
        Job job = m_jobs.take(path);
        m_busy = true;
        lock.unlock();
        if (job.write) {
            QElapsedTimer t;
            t.start();
            if (job.text) {
                job.record.text = job.text->text();
                job.text.reset();
            }
            const QByteArray bytes = Recovery::encode(job.record);
            job.record.text.clear();
            const int error = WorkFiles::writeRecord(path, bytes);
            const double took = double(t.nsecsElapsed()) / 1e6;
            if (error == 0) {
                for (const QString &other : job.others)
                    WorkFiles::removeRecord(other);
            } else {
                emit writeFailed(path, error);
            }
            lock.relock();
            m_lastWriteMs = took;
        } else {
            WorkFiles::removeRecord(path);
            for (const QString &other : job.others)
                WorkFiles::removeRecord(other);
            lock.relock();
        }
        m_busy = false;
        if (m_order.isEmpty())
            m_idle.wakeAll();
    }
}
