// Times Project > Check Links over a site of 1,000 pages of 50 kB in a temporary
// folder: every page links to others (with fragments), images, a style sheet
// and web addresses; one link in twenty is broken.
#include "search/LinkCheck.h"
#include "BenchSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

int main()
{
    QTemporaryDir dir;
    const int pages = 1000;
    QDir().mkpath(dir.path() + QStringLiteral("/img"));
    QFile logo(dir.path() + QStringLiteral("/img/logo.png"));
    if (!logo.open(QIODevice::WriteOnly))
        return 2;
    logo.write("png");
    logo.close();
    for (int i = 0; i < pages; ++i) {
        QByteArray page = "<!DOCTYPE html><html><head><title>p</title><link rel=\"stylesheet\" href=\"../site.css\"></head><body>\r\n";
        int n = 0;
        while (page.size() < 50 * 1000) {
            const int to = (i * 7 + n) % pages;
            page += "<p id=\"p" + QByteArray::number(n) + "\">Text <a href=\"../part" + QByteArray::number(to / 100) + "/page"
                + QByteArray::number(to) + ".htm#p" + QByteArray::number(n % 50) + "\">link</a> <img src=\"../img/"
                + (n % 20 == 0 ? "Logo.png" : "logo.png") + "\" alt=\"\"> <a href=\"https://example.org/" + QByteArray::number(n)
                + "\">web</a> and more words of the page.</p>\r\n";
            ++n;
        }
        page += "</body></html>\r\n";
        const QString sub = dir.path() + QStringLiteral("/part%1").arg(i / 100);
        QDir().mkpath(sub);
        QFile f(sub + QStringLiteral("/page%1.htm").arg(i));
        if (!f.open(QIODevice::WriteOnly) || f.write(page) != page.size())
            return 2;
    }
    std::vector<double> ms, cpu;
    LinkCheckResult r;
    for (int run = 0; run < 3; ++run) {
        const std::clock_t c0 = std::clock();
        QElapsedTimer t;
        t.start();
        r = LinkCheck::check(LinkCheck::sitePages(dir.path()), dir.path());
        ms.push_back(bench::ms(t));
        cpu.push_back(double(std::clock() - c0) * 1000.0 / CLOCKS_PER_SEC);
    }
    std::printf("link check: %d pages of about 50 kB, %d links, %d broken, %d not checked, median %.1f ms (min %.1f, max %.1f), processor time median %.1f ms\n",
                r.pages, r.links, r.broken, r.notChecked, bench::median(ms), *std::min_element(ms.begin(), ms.end()),
                *std::max_element(ms.begin(), ms.end()), bench::median(cpu));
    return 0;
}
