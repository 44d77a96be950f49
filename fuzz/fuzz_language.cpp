// libFuzzer target: the language file reader and what a load leaves in force.
// A file is taken only with at least one record; after any accepted file no
// title, message or command caption is blank, and no name or caption holds a
// line break. The chooser lists exactly the files the loader takes. The input
// read as a file name is checked against the folder rule as well.
#include "FuzzFile.h"
#include "common/TextFile.h"
#include "lang/LanguageFile.h"
#include "lang/LanguageTexts.h"

#include <QDir>
#include <cstdint>

using fuzz::check;

namespace {

void checkTexts(const LanguageTexts &t)
{
    for (int n = 1; n <= 106; ++n) {
        const QString text = t.text(n);
        if (n != 2 && n != 11 && n != 62)
            check(!text.trimmed().isEmpty(), "blank text after a load");
        if (n <= 62)
            check(!text.contains(u'\r') && !text.contains(u'\n'), "line break in a caption or name");
    }
    check(!t.AppTitle.contains(u'\n') && !t.AppTitle.contains(u'\r'), "line break in the title");
    check(!t.HelpFile.trimmed().isEmpty(), "blank help file");
}

void checkFileName(const QByteArray &bytes)
{
    const QString name = TextFile::decode(bytes);
    if (!LanguageFile::isPlainLanguageFileName(name))
        return;
    // A plain name stays a direct child of the folder.
    const QString folder = QStringLiteral("/program/Language");
    const QString joined = QDir::cleanPath(folder + u'/' + name);
    check(joined.startsWith(folder + u'/') && !joined.mid(folder.size() + 1).contains(u'/')
              && joined.size() > folder.size() + 1,
          "plain name leaves the folder");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = fuzz::scratchDir().filePath(QStringLiteral("lang.txt"));
    if (!fuzz::writeFile(path, bytes))
        return 0;
    LanguageData d;
    const int error = LanguageFile::read(path, d);
    check(error == 0 || error == TextFile::OpenFailed, "unexpected error");
    check((error == 0) == d.hasRecords(), "refusal rule");
    QString listed;
    check(LanguageFile::readLanguageName(path, listed) == (error == 0), "chooser and loader disagree");
    if (error == 0) {
        check(listed == d.languageName, "chooser lists another name");
        LanguageTexts texts;
        texts.apply(d);
        checkTexts(texts);
        texts.apply(d);   // a second load of the same file changes nothing
        checkTexts(texts);
    }
    checkFileName(bytes);
    return 0;
}
