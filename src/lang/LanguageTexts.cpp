#include "lang/LanguageTexts.h"
#include "lang/LanguageFile.h"
#include "lang/BuiltInTexts.h"

namespace {

bool isBlank(const QString &text) { return text.trimmed().isEmpty(); }

// Text up to the first line break.
QString firstLine(const QString &text)
{
    qsizetype end = 0;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
        ++end;
    return text.left(end);
}

// Frame entries that may be blank without a question, a title or a command
// losing its words: the file format gives "" for them when missing.
bool mayStayEmpty(int entry) { return entry == 2 || entry == 11 || entry == 62; }

} // namespace

LanguageTexts::LanguageTexts()
{
    HelpFile = BuiltInTexts::helpFile();
    for (int n = FirstFrameEntry; n < FirstDialogEntry; ++n)
        FrameTexts[n - FirstFrameEntry] = BuiltInTexts::text(n);
    for (int i = 0; i < DialogTextCount; ++i) {
        if (FirstDialogEntry + i < FirstMessageEntry)
            DialogTexts[i] = BuiltInTexts::text(FirstDialogEntry + i);
    }
    for (int i = 0; i < MessageCount; ++i)
        Messages[i] = BuiltInTexts::text(FirstMessageEntry + i);
    AppTitle = QStringLiteral("Kodoplet ") + text(1) + QStringLiteral(" Int.");
    UntitledName = text(2);
    FileCaption = text(3);
    NewPageTitle = text(11);
    DefaultProjectName = text(62);
    VSpaceTip = text(86);
    for (int i = 0; i < ExtraCount; ++i)
        ExtraTexts[i] = BuiltInTexts::extraText(FirstExtraEntry + i);
}

QString LanguageTexts::text(int entry) const
{
    const int f = entry - FirstFrameEntry;
    if (f >= 0 && f < FrameEntryCount)
        return FrameTexts[f];
    const int d = entry - FirstDialogEntry;
    if (d >= 0 && d < FirstMessageEntry - FirstDialogEntry)
        return DialogTexts[d];
    const int m = entry - FirstMessageEntry;
    if (m >= 0 && m < MessageCount)
        return Messages[m];
    if (entry == 108)
        return VSpaceTip;
    const int x = entry - FirstExtraEntry;
    if (x >= 0 && x < ExtraCount)
        return ExtraTexts[x];
    return QString();
}

QString LanguageTexts::builtInText(int entry)
{
    return entry >= FirstExtraEntry ? BuiltInTexts::extraText(entry) : BuiltInTexts::text(entry);
}

void LanguageTexts::apply(const LanguageData &data)
{
    HelpFile = LanguageFile::isHelpFileName(data.helpFile) ? data.helpFile : BuiltInTexts::helpFile();
    for (int n = FirstFrameEntry; n < FirstDialogEntry; ++n) {
        const QString given = data.has(n) ? firstLine(data.entries[n]) : QString();
        QString &target = FrameTexts[n - FirstFrameEntry];
        if (!isBlank(given))
            target = given;
        else
            target = mayStayEmpty(n) ? QString() : BuiltInTexts::text(n);
    }
    for (int n = FirstDialogEntry; n < FirstMessageEntry; ++n) {
        if (data.has(n) && !isBlank(data.entries[n]))
            DialogTexts[n - FirstDialogEntry] = data.entries[n];
    }
    for (int n = FirstMessageEntry; n < FirstMessageEntry + MessageCount; ++n) {
        if (data.has(n) && !isBlank(data.entries[n]))
            Messages[n - FirstMessageEntry] = data.entries[n];
    }
    AppTitle = QStringLiteral("Kodoplet ") + text(1) + QStringLiteral(" Int.");
    UntitledName = text(2);
    FileCaption = text(3);
    NewPageTitle = text(11);
    DefaultProjectName = text(62);
    Locale = data.has(109) ? firstLine(data.entries[109]).trimmed() : QString();
    // Older files hold the VSPACE tooltip in entry 86, shared with the language chooser's title.
    VSpaceTip = data.has(108) && !isBlank(data.entries[108]) ? data.entries[108] : text(86);
    // Older files lack the later entries: English rather than the previous language.
    for (int i = 0; i < ExtraCount; ++i) {
        const int n = FirstExtraEntry + i;
        ExtraTexts[i] = data.has(n) && !isBlank(data.entries[n]) ? firstLine(data.entries[n])
                                                                : BuiltInTexts::extraText(n);
    }
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
