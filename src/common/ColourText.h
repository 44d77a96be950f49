#pragma once
#include <QString>

// The text HTML colour attributes take: "#" and six upper-case hexadecimal
// digits, red first. Components outside 0-255 are clamped.
QString colourText(int red, int green, int blue);

// The same from a colour value with red in the low byte (0x00BBGGRR).
QString colourTextFromValue(quint32 value);
