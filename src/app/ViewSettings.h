#pragma once
#include <QByteArray>
#include <QString>

// The program's own view options, kept in a second file beside kodoplet.ini
// ("kodoplet-view.ini") so that kodoplet.ini keeps its eleven lines for other
// copies of the program that read it. One "name=value" line each; a file that is
// missing or damaged leaves every value it cannot give at its default.
struct ViewSettings {
    bool Highlighting = true;   // Options > Syntax highlighting
    bool LineNumbers = true;    // Options > Line numbers (gutter and current line)
    bool StatusBar = true;      // Options > Status bar
    bool CloseTags = true;      // Options > Close tags when typing
    bool AutoIndent = true;     // Options > Auto-indent
    int Zoom = 0;               // points added to the editor font, MinZoom..MaxZoom

    static constexpr int MinZoom = -10;
    static constexpr int MaxZoom = 60;

    static QString fileName() { return QStringLiteral("kodoplet-view.ini"); }

    // Reads the file; false when it could not be read (values stay as they were).
    bool read(const QString &path);
    QByteArray bytes() const;
    // Writes safely; 0, or the file error code (75 path/access, 95 other).
    int write(const QString &path) const;
};
