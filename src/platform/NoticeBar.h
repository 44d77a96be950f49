#pragma once
#include <QFrame>
#include <QList>

class QLabel;
class QHBoxLayout;
class QPushButton;

// A strip above a document's text that tells of something that happened to it
// (its file changed on disk) and offers a few answers as buttons. It never
// blocks: the user may go on typing and answer later, or not at all.
class NoticeBar : public QFrame {
    Q_OBJECT
public:
    explicit NoticeBar(QWidget *parent = nullptr);

    // Shows text with one button per answer ("&Reload"...); buttons are named
    // "cmdNotice0", "cmdNotice1"... for tests.
    void showNotice(const QString &text, const QStringList &answers);
    QString text() const;

signals:
    // The button of that index was pressed; the bar has hidden itself.
    void answered(int index);

private:
    QLabel *m_text;
    QHBoxLayout *m_row;
    QList<QPushButton *> m_buttons;
};
