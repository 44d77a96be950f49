#include "common/ColourText.h"

#include <QtGlobal>

namespace {

void appendHex(QString &out, int component)
{
    static const char digits[] = "0123456789ABCDEF";
    const int v = qBound(0, component, 255);
    out += QLatin1Char(digits[v / 16]);
    out += QLatin1Char(digits[v % 16]);
}

} // namespace

QString colourText(int red, int green, int blue)
{
    QString out;
    out.reserve(7);
    out += QLatin1Char('#');
    appendHex(out, red);
    appendHex(out, green);
    appendHex(out, blue);
    return out;
}

QString colourTextFromValue(quint32 value)
{
    return colourText(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}
