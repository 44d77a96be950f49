#include "tags/HtmlElements.h"
#include "tags/HtmlElementTable.h"

#include <QHash>

namespace {

QStringList words(const char *text) { return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts); }

QString valueKey(const QString &element, const QString &attribute) { return element + u' ' + attribute; }

// The table read once into lists and look-ups.
struct Index {
    QStringList names;                     // sorted
    QHash<QString, QStringList> attributes; // element -> own + global + events
    QStringList common;                     // global + events
    QHash<QString, QStringList> values;     // "element attribute" or "* attribute" -> values

    Index()
    {
        const QStringList global = words(HtmlElementTable::globalAttributes());
        const QStringList events = words(HtmlElementTable::eventAttributes());
        common = global + events;
        for (const HtmlElementTable::Element &e : HtmlElementTable::elements()) {
            const QString name = QString::fromLatin1(e.name);
            names << name;
            QStringList all = words(e.attributes);
            for (const QString &a : common)
                if (!all.contains(a))
                    all << a;
            if (name == u"body")
                all << words(HtmlElementTable::windowEventAttributes());
            attributes.insert(name, all);
        }
        names.sort();
        for (const HtmlElementTable::Values &v : HtmlElementTable::values())
            for (const QString &element : words(v.elements))
                values.insert(valueKey(element, QString::fromLatin1(v.attribute)), words(v.values));
    }
};

const Index &index()
{
    static const Index i;
    return i;
}

} // namespace

namespace HtmlElements {

const QStringList &elements() { return index().names; }

bool isElement(QStringView name) { return index().attributes.contains(name.toString().toLower()); }

QStringList attributesOf(QStringView element)
{
    const Index &i = index();
    return i.attributes.value(element.toString().toLower(), i.common);
}

QStringList valuesOf(QStringView element, QStringView attribute)
{
    const Index &i = index();
    const QString a = attribute.toString().toLower();
    const auto own = i.values.constFind(valueKey(element.toString().toLower(), a));
    if (own != i.values.constEnd())
        return *own;
    return i.values.value(valueKey(QStringLiteral("*"), a));
}

} // namespace HtmlElements
