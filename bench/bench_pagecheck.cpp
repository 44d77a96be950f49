// Times Tags > Check Page's checker on a 1 MB page of usual mark-up (paragraphs,
// links, lists, tables, a custom element) with one fault in every hundred lines.
#include "tags/PageCheck.h"
#include "BenchSupport.h"

#include <cstdio>

int main()
{
    QString page = QStringLiteral("<!DOCTYPE html>\r\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>Big</title></head><body>\r\n");
    int lines = 2;
    while (page.size() < 1000 * 1000) {
        page += QStringLiteral("<div class=\"row\" data-n=\"%1\"><p>Line %1 with <a href=\"page%1.htm#top\">a link</a>, "
                               "<b>bold</b> and <i>italic</i> words.</p>\r\n<ul><li>one</li><li>two</li></ul>"
                               "<my-card><span>card</span></my-card></div>\r\n").arg(lines);
        lines += 2;
        if (lines % 100 == 0) {
            page += QStringLiteral("<p>unclosed <b>bold</p>\r\n");
            ++lines;
        }
    }
    page += QStringLiteral("</body></html>\r\n");
    std::vector<double> ms;
    PageCheckResult r;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        r = checkPage(page);
        ms.push_back(bench::ms(t));
    }
    std::printf("page check: %lld characters, %d lines, %d errors, %d warnings, median %.1f ms (min %.1f, max %.1f)\n",
                static_cast<long long>(page.size()), lines, r.errors, r.warnings, bench::median(ms),
                *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()));
    return r.failed ? 1 : 0;
}
