#pragma once
// The fixed tables of the markup language: entities, tag names, colour names, the names of the
// background effects and the default stylesheet.

#include <QString>
#include <map>
#include <vector>

#include "Dc.h"

enum MarkupTagId : int {
    kTagNone = 0,
    kTagBold = 1,
    kTagItalic = 2,
    kTagUnderline = 3,
    kTagStrikeOut = 4,
    kTagFont = 5,
    kTagRule = 6,
    kTagBreak = 7,
    kTagTab = 8,
    kTagLeft = 9,
    kTagCenter = 10,
    kTagRight = 11,
    kTagJustify = 12,
    kTagBaseline = 13,
    kTagTop = 14,
    kTagVCenter = 15,
    kTagBottom = 16,
    kTagBitmap = 17,
    kTagIcon = 18,
    kTagImageStrip = 19,
    kTagString = 20,
    kTagNamedStyle = 21,
    kTagSpan = 22,
    kTagLink = 23,
};

struct MarkupTag {
    int id = kTagNone;
    QString styleName;  // empty for objects (rules, breaks, tabs, images, strings)
};

namespace markup {

// In table order; replaced one after the other.
const std::vector<std::pair<QString, QString>>& Entities();
const std::map<QString, MarkupTag>& Tags();
// The 140 fixed colours followed by the 28 colours of the desktop's elements, read when the
// table is built.
std::vector<std::pair<QString, COLORREF>> ColorNames();
const std::map<QString, int>& EffectNames();
// One rule a line, each line ended by CR LF.
QString DefaultStyleSheet();

// The desktop's colours that the markup names ("buttonface", "infobackground", …) by index.
COLORREF SystemColor(int index);

}  // namespace markup
