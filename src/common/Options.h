#pragma once
#include <QObject>
#include <QString>

// A value that windows follow: whoever changes it, everyone connected to
// changed() hears of it, so a menu check mark, a key rule and the settings file
// never disagree.
class BoolOption : public QObject {
    Q_OBJECT
public:
    explicit BoolOption(bool value = false) : m_value(value) {}
    bool value() const { return m_value; }
    void set(bool value)
    {
        if (value == m_value)
            return;
        m_value = value;
        emit changed(value);
    }

signals:
    void changed(bool value);

private:
    bool m_value;
};

class TextOption : public QObject {
    Q_OBJECT
public:
    const QString &value() const { return m_value; }
    void set(const QString &value)
    {
        if (value == m_value)
            return;
        m_value = value;
        emit changed(value);
    }

signals:
    void changed(const QString &value);

private:
    QString m_value;
};

// A whole number kept within [low, high]: a value set outside is brought to its bound.
class IntOption : public QObject {
    Q_OBJECT
public:
    IntOption(int value, int low, int high) : m_value(value), m_low(low), m_high(high) {}
    int value() const { return m_value; }
    void set(int value)
    {
        value = value < m_low ? m_low : value > m_high ? m_high : value;
        if (value == m_value)
            return;
        m_value = value;
        emit changed(value);
    }

signals:
    void changed(int value);

private:
    int m_value;
    int m_low;
    int m_high;
};

// Tells whoever listens that something they show changed (the language texts
// after a load: the frame, the documents and the project window re-caption).
class Announcer : public QObject {
    Q_OBJECT
public:
    void announce() { emit changed(); }

signals:
    void changed();
};
