#pragma once
#include <QString>

class TextTarget;

// The text HTML colour attributes take: "#" and six upper-case hexadecimal
// digits, red first. Components outside 0-255 are clamped.
QString colourText(int red, int green, int blue);

// The same from a colour value with red in the low byte (0x00BBGGRR).
QString colourTextFromValue(quint32 value);

// The colour command's insertion: the selection is replaced by the colour text,
// which is then left selected. An empty text (cancelled dialog) changes nothing.
void insertColourText(const QString &colour, TextTarget &target);
