#include "lang/MainFrameCaptions.h"

namespace {

QString withoutEllipsis(QString text)
{
    if (text.endsWith(QStringLiteral("...")))
        text.chop(3);
    else if (text.endsWith(QChar(0x2026)))
        text.chop(1);
    return text;
}

} // namespace

QString captionText(const CaptionBinding &binding, const LanguageData &data,
                    const LanguageTexts &texts)
{
    QString entry;
    if (binding.entry == CaptionBinding::LanguageName)
        entry = texts.text(TextEntry::LanguageLabel) + u' ' + data.languageName;
    else
        entry = texts.text(binding.entry);  // the file's text, or the built-in one it left out
    QString suffix = binding.suffix;
    if (binding.suffixEntry != CaptionBinding::NoEntry)
        suffix += u' ' + texts.text(binding.suffixEntry);
    if (binding.target == CaptionBinding::ToolTip) {
        entry = withoutEllipsis(withoutMnemonics(entry));
        suffix = withoutMnemonics(suffix);
    }
    return binding.prefix + entry + suffix;
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
