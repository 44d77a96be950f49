#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

// One link a page holds, placed like the gutter counts (1-based line and
// column of the address's first character).
struct PageLink {
    QString address;
    int line = 0;
    int column = 0;
};

// A link worth telling about.
struct LinkFinding {
    enum Kind {
        Missing,       // no file at the relative or file: address
        CaseMismatch,  // only a name differing in case: works on some disks, not on a web server
        NoFragment,    // the #name names no id or name in its page
        NotChecked,    // a web address (http:, https:, mailto:, //host...): never fetched
    };
    Kind kind = Missing;
    QString page;      // the page holding the link
    PageLink link;
    QString detail;    // CaseMismatch: the name on disk; NoFragment: the fragment
};

struct LinkCheckResult {
    QList<LinkFinding> findings;   // in page order, then text order
    int pages = 0;                 // pages read
    int links = 0;                 // links found
    int broken = 0;                // Missing + CaseMismatch + NoFragment
    int notChecked = 0;
    bool cancelled = false;
};

namespace LinkCheck {

// The links of a page or a style sheet: href, src, srcset (every candidate),
// action, and url(...) and @import in style elements, style attributes and
// style sheets; nothing inside comments or scripts. One pass over the text.
QList<PageLink> linksOf(const QString &text, bool styleSheet);
// The values of every id and name attribute of a page.
QStringList anchorsOf(const QString &text);

// Checks every link of the pages (pages and style sheets, by name); root is the
// folder an address starting with "/" starts from. progress(done, total) now
// and then; cancel stops between pages.
LinkCheckResult check(const QStringList &pages, const QString &root, const std::atomic<bool> *cancel = nullptr,
                      const std::function<void(int, int)> &progress = {});

// The pages and style sheets of a folder and its subfolders, sorted.
QStringList sitePages(const QString &folder);

} // namespace LinkCheck
