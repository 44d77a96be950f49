#pragma once
#include <QTextBrowser>

// A light HTML view for the font dialog's sample: it renders the page it is
// given and nothing more. It has no script engine, follows no link and loads
// no resource (image, style sheet) from the disk or the network.
class FontSampleView : public QTextBrowser {
    Q_OBJECT
public:
    explicit FontSampleView(QWidget *parent);
    // How many resources a page asked for and did not get.
    int refusedLoads() const { return m_refused; }

    QVariant loadResource(int type, const QUrl &name) override;

private:
    int m_refused = 0;
};
