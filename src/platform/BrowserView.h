#pragma once
#include <QWebEngineView>
#include <memory>

class QTemporaryFile;
class PreviewPage;

// The rendered preview of a document: read-only and key-silent (only the Up and
// Down arrow keys reach the page, no context menu, no text selection). While it is
// hidden every navigation the page tries on its own is refused.
class BrowserView : public QWebEngineView {
    Q_OBJECT
public:
    explicit BrowserView(QWidget *parent = nullptr);
    ~BrowserView() override;

    // Shows this mark-up as the page; relative addresses resolve against baseUrl.
    void loadHtml(const QString &html, const QUrl &baseUrl = QUrl());
    // Shows html, the text of the file at path, as mark-up whatever the file's
    // name; relative addresses resolve against the file's folder.
    void showFilePage(const QString &html, const QString &path);
    // Whether the preview is the visible view (navigations are allowed only then).
    void setPreviewShown(bool shown);
    bool previewShown() const { return m_shown; }

    // The engine refuses to run as root without its sandbox switched off and
    // would end the process; such a start is refused here instead.
    static bool engineCanStart();
    static QString whyEngineCannotStart();

    // setHtml refuses pages above this size; larger ones go through a file.
    static constexpr qsizetype MaxInlineHtml = 1500 * 1024;

private:
    PreviewPage *m_page = nullptr;
    bool m_shown = false;
    std::unique_ptr<QTemporaryFile> m_bigPage;
};
