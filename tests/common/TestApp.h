#pragma once
// A whole program in a temporary folder, for GUI tests: its own settings file,
// template and language folder, dialogs answered from a queue, a recording shell.
#include "app/AppState.h"
#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/StartUp.h"
#include "editing/DocWindow.h"
#include "lang/LanguageLoader.h"
#include "platform/EditControl.h"
#include "support/QueueDialogs.h"
#include "support/RecordingShell.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class TestApp {
public:
    // Prepares the folder (a temporary one unless given); call start() to run
    // the start-up procedure.
    explicit TestApp(const QString &programFolder = QString())
    {
        resetApp();
        folder = programFolder.isEmpty() ? dir.path() + QLatin1Char('/') : programFolder;
        AppState &a = app();
        a.dialogs = &dialogs;
        a.shell = &shell;
        a.quit = [this] { ++quitCount; };
    }
    ~TestApp()
    {
        AppState &a = app();
        QList<QPointer<DocWindow>> windows;
        for (DocWindow *d : a.docs.DocWindows)
            if (d) {
                d->setUnloaded(true);  // no close prompts while tearing down
                windows << d;
            }
        frame.reset();
        for (const auto &d : windows)
            delete d.data();
        a.docs.DocWindows.clear();
        resetApp();
    }

    // Writes a file beside the program (settings, template...).
    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(folder + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readFile(const QString &path)
    {
        QFile f(path.startsWith(QLatin1Char('/')) ? path : folder + path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // A language file whose every entry n reads "[n]", so a test of a message,
    // a prompt or a caption checks the entry it uses, not just some text.
    static QByteArray entryNumberLanguage()
    {
        QByteArray bytes = "\"Entries\",\"Help/entries.html\"\r\n";
        for (int n = 1; n <= 106; ++n)
            bytes += QByteArray::number(n) + ",\"[" + QByteArray::number(n) + "]\"\r\n";
        return bytes;
    }

    frmMain *start()
    {
        // The language chooser is modal at a first start: tests that want it set
        // realLanguageStep. The others start with the entry-number language.
        if (realLanguageStep) {
            StartUp::hooks().applyLanguage = {};
        } else {
            QDir().mkpath(folder + QStringLiteral("Language"));
            writeFile(QStringLiteral("Language/Entries.txt"), entryNumberLanguage());
            // The fixture's language is no choice of the user's: the remembered one stays.
            StartUp::hooks().applyLanguage = [] {
                const QString remembered = app().settings.LanguageFile;
                app().languages->LoadJazikM(QStringLiteral("Entries.txt"));
                app().settings.LanguageFile = remembered;
            };
        }
        frame.reset(StartUp::MainM(folder, commandLine));
        QApplication::processEvents();
        return frame.get();
    }

    DocWindow *active() const { return app().docs.active(); }
    EditControl *editor() const { return active() ? active()->Rich() : nullptr; }
    void command(const QString &name) { QVERIFY2(frame->trigger(name), qPrintable(name)); }

    QTemporaryDir dir;
    QString folder;
    QueueDialogs dialogs;
    RecordingShell shell;
    std::unique_ptr<frmMain> frame;
    int quitCount = 0;
    bool realLanguageStep = false;
    CommandLine commandLine;   // what the program is started with
};
