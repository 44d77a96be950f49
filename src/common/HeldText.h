#pragma once
// A whole text kept aside as compactly as it allows: one byte a character when
// every character fits in Latin-1 (most pages), else as it is. Positions count
// characters either way; line starts are found when first asked for.
// A one-byte text can also be packed (deflated) while nobody reads it: a page
// opened behind others then costs a fraction of its size until it is shown.
#include <QByteArray>
#include <QString>
#include <vector>

class HeldText {
public:
    HeldText() = default;
    explicit HeldText(const QString &text);

    bool compact() const { return m_compact; }
    int size() const { return m_size; }
    bool isEmpty() const { return size() == 0; }
    // len characters from pos, both clamped to the text (a packed text is unpacked for good).
    QString mid(int pos, int len) const;
    // The whole text (a packed text stays packed).
    QString text() const;

    // Packs a one-byte text of PackFrom to PackUpTo bytes when that saves at
    // least a quarter; true when the text is packed now. Costs about 10 ms a megabyte.
    static constexpr int PackFrom = 4096;
    static constexpr int PackUpTo = 1 << 20;
    bool pack();
    bool packed() const { return !m_packed.isEmpty(); }

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

    // The one-byte text, unpacked for good if need be.
    const QByteArray &latin1() const;
    // The one-byte text, a packed one unpacked into a copy that passes.
    QByteArray passingLatin1() const;

    mutable QByteArray m_latin1;
    QString m_text;
    mutable QByteArray m_packed;   // the one-byte text deflated, while m_latin1 is empty
    int m_size = 0;
    bool m_compact = false;
    mutable std::vector<int> m_lines;
    mutable int m_lineCount = 0;   // 0 until counted
};
