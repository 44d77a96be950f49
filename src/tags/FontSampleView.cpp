#include "tags/FontSampleView.h"

FontSampleView::FontSampleView(QWidget *parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setUndoRedoEnabled(false);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::NoFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QVariant FontSampleView::loadResource(int, const QUrl &)
{
    ++m_refused;
    // Not a null QVariant: for a null answer the document would read a local file itself.
    return QVariant(QByteArray());
}
