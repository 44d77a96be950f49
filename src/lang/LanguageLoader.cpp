#include "lang/LanguageLoader.h"
#include "common/Options.h"
#include "common/Settings.h"
#include "lang/LanguageFile.h"
#include "lang/LanguageTexts.h"
#include "lang/frmLang.h"
#include "platform/QtTranslations.h"

#include <QGuiApplication>

namespace {
// The reader's "could not open" code, for a name refused before reading.
constexpr int OpenFailed = 97;  // as the text-file reader gives it
}

LanguageLoader::~LanguageLoader()
{
    delete m_chooser.data();
}

QString LanguageLoader::languageFolder() const
{
    return m_settings.DataFolder + QStringLiteral("Language") + m_settings.PathSeparator;
}

const QString &LanguageLoader::currentFile() const
{
    return m_settings.LanguageFile;
}

bool LanguageLoader::LoadJazikM(const QString &fileName)
{
    const QString path = languageFolder() + fileName;
    LanguageData data;
    // Only a plain file name inside Language/: a name with folder parts
    // ("../../etc/passwd") is refused like a file that is no language file.
    const int error = LanguageFile::isPlainLanguageFileName(fileName) ? LanguageFile::read(path, data) : OpenFailed;
    if (error != 0) {
        if (reportOpenError)
            reportOpenError(path, error);
        return false;
    }
    m_oldUntitled = m_lang.UntitledName;
    m_oldDefaultProject = m_lang.DefaultProjectName;
    m_data = std::move(data);
    m_lang.apply(m_data);
    m_settings.LanguageFile = fileName;
    QtTranslations::use(m_lang.Locale);
    m_changed.announce();
    return true;
}

void LanguageLoader::mnuOptionsLang_Click()
{
    if (!m_chooser) {
        m_chooser = new frmLang(*this, owner ? owner() : nullptr);
        m_chooser->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_chooser->show();
    m_chooser->raise();
    m_chooser->activateWindow();
}

void LanguageLoader::HelpCallHelp()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    if (openUrl)
        openUrl(m_settings.DataFolder + m_lang.HelpFile);
    QGuiApplication::restoreOverrideCursor();
}

void LanguageLoader::applyAtStartUp()
{
    // A remembered name that is no plain file name is as good as none.
    if (!LanguageFile::isPlainLanguageFileName(m_settings.LanguageFile))
        m_settings.LanguageFile.clear();
    if (m_settings.LanguageFile.isEmpty()) {
        frmLang chooser(*this, owner ? owner() : nullptr);
        chooser.exec();
    } else {
        LoadJazikM(m_settings.LanguageFile);
    }
}
