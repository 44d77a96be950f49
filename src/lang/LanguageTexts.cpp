#include "lang/LanguageTexts.h"

QString LanguageTexts::text(int entry) const
{
    const int d = entry - FirstDialogEntry;
    if (d >= 0 && d < FirstMessageEntry - FirstDialogEntry)
        return DialogTexts[d];
    const int m = entry - FirstMessageEntry;
    if (m >= 0 && m < MessageCount)
        return Messages[m];
    if (entry == 108)
        return VSpaceTip;
    return QString();
}

void LanguageTexts::apply(const LanguageData &data)
{
    HelpFile = data.helpFile;
    AppTitle = QStringLiteral("Kodoplet ") + data.entry(1) + QStringLiteral(" Int.");
    UntitledName = data.entry(2);
    NewPageTitle = data.entry(11);
    DefaultProjectName = data.entry(62);
    FileCaption = data.entry(3);
    for (int n = FirstDialogEntry; n < FirstMessageEntry; ++n) {
        if (data.has(n))
            DialogTexts[n - FirstDialogEntry] = data.entries[n];
    }
    for (int n = FirstMessageEntry; n < FirstMessageEntry + MessageCount; ++n) {
        if (data.has(n))
            Messages[n - FirstMessageEntry] = data.entries[n];
    }
    // Older files hold the VSPACE tooltip in entry 86, shared with the language chooser's title.
    VSpaceTip = data.has(108) ? data.entries[108] : text(86);
}

QString LanguageTexts::frameCaption(const QString &projectName) const
{
    return AppTitle + QStringLiteral(" - ") + projectName;
}

QString LanguageTexts::renamedUntitled(const QString &caption, int slot, bool hasFileName,
                                       const QString &oldName, const QString &newName)
{
    if (hasFileName || slot < 0)
        return caption;
    const QString number = QString::number(slot + 1);
    if (caption != oldName + number)
        return caption;
    return newName + number;
}

QString LanguageTexts::renamedProject(const QString &projectName, const QString &oldDefault,
                                      const QString &newDefault)
{
    return projectName == oldDefault ? newDefault : projectName;
}
