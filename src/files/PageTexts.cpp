#include "files/PageTexts.h"
#include "common/PreviewSite.h"
#include "lang/LanguageTexts.h"

#include <QStringList>
#include <QUrl>

namespace PageTexts {

static QList<FileFilter> filterOf(const LanguageTexts &lang, int entry, const QString &shown, const QString &pattern)
{
    return {{lang.text(entry) + QStringLiteral(" (") + shown + u')', pattern},
            {lang.text(TextEntry::AllFiles) + QStringLiteral(" (*.*)"), QStringLiteral("*.*")}};
}

QList<FileFilter> htmlFilter(const LanguageTexts &lang)
{
    return filterOf(lang, TextEntry::HtmlDocument, QStringLiteral("*.htm; *.html"), QStringLiteral("*.htm;*.html"));
}

QList<FileFilter> scriptFilter(const LanguageTexts &lang)
{
    return filterOf(lang, TextEntry::Script, QStringLiteral("*.js"), QStringLiteral("*.js"));
}

QList<FileFilter> projectFilter(const LanguageTexts &lang)
{
    return filterOf(lang, TextEntry::WebProject, QStringLiteral("*.wpr"), QString::fromLatin1(ProjectPattern));
}

QString templateName()
{
    return QStringLiteral("Шаблон.htm");
}

QString pageSkeleton(const QString &newPageTitle)
{
    const QStringList lines = {
        QStringLiteral("<!DOCTYPE HTML PUBLIC '-//W3C//DTD HTML 4.0 Transitional//EN'>"),
        QStringLiteral("<html><head><meta name=\"keywords\" content=\"\"><meta name=\"description\" content=\"\">"),
        QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\"><title>")
            + newPageTitle + QStringLiteral("</title></head>"),
        QStringLiteral("<body topmargin=\"0\" leftmargin=\"0\" rightmargin=\"0\" style=\"\" link=\"\" vlink=\"\" alink=\"\" background=\"\" bgcolor=\"\">"),
        QString(),
        QStringLiteral("<center><font face=\"Times New Roman\" color=\"#000000\" size=\"5\">Посмотреть видеоролик о программе можно <a href=\"https://www.youtube.com/results?search_query=Kodoplet\">здесь</a></font></center>"),
        QString(),
        QString(),
        QStringLiteral("</body></html>"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

QString newScriptText()
{
    return QStringLiteral("document.write('<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">');\r\n"
                          "document.write('');");
}

QString redirectPage(const QString &target)
{
    // A local path becomes a file address, so no character of it is read as
    // anything else; either way the attribute holds it as text.
    const QString address = target.startsWith(u'/') ? QUrl::fromLocalFile(target).toString(QUrl::FullyEncoded) : target;
    return QStringLiteral("<html><head><meta http-equiv='refresh' content='0; url=") + PreviewSite::attributeText(address)
        + QStringLiteral("'><meta http-equiv='Content-Type' content='text/html; charset=windows-1251'><title>WWW</title></head><body></body></html>");
}

} // namespace PageTexts
