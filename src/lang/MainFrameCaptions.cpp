#include "lang/MainFrameCaptions.h"

namespace {

CaptionBinding caption(const char *name, int entry, const char *prefix = "")
{
    return CaptionBinding{QString::fromLatin1(name), entry, QString::fromLatin1(prefix),
                          QString(), CaptionBinding::Caption};
}

CaptionBinding toolTip(int button, int entry, const char *suffix = "")
{
    return CaptionBinding{QStringLiteral("PicKnopki") + QString::number(button), entry,
                          QString(), QString::fromLatin1(suffix), CaptionBinding::ToolTip};
}

QList<CaptionBinding> buildList()
{
    return {
        caption("mnuOptionsLang", CaptionBinding::LanguageName, "Language: "),
        // File
        caption("mnuFile", 3),
        caption("mnuFileNew", 4), caption("mnuFileScriptNew", 4), caption("ProektNew", 4),
        toolTip(0, 4), toolTip(1, 4, " Script"),
        caption("mnuFileOpen", 5), caption("mnuFileScriptOpen", 5), caption("ProektOpen", 5),
        toolTip(2, 5),
        caption("mnuFileSaveFile", 6), toolTip(4, 6),
        caption("mnuFileSaveFileAs", 7),
        caption("mnuFileSaveProekt", 8), caption("ProektProektSave", 8),
        caption("mnuFileSaveProektAs", 9), caption("ProektProektSaveAs", 9),
        caption("mnuFileExit", 10),
        // Edit
        caption("mnuEdit", 12),
        caption("mnuEditUndo", 13), toolTip(9, 13),
        caption("mnuEditRedo", 14), toolTip(10, 14),
        caption("mnuEditCut", 15), toolTip(5, 15),
        caption("mnuEditCopy", 16), toolTip(6, 16),
        caption("mnuEditPaste", 17), toolTip(7, 17),
        caption("mnuEditDelete", 18),
        caption("mnuEditSelectAll", 19),
        caption("mnuEditFind0", 20), toolTip(8, 20),
        caption("mnuEditFind1", 21),
        caption("mnuEditFind2", 22),
        caption("mnuEditPerenosWord", 23),
        caption("mnuEditFont", 24), toolTip(18, 24),
        caption("mnuEditNewRasklad", 25),
        caption("mnuEditOpenAllFile", 106),
        // Tags
        caption("Code", 26),
        caption("CodeFrm0", 27),
        caption("CodeFrm1", 28, "<TABLE...> - "),
        caption("CodeFrm2", 29, "<FONT...> - "),
        caption("CodeFrm3", 30, "<IMG SRC...> - "),
        caption("CodeAhref", 31, "<A HREF...> - "),
        caption("CodeMedia", 32),
        caption("CodeMediaHTML0", 33, "<OBJECT> - "),
        caption("CodeMediaHTML1", 34, "<PARAM...> - "),
        caption("CodeMediaHTML2", 35, "<MARQUEE...> - "),
        caption("CodeForms", 36),
        caption("CodeFormsHTML0", 37, "<FORM ACTIOIN...> - "),
        caption("CodeFormsHTML1", 38, "<TEXTAREA...> - "),
        caption("CodeFormsSelect", 39, "<SELECT...> - "),
        caption("CodeColor", 40), toolTip(17, 40),
        caption("CodeFoundTags", 41),
        caption("CodeFoundLine", 42),
        caption("CodeTextTags", 43),
        // Project
        caption("Proekt", 44),
        caption("ProektListFile", 45), toolTip(3, 45),
        caption("ProektOpenAllFile", 46),
        caption("ProektCloseAllFile", 47),
        caption("ProektAddFile", 48),
        caption("ProektRemoveFile", 49),
        // Options, Window, Help
        caption("mnuOptions", 50),
        caption("mnuOptionsToolbar", 51),
        caption("mnuOptionsListTags", 52),
        caption("mnuWindow", 53),
        caption("mnuWindowCascade", 54),
        caption("mnuWindowTileHorizontal", 55),
        caption("mnuWindowTileVertical", 56),
        caption("mnuWindowArrangeIcons", 57),
        caption("Help", 58),
        caption("HelpCallHelp", 59),
        caption("HelpShare", 60),
        caption("HelpAbout", 61),
    };
}

QString withoutEllipsis(QString text)
{
    if (text.endsWith(QStringLiteral("...")))
        text.chop(3);
    else if (text.endsWith(QChar(0x2026)))
        text.chop(1);
    return text;
}

} // namespace

const QList<CaptionBinding> &mainFrameCaptions()
{
    static const QList<CaptionBinding> list = buildList();
    return list;
}

QString captionText(const CaptionBinding &binding, const LanguageData &data,
                    const LanguageTexts &texts)
{
    QString entry;
    if (binding.entry == CaptionBinding::LanguageName)
        entry = data.languageName;
    else if (binding.entry >= LanguageTexts::FirstDialogEntry)
        entry = texts.text(binding.entry);
    else
        entry = data.entry(binding.entry);
    if (binding.target == CaptionBinding::ToolTip)
        entry = withoutEllipsis(withoutMnemonics(entry));
    return binding.prefix + entry + binding.suffix;
}

QString withoutMnemonics(const QString &caption)
{
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&') {
                plain += u'&';
                ++i;
            }
            continue;
        }
        plain += caption[i];
    }
    return plain;
}
