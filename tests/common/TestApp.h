#pragma once
// A whole program in a temporary folder, for GUI tests: its own settings file,
// template and language folder, dialogs answered from a queue, a recording shell.
#include "app/AppState.h"
#include "app/MainFrame.h"
#include "app/StartUp.h"
#include "editing/DocWindow.h"
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
    // Prepares the folder; call start() to run the start-up procedure.
    TestApp()
    {
        resetApp();
        folder = dir.path() + QLatin1Char('/');
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
                d->UnloadDoc = true;  // no close prompts while tearing down
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

    frmMain *start()
    {
        // The language chooser is modal at a first start: tests that want it set realLanguageStep.
        StartUp::hooks().applyLanguage = realLanguageStep ? std::function<void()>() : [] {};
        frame.reset(StartUp::MainM(folder));
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
};
