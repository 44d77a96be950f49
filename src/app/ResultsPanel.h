#pragma once
#include <QDockWidget>
#include <QList>
#include <QString>
#include <QStringList>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// One row of the results panel: the place it leads to and what its columns say.
struct ResultRow {
    QString file;        // a file's path, or the caption of an untitled document
    int line = 0;        // 1-based, lines as the gutter counts them; 0: no place
    int column = 0;      // 1-based, in characters of the editor's text
    int length = 0;      // characters selected at the place (a find hit), 0: caret only
    QString first;       // the first column: level or file name
    QString text;        // the last column: message, link or the line's text
    int markStart = -1;  // the part of text shown marked (a find hit), -1: none
    int markLength = 0;
};

// The panel below the documents where checks and searches list what they
// found. Enter or a double-click on a row asks for its place (rowActivated);
// the owner opens the document and puts the caret there. While long work runs
// the panel shows its progress and a button to cancel it. The user may close it.
class ResultsPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit ResultsPanel(QWidget *parent = nullptr);

    // Column captions: first column, "line:column", last column.
    void setHeaders(const QStringList &headers);
    // Replaces the rows; the summary stands above them and in the title.
    void showRows(const QString &title, const QString &summary, const QList<ResultRow> &rows);
    // Long work running: the summary says what, the bar shows done of total
    // (total 0: busy without a count), the cancel button is shown.
    void showProgress(const QString &title, const QString &summary, int done, int total);
    void setCancelText(const QString &text);
    // Shows the panel and brings it forward.
    void present();

    int rowCount() const { return int(m_rows.size()); }
    const ResultRow &row(int i) const { return m_rows.at(i); }
    QString summary() const;
    QTreeWidget *list() const { return m_list; }

signals:
    void rowActivated(const ResultRow &row);
    void cancelRequested();

private:
    void onActivated(QTreeWidgetItem *item);

    QLabel *m_summary;
    QProgressBar *m_progress;
    QPushButton *m_cancel;
    QTreeWidget *m_list;
    QList<ResultRow> m_rows;
};
