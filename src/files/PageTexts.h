#pragma once
#include "common/FileFilter.h"
#include <QList>
#include <QString>

struct LanguageTexts;

// The fixed texts of the file commands and the preview: file dialog filters,
// the page skeleton, a new script, and the small pages the preview writes.
namespace PageTexts {

// File dialog filters, their descriptions in the current language.
QList<FileFilter> htmlFilter(const LanguageTexts &lang);
QList<FileFilter> scriptFilter(const LanguageTexts &lang);
QList<FileFilter> projectFilter(const LanguageTexts &lang);
constexpr const char *ProjectPattern = "*.wpr";

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
