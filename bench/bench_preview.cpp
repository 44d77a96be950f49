// Times the live preview on a 1 MB page: a keystroke with the live preview open
// and without it, and a refresh from the end of the pause to the changed page
// shown; then a keystroke on the 10 MB page with the live preview open.
#include "BenchSupport.h"
#include "BenchProgram.h"
#include "app/AppState.h"
#include "app/MainFrame.h"
#include "editing/DocWindow.h"
#include "common/PreviewSite.h"
#include "platform/BrowserView.h"
#include "platform/EditControl.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <cstdio>

using namespace bench;

namespace {

QByteArray page(int targetBytes)
{
    QByteArray p = "<html><head><title>Live</title></head><body>\r\n";
    for (int n = 0; p.size() < targetBytes; ++n)
        p += "<p class=\"row\">Line " + QByteArray::number(n) + " of text with <b>bold</b> and <i>italic</i> words.</p>\r\n";
    return p + "</body></html>\r\n";
}

DocWindow *open(TestApp &program, const QString &name, const QByteArray &bytes)
{
    QFile f(program.folder + name);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return nullptr;
    f.close();
    program.dialogs.fileAnswers.enqueue(program.folder + name);
    program.frame->trigger(QStringLiteral("mnuFileOpen"));
    QApplication::processEvents();
    return app().docs.active();
}

bool waitShown(DocWindow *d, int &shown, int want)
{
    QElapsedTimer t;
    t.start();
    while (shown < want && t.elapsed() < 30000)
        QTest::qWait(1);
    (void)d;
    return shown >= want;
}

} // namespace

int main(int argc, char *argv[])
{
    drawOffscreenByDefault();
    QApplication qapp(argc, argv);
    TestApp program;
    program.start();
    (void)QTest::qWaitForWindowExposed(program.frame.get());
    app().listTags.set(false);

    DocWindow *d = open(program, QStringLiteral("one.htm"), page(1000 * 1000));
    if (!d)
        return 1;
    EditControl *e = d->Rich();
    e->setFocus();
    const double without = typingMedian(e, 200);
    int shown = 0;
    QObject::connect(d, &DocWindow::livePreviewShown, [&] { ++shown; });
    program.frame->trigger(QStringLiteral("mnuFileLivePreview"));
    if (!d->livePreview() || !waitShown(d, shown, 1))
        return 1;
    const double with = typingMedian(e, 200);
    if (!waitShown(d, shown, 2))
        return 1;
    // A refresh: the pause is over, the page with the change is shown.
    std::vector<double> refresh;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(e, Qt::Key_A);
        QElapsedTimer t;
        t.start();
        const int want = shown + 1;
        if (!waitShown(d, shown, want))
            return 1;
        refresh.push_back(ms(t) - DocWindow::LivePause);
    }

    // Of which: the text and its bytes for the site.
    QElapsedTimer build;
    build.start();
    QString pageName;
    const PreviewSite site = d->previewSite(&pageName);
    const double siteMs = ms(build);
    std::printf("of which the page's text and bytes: %.1f ms (%lld bytes)\n", siteMs,
                static_cast<long long>(site.pages.value(pageName).bytes.size()));

    DocWindow *big = open(program, QStringLiteral("ten.htm"), page(10 * 1000 * 1000));
    if (!big)
        return 1;
    big->Rich()->setFocus();
    const double bigWithout = typingMedian(big->Rich(), 100);
    int bigShown = 0;
    QObject::connect(big, &DocWindow::livePreviewShown, [&] { ++bigShown; });
    program.frame->trigger(QStringLiteral("mnuFileLivePreview"));
    if (!waitShown(big, bigShown, 1))
        return 1;
    const double bigWith = typingMedian(big->Rich(), 100);

    std::printf("typing one character on the 1 MB page: median %.3f ms without the live preview, %.3f ms with it\n", without, with);
    std::printf("live preview refresh of the 1 MB page after the %d ms pause: median %.1f ms\n", DocWindow::LivePause, median(refresh));
    std::printf("typing one character on the 10 MB page: median %.3f ms without the live preview, %.3f ms with it\n",
                bigWithout, bigWith);
    return 0;
}
