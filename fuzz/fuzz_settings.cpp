// libFuzzer target: the settings file reader. Whatever it reads, the file written
// at exit reads back to the same settings; a text value that cannot be written
// whole (a line break, or a quote where quotes are needed) is written empty.
#include "FuzzFile.h"
#include "app/SettingsFile.h"

#include <cstdint>

using fuzz::check;

namespace {

bool sameText(const QString &back, const QString &value)
{
    return back == value || back.isEmpty();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString folder = fuzz::scratchDir().path();
    const QString path = fuzz::scratchDir().filePath(QStringLiteral("kodoplet.ini"));
    if (!fuzz::writeFile(path, bytes))
        return 0;
    Settings s;
    SettingsFile::initDefaults(s, folder);
    SettingsFile::read(path, s);
    if (!fuzz::writeFile(path, SettingsFile::bytes(s)))
        return 0;
    Settings back;
    SettingsFile::initDefaults(back, folder);
    check(SettingsFile::read(path, back), "written settings file refused");
    check(back.EditorFontSize == s.EditorFontSize && back.WrapMode == s.WrapMode, "number lost");
    check(back.EditorFontBold == s.EditorFontBold && back.EditorFontItalic == s.EditorFontItalic
              && back.ToolbarChecked == s.ToolbarChecked && back.ListTagsChecked == s.ListTagsChecked,
          "check mark lost");
    check(sameText(back.LanguageFile, s.LanguageFile) && sameText(back.ProjectPath, s.ProjectPath)
              && sameText(back.LastFolder, s.LastFolder),
          "text value changed");
    // An empty font name is never taken: the default stands.
    check(back.EditorFontName == s.EditorFontName || back.EditorFontName == QStringLiteral("MS Sans Serif"),
          "font name changed");
    return 0;
}
