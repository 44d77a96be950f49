#pragma once
#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP turned into a request on the GUI thread: the
// handler only writes one byte to a socket, the notifier reads it and emits
// exitRequested(), so the program can end the way File > Exit does (settings
// written, unsaved documents asked about) instead of dying on the spot.
// One object per process; while it lives, the signals no longer end the program.
class ExitSignals : public QObject {
    Q_OBJECT
public:
    explicit ExitSignals(QObject *parent = nullptr);
    ~ExitSignals() override;
    // False when the socket could not be made: the signals keep their defaults.
    bool isActive() const { return m_notifier != nullptr; }

signals:
    void exitRequested(int signalNumber);

private:
    void readSignal();
    QSocketNotifier *m_notifier = nullptr;
};
