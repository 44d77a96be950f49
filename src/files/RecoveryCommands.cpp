#include "files/RecoveryCommands.h"
#include "editing/Document.h"
#include "files/FileCommands.h"
#include "files/RecoveryKeeper.h"
#include "files/WorkFiles.h"
#include "lang/LanguageTexts.h"
#include "lang/Messenger.h"
#include "platform/Dialogs.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>

QString RecoveryCommands::row(const Recovery::Entry &e) const
{
    const LanguageTexts &lang = m_msg.lang();
    if (e.damage != Recovery::Damage::None)
        return lang.text(RecoveryEntry::Damaged).arg(QFileInfo(e.file).fileName());
    const RecoveryRecord &r = e.record;
    const QString when = QLocale().toString(QDateTime::fromMSecsSinceEpoch(r.savedAtMs), QLocale::ShortFormat);
    return lang.text(RecoveryEntry::Row)
        .arg(r.path.isEmpty() ? r.caption : r.path, when, QLocale().toString(qlonglong(r.text.size())));
}

int RecoveryCommands::offer(const Recovery::IsRunning &isRunning)
{
    const QList<Recovery::Entry> found = Recovery::orphans(m_keeper.folder(), isRunning);
    if (found.isEmpty())
        return 0;
    const LanguageTexts &lang = m_msg.lang();
    ListQuestion q;
    q.title = lang.AppTitle + QStringLiteral(" - ") + lang.text(RecoveryEntry::Title);
    q.text = lang.text(RecoveryEntry::Intro);
    for (const Recovery::Entry &e : found)
        q.rows << row(e);
    q.buttons = {lang.text(RecoveryEntry::Recover), lang.text(RecoveryEntry::Discard), lang.text(RecoveryEntry::Later)};
    q.defaultButton = Recover;
    // Closing the window decides nothing: the records stay for the next start.
    q.closeAnswer = Later;
    const int answer = m_msg.dialogs().listQuestion(q);
    if (answer == Discard) {
        for (const Recovery::Entry &e : found)
            WorkFiles::removeRecord(e.file);
        return 0;
    }
    if (answer != Recover)
        return 0;
    int recovered = 0;
    QStringList changed, gone;
    for (const Recovery::Entry &e : found) {
        if (e.damage != Recovery::Damage::None)
            continue;
        const RecoveryRecord &r = e.record;
        Document *doc = m_files.openUnsavedText(r.path, r.text, r.format, r.script);
        if (!doc)
            continue;
        ++recovered;
        // The old record goes once this run's record of the text is on disk.
        m_keeper.adopt(doc, r, e.file);
        if (!r.path.isEmpty()) {
            const LoadedStamp now = LoadedStamp::of(r.path);
            if (now.size < 0 && r.loaded.size >= 0)
                gone << r.path;
            else if (now != r.loaded)
                changed << r.path;
        }
    }
    if (!changed.isEmpty())
        m_msg.ask(lang.text(RecoveryEntry::ChangedOnDisk) + QStringLiteral("\r\n") + changed.join(QStringLiteral("\r\n")),
                  Dialogs::Information);
    if (!gone.isEmpty())
        m_msg.ask(lang.text(RecoveryEntry::GoneFromDisk) + QStringLiteral("\r\n") + gone.join(QStringLiteral("\r\n")),
                  Dialogs::Information);
    return recovered;
}

void RecoveryCommands::tellCannotKeep(const QString &folder) const
{
    m_msg.ask(m_msg.lang().text(RecoveryEntry::CannotKeep) + QStringLiteral("\r\n") + folder, Dialogs::Information);
}
