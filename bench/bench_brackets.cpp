// Times the closing-tag check over a 10 MB page of about 120,000 lines.
#include "tags/BracketCheck.h"

#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <vector>

int main()
{
    const QString line = QStringLiteral(
        "<p class=\"row\">Line of sample text with <b>bold</b> and <i>italic</i> words.</p>\r\n");
    const int lines = 10 * 1000 * 1000 / int(line.size()) + 1;
    QString page;
    page.reserve(qsizetype(lines) * line.size());
    for (int i = 0; i < lines; ++i)
        page += line;

    std::vector<double> ms;
    BracketCheckResult r;
    for (int run = 0; run < 9; ++run) {
        QElapsedTimer timer;
        timer.start();
        r = checkBrackets(page);
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("bracket check: %lld characters, %d lines, %s, median %.2f ms (min %.2f, max %.2f)\n",
                static_cast<long long>(page.size()), lines,
                r.kind == BracketCheckResult::Balanced ? "balanced" : "fault", ms[ms.size() / 2], ms.front(),
                ms.back());
    return r.kind == BracketCheckResult::Balanced ? 0 : 1;
}
