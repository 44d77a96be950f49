#include "editing/ClipboardCommands.h"
#include "common/TextTarget.h"

#include <QClipboard>
#include <QGuiApplication>

namespace ClipboardCommands {

void Copy(TextTarget *e)
{
    if (!e)
        return;
    if (QClipboard *c = QGuiApplication::clipboard())
        c->setText(e->selText());
}

void Cut(TextTarget *e)
{
    if (!e)
        return;
    Copy(e);
    if (e->selLength() > 0)
        e->setSelText(QString());
}

void Paste(TextTarget *e)
{
    if (!e)
        return;
    QClipboard *c = QGuiApplication::clipboard();
    // Only the plain-text form: formatting from another program never comes in.
    const QString text = c ? c->text(QClipboard::Clipboard) : QString();
    if (text.isEmpty() && e->selLength() == 0)
        return;
    // The editor's font is the widget's: pasted text has it already.
    e->setSelText(text);
}

} // namespace ClipboardCommands
