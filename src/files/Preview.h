#pragma once
#include "files/PageTexts.h"
#include <QString>

// The file-based preview of saved documents and opening things with the shell.
namespace Preview {
// File > Code - HTML: in-memory preview for an untitled document, file-based otherwise.
void mnuFileProsmotr_Click();
void ProsmotrM();
// Opens a file or an address with the desktop's default handler.
void OpURL(const QString &target);
// Writes a redirect page to the target and opens it; returns the page written ("" if none).
QString SaveFileUrlm(const QString &target);
using PageTexts::redirectPage;
using PageTexts::scriptWrapperPage;
}
