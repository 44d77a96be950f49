#pragma once
// A whole text kept aside as compactly as it allows: one byte a character when
// every character fits in Latin-1 (most pages), else as it is. Positions count
// characters either way; line starts are found when first asked for.
#include <QByteArray>
#include <QString>
#include <vector>

class HeldText {
public:
    HeldText() = default;
    explicit HeldText(const QString &text);

    bool compact() const { return m_compact; }
    int size() const { return m_compact ? int(m_latin1.size()) : int(m_text.size()); }
    bool isEmpty() const { return size() == 0; }
    // len characters from pos, both clamped to the text.
    QString mid(int pos, int len) const;
    QString text() const { return m_compact ? QString::fromLatin1(m_latin1) : m_text; }

    // The number of lines, without keeping their starts (a window behind others
    // is asked for it to size its line numbers).
    int lineCount() const;
    // The line holding pos, and where a line starts (clamped to the text).
    int lineAt(int pos) const;
    int lineStart(int line) const;

private:
    // Starts of the lines (after each CR LF), the first one 0, found when first asked for.
    const std::vector<int> &lineStarts() const;
    // Calls found with the start of every line after the first.
    template <class Found>
    void eachLineStart(Found found) const;

    QByteArray m_latin1;
    QString m_text;
    bool m_compact = false;
    mutable std::vector<int> m_lines;
    mutable int m_lineCount = 0;   // 0 until counted
};
