#pragma once
#include <QString>

// One change of the text: at pos, `removed` was replaced by `inserted`. Positions
// count a line break (CR LF) as two characters.
struct TextChange {
    int pos = 0;
    QString removed;
    QString inserted;
};
