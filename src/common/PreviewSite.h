#pragma once
#include <QByteArray>
#include <QHash>
#include <QString>

// What the preview of one document may show: pages held in memory (the editor's
// text, a script's wrapper) and the files under one folder. Nothing else answers.
struct PreviewSite {
    struct Memory {
        QByteArray bytes;
        QByteArray mime;
    };
    // The folder whose files (and sub-folders' files) the page may load; empty: none.
    QString root;
    // Paths relative to the site's root, without a leading "/": served from memory.
    QHash<QString, Memory> pages;

    struct Answer {
        enum Kind { Refused, FromMemory, FromFile } kind = Refused;
        Memory memory;
        QString file;   // canonical path of the file to serve
    };
    // The answer for a request's path (percent-decoded, as in a URL: "/pic.png").
    // A path that leaves the root, by "..", a link or any other way, is refused.
    Answer resolve(const QString &urlPath) const;

    // The host name of a document's site.
    static QString hostOf(int slot);
    // The bytes and type of a page shown from the editor's text: UTF-8 with its
    // byte-order mark, which outranks whatever charset the page declares.
    static Memory htmlPage(const QString &text);
    static Memory script(const QString &text);
    // The one-line page that runs the script named scriptFileName beside it.
    static QString scriptWrapperPage(const QString &scriptFileName);
    // The folder an untitled page's relative addresses resolve against: the
    // project's folder once the project is saved, else the folder the user last
    // worked in, else fallback; a folder that no longer exists is passed over.
    static QString untitledRoot(const QString &projectPath, const QString &lastFolder, const QString &fallback);
    // text made safe inside a quoted HTML attribute (or as element text).
    static QString attributeText(const QString &text);
};
