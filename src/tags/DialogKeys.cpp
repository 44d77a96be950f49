#include "tags/DialogKeys.h"

namespace {

constexpr char16_t Backspace = 8;

bool numberKey(QChar key, bool percentAllowed)
{
    const char16_t c = key.unicode();
    // ASCII digits only: other scripts' digits are no HTML length.
    return c == Backspace || (c >= u'0' && c <= u'9') || (percentAllowed && c == u'%');
}

} // namespace

bool imageNumberKeyAccepted(int item, QChar key)
{
    if (item < 0 || item > 4)
        return false;
    return numberKey(key, item <= 1);
}

bool tableNumberKeyAccepted(int item, QChar key)
{
    if (item < 0 || item > 4)
        return false;
    return numberKey(key, item >= 2);
}

bool selectNameKeyAccepted(QChar key)
{
    const char16_t c = key.unicode();
    return c != u'>' && c != u'<' && c != u'"' && c != u'\'' && c != u' ';
}

bool selectTextKeyAccepted(QChar key)
{
    const char16_t c = key.unicode();
    return c != u'<' && c != u'>';
}
