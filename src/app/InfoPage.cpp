#include "app/InfoPage.h"
#include "app/CommandTable.h"
#include "lang/MainFrameCaptions.h"

namespace InfoPage {

QList<ShortcutRow> shortcutRows(const std::function<QString(const QString &)> &captionOf)
{
    QList<ShortcutRow> rows;
    for (const Commands::Command &c : Commands::commandTable()) {
        if (c.kind != Commands::Kind::Item || c.shortcut.isEmpty())
            continue;
        QStringList path;
        for (const Commands::Command *at = &c; at; at = at->parent.isEmpty() ? nullptr : Commands::findCommand(at->parent)) {
            QString caption = captionOf ? captionOf(at->name) : QString();
            if (caption.isEmpty())
                caption = at->caption;
            path.prepend(withoutMnemonics(caption).trimmed());
        }
        rows.append({path.join(QStringLiteral(" > ")), QString(c.shortcut).replace(u';', QStringLiteral(", "))});
    }
    return rows;
}

QString page(const QString &appTitle, const QString &version, const QList<ShortcutRow> &rows,
             const LanguageTexts &texts)
{
    const QString title = appTitle.toHtmlEscaped();
    QString html = QStringLiteral(
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title>\n"
        "<style>body{font-family:sans-serif;margin:16px;color:#222}"
        "table{border-collapse:collapse}td{padding:2px 12px 2px 0;border-bottom:1px solid #ddd}"
        "td.k{font-family:monospace;white-space:nowrap}</style></head>\n<body>\n"
        "<h1>%1</h1>\n<p>%2</p>\n<p>%3</p>\n<h2>%4</h2>\n<table id=\"shortcuts\">\n")
                       .arg(title, texts.text(TextEntry::Version).arg(version).toHtmlEscaped(),
                            texts.text(TextEntry::InfoText).toHtmlEscaped(), texts.text(TextEntry::Shortcuts).toHtmlEscaped());
    for (const ShortcutRow &r : rows)
        html += QStringLiteral("<tr><td>%1</td><td class=\"k\">%2</td></tr>\n")
                    .arg(r.command.toHtmlEscaped(), r.keys.toHtmlEscaped());
    html += QStringLiteral("</table>\n</body></html>\n");
    return html;
}

} // namespace InfoPage
