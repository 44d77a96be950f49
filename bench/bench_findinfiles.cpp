// Times Edit > Find in Files over 1,000 pages of 50 kB in a temporary folder:
// listing, reading, decoding and searching, for a plain word, a whole word
// without case and a regular expression.
#include "search/FindInFiles.h"
#include "BenchSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

int main()
{
    QTemporaryDir dir;
    QByteArray page;
    int n = 0;
    while (page.size() < 50 * 1000) {
        page += "<p class=\"row\">Line " + QByteArray::number(n++)
            + " of text with <b>bold</b>, <a href=\"other.htm\">a link</a> and <i>italic</i> words.</p>\r\n";
        if (n % 40 == 0)
            page += "<p>The needle is here.</p>\r\n";
    }
    for (int i = 0; i < 1000; ++i) {
        const QString sub = dir.path() + QStringLiteral("/part%1").arg(i / 100);
        QDir().mkpath(sub);
        QFile f(sub + QStringLiteral("/page%1.htm").arg(i));
        if (!f.open(QIODevice::WriteOnly) || f.write(page) != page.size())
            return 2;
    }
    struct Case { const char *name; FindQuery q; };
    FindQuery plain, word, regex;
    plain.text = QStringLiteral("needle");
    plain.matchCase = true;
    word.text = QStringLiteral("NEEDLE");
    word.wholeWord = true;
    regex.text = QStringLiteral("href=\"[^\"]+\\.htm\"");
    regex.regex = true;
    for (const Case &c : {Case{"plain", plain}, Case{"whole word, any case", word}, Case{"regular expression", regex}}) {
        std::vector<double> ms, cpu;
        FindInFilesResult r;
        for (int run = 0; run < 5; ++run) {
            const std::clock_t c0 = std::clock();
            QElapsedTimer t;
            t.start();
            const QStringList files = FindInFiles::listFiles(dir.path(), FindInFiles::DefaultNames);
            r = FindInFiles::search(files, FindInFiles::compile(c.q), {});
            ms.push_back(bench::ms(t));
            cpu.push_back(double(std::clock() - c0) * 1000.0 / CLOCKS_PER_SEC);
        }
        std::printf("find in files, %s: %d files of %lld bytes, %d hits, median %.1f ms (min %.1f, max %.1f), processor time median %.1f ms\n", c.name,
                    r.searched, static_cast<long long>(page.size()), r.hits, bench::median(ms),
                    *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()), bench::median(cpu));
    }
    return 0;
}
