// Times Tags > Check Page's checker on a 1 MB page of usual mark-up (paragraphs,
// links, lists, tables, a custom element) with one fault in every hundred lines.
#include "tags/PageCheck.h"
#include "BenchSupport.h"

#include <cstdio>
#include <ctime>

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
    std::vector<double> ms, cpu;
    PageCheckResult r;
    for (int run = 0; run < 5; ++run) {
        const std::clock_t c0 = std::clock();
        QElapsedTimer t;
        t.start();
        r = checkPage(page);
        ms.push_back(bench::ms(t));
        cpu.push_back(double(std::clock() - c0) * 1000.0 / CLOCKS_PER_SEC);
    }
    std::printf("page check: %lld characters, %d lines, %d errors, %d warnings, median %.1f ms (min %.1f, max %.1f), processor time median %.1f ms\n",
                static_cast<long long>(page.size()), lines, r.errors, r.warnings, bench::median(ms),
                *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()), bench::median(cpu));
    return r.failed ? 1 : 0;
}
