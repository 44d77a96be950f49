#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace QtTranslations {

namespace {
std::unique_ptr<QTranslator> g_translator;
QString g_locale;
}

bool use(const QString &locale)
{
    const QString wanted = locale.trimmed();
    if (g_translator && wanted == g_locale)
        return true;
    if (g_translator) {
        QCoreApplication::removeTranslator(g_translator.get());
        g_translator.reset();
    }
    g_locale.clear();
    if (wanted.isEmpty() || !QCoreApplication::instance())
        return false;
    auto t = std::make_unique<QTranslator>();
    // "qt_xx" gathers the catalogues of every Qt module that has one.
    if (!t->load(QLocale(wanted), QStringLiteral("qt"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(t.get());
    g_translator = std::move(t);
    g_locale = wanted;
    return true;
}

QString current()
{
    return g_locale;
}

} // namespace QtTranslations
