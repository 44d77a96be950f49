// Times Find next and Replace all over a 10 MB page of about 120,000 lines, and
// the same replacement by sed on the same file.
#include "BenchSupport.h"
#include "platform/BigPages.h"
#include "search/DocFoundTextM.h"
#include "search/ReplaceInDocument.h"
#include "search/SearchState.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace bench;

namespace {

struct Timing {
    double median, min, max;
};

Timing timeRuns(int runs, const std::function<void()> &work)
{
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front(), ms.back()};
}

} // namespace

int main(int, char *argv[])
{
    // As the program runs: see BigPages.
    BigPages::useForThisProcess(argv);
    const QString page = bench::searchPage();
    std::printf("page: %lld characters, %lld tildes, %lld lines\n", static_cast<long long>(page.size()),
                static_cast<long long>(page.count(u'~')), static_cast<long long>(page.count(QStringLiteral("\r\n"))));

    // Find next from the top to the one match at the end.
    for (int matchCase : {0, 1}) {
        SearchState st;
        st.FindMatchCase = matchCase;
        st.prepareFind(QStringLiteral("<!-- end"), QStringLiteral("-->"));
        FindResult r;
        const Timing t = timeRuns(9, [&] {
            st.FindNextPos = 1;
            r = DocFoundTextM(page, st);
        });
        std::printf("find next to the end, match case %s: at %d length %d, median %.2f ms (min %.2f, max %.2f)%s\n",
                    matchCase ? "on " : "off", r.selStart, r.selLength, t.median, t.min, t.max,
                    matchCase ? " (case on: no match expected)" : "");
    }

    // Replace all of 1,000,000 one-character matches.
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("page.htm"));
    {
        QFile f(in);
        if (!f.open(QIODevice::WriteOnly) || f.write(page.toLatin1()) != page.size())
            return 1;
    }
    bool allSame = true;
    for (const QString &with : {QStringLiteral("--"), QStringLiteral("-")}) {
        ReplaceResult r;
        double caseOff = 0;
        for (int matchCase : {0, 1}) {
            SearchState st;
            st.FindMatchCase = matchCase;
            st.prepareReplace(QStringLiteral("~"), {}, with);
            const Timing t = timeRuns(5, [&] { r = ReplaceInDocument(page, st, true); });
            if (matchCase == 0)
                caseOff = t.median;
            std::printf("replace all \"~\" -> \"%s\", match case %s: %d replaced, median %.1f ms (min %.1f, max %.1f)\n",
                        qPrintable(with), matchCase ? "on " : "off", r.count, t.median, t.min, t.max);
        }
        const qsizetype changeSize = r.change.removed.size() + r.change.inserted.size();
        std::printf("  change: at %d, removes %lld, inserts %lld characters; removed + inserted = %.2f x the text\n",
                    r.change.pos, static_cast<long long>(r.change.removed.size()),
                    static_cast<long long>(r.change.inserted.size()), double(changeSize) / double(page.size()));
        QString after;
        const Timing applied = timeRuns(3, [&] { after = r.applyTo(page); });
        std::printf("  whole new text from the change: median %.1f ms\n", applied.median);

        const QString out = dir.filePath(QStringLiteral("out.htm"));
        const Timing sed = timeRuns(3, [&] {
            QProcess p;
            auto env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C")); // byte-wise: sed's fastest
            p.setProcessEnvironment(env);
            p.setStandardOutputFile(out);
            p.start(QStringLiteral("sed"), {QStringLiteral("s/~/%1/g").arg(with), in});
            p.waitForFinished(-1);
        });
        QFile f(out);
        const bool same = f.open(QIODevice::ReadOnly) && f.readAll() == after.toLatin1();
        allSame = allSame && same;
        std::printf("  sed (LC_ALL=C, file to file): median %.1f ms (min %.1f, max %.1f); ours/sed = %.2f; "
                    "sed's output %s ours\n",
                    sed.median, sed.min, sed.max, caseOff / sed.median, same ? "equals" : "DIFFERS FROM");
    }
    return allSame ? 0 : 1;
}
