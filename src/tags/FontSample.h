#pragma once
#include "tags/DialogMarkup.h"

#include <QString>

// The font dialog's live sample: "ABC", a line break and Cyrillic "АБВ" in a
// font element with the current face, colour and size, on the background
// colour when one is given. With no font attribute the plain sample shows and
// the background is ignored.
//
// The sample shows what the user typed but never runs it: every field value is
// escaped as HTML attribute text, so the page holds no mark-up of the user's,
// only the fixed elements (html, body, font, br) and their attributes. The
// inserted mark-up (fontMarkup) stays unescaped.
QString fontSamplePage(const FontFields &f, const QString &bgColor);

// Text made safe inside a double-quoted HTML attribute or element content.
QString escapeSampleText(const QString &text);
