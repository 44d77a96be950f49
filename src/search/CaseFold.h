#pragma once
#include <QString>
#include <QStringView>

// Lower-casing for match-case-off searches. Each UTF-16 unit is mapped on its own,
// so a folded text has the same length as the original and a position found in it
// selects the document's own characters (a whole-string toLower turns U+0130 into
// two units and would shift every later position).
namespace CaseFold {

// The lower-case form of one unit; surrogates and units without one stay as they are.
char16_t unit(char16_t u);
// Writes text.size() folded units to out.
void foldInto(QStringView text, char16_t *out);
QString lower(QStringView text);

} // namespace CaseFold
