#include "app/ResultsPanel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int RowIndexRole = Qt::UserRole;
constexpr int MarkRole = Qt::UserRole + 1;   // QPoint(start, length) of the marked part

// Draws the last column with the find hit on the highlight colour.
class MarkDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QPoint mark = index.data(MarkRole).toPoint();
        if (mark.y() <= 0)
            return QStyledItemDelegate::paint(p, option, index);
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        const QString text = o.text;
        o.text.clear();
        const QWidget *w = o.widget;
        QStyle *style = w ? w->style() : nullptr;
        if (style)
            style->drawControl(QStyle::CE_ItemViewItem, &o, p, w);
        const QRect r = o.rect.adjusted(3, 0, -3, 0);
        const QString before = text.left(mark.x()), hit = text.mid(mark.x(), mark.y()), after = text.mid(mark.x() + mark.y());
        const QFontMetrics fm(o.font);
        p->save();
        p->setFont(o.font);
        p->setClipRect(r);
        int x = r.left();
        const auto draw = [&](const QString &part, bool marked) {
            const int width = fm.horizontalAdvance(part);
            const QRect box(x, r.top(), width, r.height());
            if (marked) {
                p->fillRect(box, o.palette.brush(QPalette::Highlight));
                p->setPen(o.palette.color(QPalette::HighlightedText));
            } else {
                p->setPen(o.palette.color(o.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
            }
            p->drawText(box, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, part);
            x += width;
        };
        draw(before, false);
        draw(hit, true);
        draw(after, false);
        p->restore();
    }
};

} // namespace

ResultsPanel::ResultsPanel(QWidget *parent) : QDockWidget(parent)
{
    setObjectName(QStringLiteral("ResultsPanel"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);

    auto *body = new QWidget(this);
    auto *column = new QVBoxLayout(body);
    column->setContentsMargins(4, 2, 4, 2);
    auto *top = new QHBoxLayout;
    m_summary = new QLabel(body);
    m_summary->setObjectName(QStringLiteral("ResultsSummary"));
    m_progress = new QProgressBar(body);
    m_progress->setObjectName(QStringLiteral("ResultsProgress"));
    m_progress->setMaximumWidth(200);
    m_progress->hide();
    m_cancel = new QPushButton(body);
    m_cancel->setObjectName(QStringLiteral("ResultsCancel"));
    m_cancel->hide();
    top->addWidget(m_summary, 1);
    top->addWidget(m_progress);
    top->addWidget(m_cancel);
    column->addLayout(top);

    m_list = new QTreeWidget(body);
    m_list->setObjectName(QStringLiteral("ResultsList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setColumnCount(3);
    m_list->setItemDelegateForColumn(2, new MarkDelegate(m_list));
    m_list->header()->setStretchLastSection(true);
    column->addWidget(m_list, 1);
    setWidget(body);

    // Enter and a double-click both activate the row.
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item, int) { onActivated(item); });
    connect(m_cancel, &QPushButton::clicked, this, &ResultsPanel::cancelRequested);
}

void ResultsPanel::setHeaders(const QStringList &headers)
{
    m_list->setHeaderLabels(headers);
}

void ResultsPanel::showRows(const QString &title, const QString &summary, const QList<ResultRow> &rows)
{
    m_progress->hide();
    m_cancel->hide();
    setWindowTitle(title + QStringLiteral(": ") + summary);
    m_summary->setText(summary);
    m_rows = rows;
    m_list->setUpdatesEnabled(false);
    m_list->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(rows.size());
    for (int i = 0; i < rows.size(); ++i) {
        const ResultRow &r = rows.at(i);
        auto *item = new QTreeWidgetItem;
        item->setText(0, r.first);
        if (r.line > 0)
            item->setText(1, QStringLiteral("%1:%2").arg(r.line).arg(r.column));
        item->setText(2, r.text);
        item->setToolTip(2, r.text);
        item->setData(0, RowIndexRole, i);
        if (r.markStart >= 0 && r.markLength > 0)
            item->setData(2, MarkRole, QPoint(r.markStart, r.markLength));
        items << item;
    }
    m_list->addTopLevelItems(items);
    m_list->resizeColumnToContents(0);
    m_list->resizeColumnToContents(1);
    m_list->setUpdatesEnabled(true);
    if (!items.isEmpty())
        m_list->setCurrentItem(items.first());
}

void ResultsPanel::showProgress(const QString &title, const QString &summary, int done, int total)
{
    setWindowTitle(title);
    m_summary->setText(summary);
    m_progress->setRange(0, qMax(0, total));
    m_progress->setValue(total > 0 ? qBound(0, done, total) : 0);
    m_progress->show();
    m_cancel->show();
}

void ResultsPanel::setCancelText(const QString &text)
{
    m_cancel->setText(text);
}

void ResultsPanel::present()
{
    show();
    raise();
}

QString ResultsPanel::summary() const
{
    return m_summary->text();
}

void ResultsPanel::onActivated(QTreeWidgetItem *item)
{
    if (!item)
        return;
    const int i = item->data(0, RowIndexRole).toInt();
    if (i >= 0 && i < m_rows.size() && m_rows.at(i).line > 0)
        emit rowActivated(m_rows.at(i));
}
