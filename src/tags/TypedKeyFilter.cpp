#include "tags/TypedKeyFilter.h"

#include <QKeyEvent>
#include <QWidget>

TypedKeyFilter::TypedKeyFilter(Rule rule, QObject *parent) : QObject(parent), m_rule(std::move(rule)) {}

void TypedKeyFilter::install(QWidget *box, Rule rule)
{
    box->installEventFilter(new TypedKeyFilter(std::move(rule), box));
}

bool TypedKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<const QKeyEvent *>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    for (const QChar c : key->text()) {
        if (c.category() == QChar::Other_Control)
            continue;
        if (!m_rule(c))
            return true; // swallowed: the box never sees it
    }
    return false;
}
