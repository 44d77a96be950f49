#pragma once
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

// One running copy per user and display: a second start hands what it was asked
// to open to the first through a local socket in the user's runtime folder, which
// only the user can reach, and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // name: a socket path; defaultName() for the program.
    explicit SingleInstance(const QString &name, QObject *parent = nullptr);
    ~SingleInstance() override;

    // The socket of this user on this display (X11 or Wayland).
    static QString defaultName();

    // Gives message to the running copy; true when it took it (then this copy ends).
    // False when none answers within timeoutMs: this copy runs on its own.
    bool sendToRunning(const QStringList &message, int timeoutMs = 2000);
    // Starts taking the messages of later starts; false when the socket cannot be made.
    bool listen();
    const QString &name() const { return m_name; }

signals:
    // A later start asked for this (emitted after the sender was answered).
    void received(const QStringList &message);

private:
    void accept();

    QString m_name;
    QLocalServer *m_server = nullptr;
};
