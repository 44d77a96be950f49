#pragma once
#include "common/FileFilter.h"
#include <QList>
#include <QString>

// The fixed texts of the file commands and the preview: file dialog filters,
// the page skeleton, a new script, and the small pages the preview writes.
namespace PageTexts {

QList<FileFilter> htmlFilter();
QList<FileFilter> scriptFilter();
QList<FileFilter> projectFilter();

// The page skeleton used when the template is missing or empty.
QString pageSkeleton(const QString &newPageTitle);
// The text of a new script, and where its caret goes.
QString newScriptText();
constexpr int NewScriptCaret = 111;
// Name of the page template beside the program.
QString templateName();

// A page that sends the browser on to target.
QString redirectPage(const QString &target);

} // namespace PageTexts
