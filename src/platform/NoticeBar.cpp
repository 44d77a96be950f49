#include "platform/NoticeBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

NoticeBar::NoticeBar(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("NoticeBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("lblNotice"));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setForegroundRole(QPalette::ToolTipText);
    m_row = new QHBoxLayout(this);
    m_row->setContentsMargins(6, 3, 6, 3);
    m_row->addWidget(m_text, 1);
    hide();
}

void NoticeBar::showNotice(const QString &text, const QStringList &answers)
{
    m_text->setText(text);
    for (QPushButton *b : m_buttons)
        b->deleteLater();
    m_buttons.clear();
    for (int i = 0; i < answers.size(); ++i) {
        auto *b = new QPushButton(answers[i], this);
        b->setObjectName(QStringLiteral("cmdNotice%1").arg(i));
        // The keyboard stays in the text; the buttons answer a click (or their accelerator).
        b->setFocusPolicy(Qt::NoFocus);
        m_row->addWidget(b);
        m_buttons << b;
        connect(b, &QPushButton::clicked, this, [this, i] {
            hide();
            emit answered(i);
        });
    }
    show();
}

QString NoticeBar::text() const
{
    return m_text->text();
}
