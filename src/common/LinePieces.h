#pragma once
#include <QString>
#include <QStringView>
#include <vector>

// Where the editor cuts a very long line into pieces. Qt lays a whole block out again
// on every change and wraps a block without break opportunities in quadratic time, so
// the editing control holds a line longer than MaxBlock as several blocks; a cut is
// no character of the text.
class LinePieces {
public:
    // With word wrap off a piece is one row, laid out and painted whole: 2,048
    // characters keep a page of such rows quick to paint.
    static constexpr int PieceSize = 2048;          // length aimed at when cutting
    static constexpr int MaxBlock = 2 * PieceSize;  // longest block held whole
    static constexpr int MinPiece = PieceSize / 4;  // a shorter piece joins its neighbours
    // Short lines go several to a block, joined by a line separator: Qt's own cost of
    // a block is more than two lines of a page. A block is laid out whole on every
    // change, so a group stays small.
    static constexpr int GroupLines = 16;
    static constexpr int GroupChars = 1024;

    // Cut offsets (ascending, strictly inside) of one line or part of a line; none
    // when it fits in one block. Cuts fall after a blank or '>' near the aimed length
    // when there is one, and never inside a surrogate pair.
    static std::vector<int> cuts(QStringView segment);

    // lfText ('\n' breaks) with one more '\n' at every cut. soft receives, ascending,
    // the numbers of the result's blocks (counted from firstBlock) that end at a cut.
    // With inner, short lines are grouped: the breaks inside a group become line
    // separators, and inner receives how many each block of the result holds.
    // Returns lfText itself when no line needs cutting and nothing is grouped.
    static QString split(const QString &lfText, std::vector<int> &soft, int firstBlock = 0,
                         std::vector<int> *inner = nullptr);
};
