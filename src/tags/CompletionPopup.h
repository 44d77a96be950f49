#pragma once
#include "tags/HtmlCompletion.h"

#include <QObject>

class BoolOption;
class DocWindow;
class QKeyEvent;
class QListWidget;

// The completion list of a page's editor (lstComplete): it comes up beside the
// caret when typing reaches a place HtmlCompletion has choices for, and follows
// the typing. The keyboard stays with the editor: every character is typed into
// the page as usual and only filters the list; Up/Down move in it, Enter or Tab
// insert the choice (one undo step), Escape closes it, and any other key or a
// move of the caret closes it too. It reads at most HtmlCompletion::LookBack
// characters before the caret (and the rest of a line piece) per keystroke.
class CompletionPopup : public QObject {
    Q_OBJECT
public:
    // Installs its key rule on the document's editor; the options must outlive it.
    CompletionPopup(DocWindow *doc, const BoolOption &on, const BoolOption &listTags);

    QListWidget *lstComplete = nullptr;   // the choices, made when first shown

    // Looks at the caret now: shows the choices there, or hides the list.
    // engaged: the user asked for it (a choice just inserted), so Enter and Tab
    // pick a choice even before a letter is typed.
    void check(bool engaged = false);
    bool shown() const;
    // The choice of row in place of the typed prefix.
    void insert(int row);

private:
    friend class CompletionKeys;
    bool keyDown(QKeyEvent *e);
    void typed() { m_typed = true; }
    void onChanged();
    void hide();
    QListWidget *list();
    void place();
    bool eventFilter(QObject *watched, QEvent *event) override;

    DocWindow *m_doc;
    const BoolOption &m_on;
    const BoolOption &m_listTags;
    HtmlCompletion::Offer m_offer;  // what the list shows
    int m_caret = -1;               // the caret it was shown for
    bool m_typed = false;           // a typed character's change is on its way
    bool m_inserting = false;
    // Enter and Tab pick a choice: a prefix is typed, a row was moved to, or
    // the list follows an insertion. Else they close the list and do their own
    // work (a line break after "<p ").
    bool m_engaged = false;
};
