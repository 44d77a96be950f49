#pragma once
#include <QString>

// Reads comma-separated fields the way settings, project and language files are
// read: blanks around a field are dropped, a field that starts with a double quote
// runs to the next double quote (commas included), any other field ends at a comma
// or at the end of the line. Fields run on across lines.
class FieldReader {
public:
    explicit FieldReader(const QString &text);

    // True when no field is left.
    bool atEnd() const;
    // Reads the next field; false (and an empty field) at the end of the text.
    bool next(QString &field);
    // Reads the rest of the current line whole, without its line break
    // (the project file reads its path lines this way).
    bool nextLine(QString &line);
    // Whether the last field read by next() ended at a comma (more fields follow
    // on its line) rather than at a line end.
    bool endedAtComma() const { return m_endedAtComma; }

private:
    bool atLineEnd(qsizetype i) const;
    void skipLineEnd();

    QString m_text;
    qsizetype m_pos = 0;
    bool m_endedAtComma = false;
};
