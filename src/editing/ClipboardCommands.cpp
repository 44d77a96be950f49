#include "editing/ClipboardCommands.h"
#include "common/CrLf.h"
#include "common/TextTarget.h"

#include <QClipboard>
#include <QGuiApplication>

namespace ClipboardCommands {

void Copy(TextTarget *e)
{
    if (!e)
        return;
    // The text model breaks lines with CR LF; other programs here expect LF alone
    // (a terminal or another editor would show or paste the CR).
    QString text = e->selText();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (QClipboard *c = QGuiApplication::clipboard())
        c->setText(text);
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
    // LF, CR LF and CR alike become the model's CR LF. The editor's font is the
    // widget's: pasted text has it already.
    e->setSelText(CrLf::fromDocText(CrLf::toDocText(text)));
}

} // namespace ClipboardCommands
