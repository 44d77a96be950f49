#pragma once
// Helpers shared by the GUI tests: starting the program, typing with real key
// events and loading text.
#include "common/TestApp.h"

#include <QTest>

namespace gui {

// Makes the frame the active window, so that shortcuts reach their items as for a user.
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

// Types text one key at a time ("\n" is Enter); QTest knows Latin-1 keys only,
// so other characters are sent as the text of an unknown key.
inline void type(EditControl *e, const QString &text)
{
    for (QChar c : text) {
        if (c == u'\n')
            QTest::keyClick(e, Qt::Key_Return);
        else if (c.unicode() < 128)
            QTest::keyClicks(e, QString(c));
        else
            for (auto action : {QTest::Press, QTest::Release})
                QTest::sendKeyEvent(action, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Puts text into a document as if it had been loaded: unchanged, fresh history.
inline void load(DocWindow *d, const QString &crlfText, int caret = 0)
{
    d->IzmT = 2;
    d->Rich()->setText(crlfText);
    d->Rich()->setSelStart(caret);
    d->IzmT = 0;
    d->Sbros();
}

} // namespace gui
