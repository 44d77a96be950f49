#pragma once
// Helpers shared by the GUI tests: starting the program, typing into an
// editor with real key events, and waiting for windows.
#include "common/TestApp.h"
#include "app/StartUp.h"
#include "editing/DocWindow.h"
#include "platform/EditControl.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace gui {

// Starts the program in t's folder and makes its frame the active window, so
// that menu shortcuts reach their items as they do for a user.
inline frmMain *startProgram(TestApp &t)
{
    frmMain *f = t.start();
    if (f) {
        f->activateWindow();
        (void)QTest::qWaitForWindowActive(f);
        if (t.editor())
            t.editor()->setFocus();
    }
    return f;
}

// Types text one key at a time, as a user would ("\n" is Enter).
inline void type(EditControl *e, const QString &text)
{
    for (QChar c : text) {
        if (c == u'\n') {
            QTest::keyClick(e, Qt::Key_Return);
        } else if (c.unicode() < 128) {
            QTest::keyClicks(e, QString(c));
        } else {
            // QTest knows Latin-1 keys only: a Cyrillic key sends its text.
            QTest::sendKeyEvent(QTest::Press, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// Puts text into the active document as if it had been loaded: unchanged, fresh history.
inline void load(DocWindow *d, const QString &crlfText, int caret = 0)
{
    d->IzmT = 2;
    d->Rich()->setText(crlfText);
    d->Rich()->setSelStart(caret);
    d->IzmT = 0;
    d->Sbros();
}

inline void select(EditControl *e, int start, int length)
{
    e->setSelStart(start);
    e->setSelLength(length);
}

inline bool enabled(frmMain *f, const char *name)
{
    QAction *a = f->action(QString::fromLatin1(name));
    return a && a->isEnabled();
}

// Runs what the Edit menu does before it drops down.
inline void openEditMenu(frmMain *f)
{
    emit f->menu(QStringLiteral("mnuEdit"))->aboutToShow();
}

} // namespace gui
