#include "lang/Messenger.h"
#include "lang/LanguageTexts.h"
#include "lang/MainFrameCaptions.h"
#include "platform/Dialogs.h"

QString Messenger::message(int entry) const
{
    return m_lang.text(entry);
}

QString Messenger::fileMenuCaption() const
{
    return withoutMnemonics(m_lang.FileCaption);
}

int Messenger::ask(const QString &text, int style) const
{
    return m_dialogs.messageBox(text, style, m_lang.AppTitle);
}

QWidget *Messenger::owner() const
{
    return m_dialogs.parentWidget();
}
