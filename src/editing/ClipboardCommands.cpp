#include "editing/ClipboardCommands.h"
#include "app/AppState.h"
#include "editing/DocWindow.h"
#include "platform/EditControl.h"

#include <QClipboard>
#include <QGuiApplication>

namespace ClipboardCommands {

void Copy()
{
    DocWindow *d = app().docs.active();
    if (!d)
        return;
    if (QClipboard *c = QGuiApplication::clipboard())
        c->setText(d->Rich()->selText());
}

void Cut()
{
    DocWindow *d = app().docs.active();
    if (!d)
        return;
    Copy();
    if (d->Rich()->selLength() > 0)
        d->Rich()->setSelText(QString());
}

void Paste()
{
    DocWindow *d = app().docs.active();
    if (!d)
        return;
    QClipboard *c = QGuiApplication::clipboard();
    // Only the plain-text form: formatting from another program never comes in.
    const QString text = c ? c->text(QClipboard::Clipboard) : QString();
    if (text.isEmpty() && d->Rich()->selLength() == 0)
        return;
    // The editor's font is the widget's: pasted text has it already.
    d->Rich()->setSelText(text);
}

} // namespace ClipboardCommands
