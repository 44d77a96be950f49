#pragma once
#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

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
    bool Completion = true;     // Options > Complete HTML attributes
    int Zoom = 0;               // points added to the editor font, MinZoom..MaxZoom
    bool ReopenPages = true;    // Options > Reopen pages at start
    QStringList RecentFiles;    // File > Recent files, newest first ("recent=" lines)
    // The pages open at exit, the active one last ("page=LINE:PATH" lines, LINE 0-based).
    struct Page {
        QString path;
        int line = 0;
        bool operator==(const Page &) const = default;
    };
    QList<Page> Pages;
    QRect FrameGeometry;        // the main frame's normal geometry; null when never stored
    bool FrameMaximized = false;

    static constexpr int MinZoom = -10;
    static constexpr int MaxZoom = 60;
    static constexpr int MaxRecent = 10;
    static constexpr int MaxPages = 1000;

    static QString fileName() { return QStringLiteral("kodoplet-view.ini"); }

    // Reads the file; false when it could not be read (values stay as they were).
    bool read(const QString &path);
    QByteArray bytes() const;
    // stored moved and shrunk to lie inside available (a screen's free area).
    static QRect fittedFrame(const QRect &stored, const QRect &available);
    // Puts path first in a recent-files list (once, at most MaxRecent kept).
    static void addRecent(QStringList &list, const QString &path);
    // Writes safely; 0, or the file error code (75 path/access, 95 other).
    int write(const QString &path) const;
};
