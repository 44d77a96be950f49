#pragma once
#include <QList>
#include <QWidget>
#include <utility>

class EditControl;

// The line-number gutter on the left of an editing control, and the mark of the
// caret's line across the text. Numbers count real lines: of a line held in several
// pieces only the first block gets one. The width follows the number of digits of
// the line count and is worked out again only when an edit changes that count;
// painting walks the visible blocks only, so no keystroke costs time in proportion
// to the document.
class LineNumberArea : public QWidget {
    Q_OBJECT
public:
    explicit LineNumberArea(EditControl *editor);

    // Gutter and caret line together; hidden, the editor gets its full width back.
    void setShown(bool on);
    // Widens the gutter now for a text of lines lines about to come in (never
    // narrows it: the text still there would be laid out again for nothing).
    void prepareFor(int lines);
    bool isShown() const { return m_on; }
    // Width the gutter takes from the editor: 0 while hidden.
    int areaWidth() const { return m_on ? m_width : 0; }
    // The 1-based numbers shown beside the rows of a block, 0 beside a row that goes
    // on with a line (a wrapped row, the later pieces of a long line).
    QList<int> rowNumbers(int block) const;
    // The widget positions of the first character of the caret's real line and of
    // the break that ends it (the end of the text for the last line).
    std::pair<int, int> caretLineSpan() const;

protected:
    void paintEvent(QPaintEvent *e) override;
    void changeEvent(QEvent *e) override;
    // A click on a number selects its whole line (with its line break); a drag
    // selects the lines it passes.
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void updateWidth(bool force, int lines = -1);
    void placeArea();
    void onUpdateRequest(const QRect &rect, int dy);
    void onCaretMoved();
    void paintCaretLine(const QRect &clip);
    int caretLine() const;
    int lineOfDocPos(int docPos) const;
    int lineAtY(int y) const;
    void selectLines(int from, int to);

    EditControl *m_editor;
    QWidget *m_viewport;    // the editor's, which never changes
    bool m_on = false;
    int m_digits = 0;       // digits of the line count the width was made for
    int m_width = 0;
    int m_caretLine = -1;   // real line marked at the last paint request
    int m_anchorLine = -1;  // line where a selecting drag in the gutter began
};
