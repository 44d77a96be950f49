#pragma once
// The set-up every GUI test shares: a fresh program in its own folder for each
// case, started with the entry-number language and its frame active, torn down
// after the case with any pop-up menu it left open.
#include "editing/GuiSupport.h"
#include "files/FileCommands.h"

#include <QApplication>
#include <QMenu>
#include <memory>

struct GuiFixture {
    std::unique_ptr<TestApp> t;
    frmMain *f = nullptr;

    DocWindow *doc() const { return t->active(); }
    EditControl *ed() const { return t->editor(); }
    QString path(const QString &name) const { return t->folder + name; }
    QueueDialogs::Asked lastMessage() const { return t->dialogs.last(QStringLiteral("message")); }
    int messages() const { return t->dialogs.count(QStringLiteral("message")); }

    // Puts text in the active document as if loaded, with a selection.
    void setText(const QString &text, int start = 0, int len = 0)
    {
        gui::load(t->active(), text, start);
        ed()->setSelLength(len);
    }
    // The same with "|" at the caret or "[...]" around the selection; the text marked so.
    void put(const QString &marked) { gui::putMarked(t->active(), marked); }
    QString shown() const { return gui::marked(ed()); }
    // Writes a file into the test's folder and opens it as File > Open does.
    DocWindow *openFile(const QString &name, const QByteArray &bytes)
    {
        t->writeFile(name, bytes);
        app().files->OpenFileDoc(path(name));
        QApplication::processEvents();
        return doc();
    }
    // Copies a language file the program ships into the test's Language folder.
    void addShippedLanguage(const QString &file) const
    {
        QDir().mkpath(path(QStringLiteral("Language")));
        QFile::copy(qEnvironmentVariable("KODOPLET_SOURCE_DIR") + QStringLiteral("/resources/Language/") + file,
                    path(QStringLiteral("Language/") + file));
    }
    // Makes the frame the active window again (a tool window may have had it).
    void activateFrame()
    {
        t->frame->activateWindow();
        QApplication::processEvents();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(t->frame.get()));
        ed()->setFocus();
    }

    // Call from init(): false when the program did not start.
    bool startApp()
    {
        t = std::make_unique<TestApp>();
        f = gui::startProgram(*t);
        return f != nullptr;
    }
    // Call from cleanup().
    void stopApp()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<QMenu *>(w))
                w->hide();
        f = nullptr;
        t.reset();
    }
};
