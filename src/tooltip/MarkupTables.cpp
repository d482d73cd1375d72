#include "MarkupTables.h"

namespace markup {

const std::vector<std::pair<QString, QString>>& Entities() {
    // "&lt;" becomes the markup's own escape for one "<".
    static const std::vector<std::pair<QString, QString>> table = {
        {QStringLiteral("&amp;"), QStringLiteral("&")},
        {QStringLiteral("&bull;"), QString(QChar(0x2022))},
        {QStringLiteral("&copy;"), QString(QChar(0x00A9))},
        {QStringLiteral("&euro;"), QString(QChar(0x20AC))},
        {QStringLiteral("&gt;"), QStringLiteral(">")},
        {QStringLiteral("&iquest;"), QString(QChar(0x00BF))},
        {QStringLiteral("&lt;"), QStringLiteral("<<")},
        {QStringLiteral("&nbsp;"), QStringLiteral(" ")},
        {QStringLiteral("&para;"), QString(QChar(0x00B6))},
        {QStringLiteral("&pound;"), QString(QChar(0x00A3))},
        {QStringLiteral("&quot;"), QStringLiteral("\"")},
        {QStringLiteral("&reg;"), QString(QChar(0x00AE))},
        {QStringLiteral("&trade;"), QString(QChar(0x2122))},
    };
    return table;
}

const std::map<QString, MarkupTag>& Tags() {
    static const std::map<QString, MarkupTag> table = [] {
        struct Row { const char* name; int id; const char* style; };
        static constexpr Row kRows[] = {
            {"b", kTagBold, "bold"},           {"i", kTagItalic, "italic"},
            {"em", kTagItalic, "italic"},      {"u", kTagUnderline, "underline"},
            {"s", kTagStrikeOut, "strikeout"}, {"strike", kTagStrikeOut, "strikeout"},
            {"font", kTagFont, "font"},        {"hr", kTagRule, ""},
            {"br", kTagBreak, ""},             {"\n", kTagBreak, ""},
            {"t", kTagTab, ""},                {"\t", kTagTab, ""},
            {"left", kTagLeft, "left"},        {"center", kTagCenter, "center"},
            {"right", kTagRight, "right"},     {"justify", kTagJustify, "justify"},
            {"baseline", kTagBaseline, "baseline"}, {"top", kTagTop, "top"},
            {"vcenter", kTagVCenter, "vcenter"},    {"middle", kTagVCenter, "vcenter"},
            {"bottom", kTagBottom, "vcenter"}, {"bmp", kTagBitmap, ""},
            {"icon", kTagIcon, ""},            {"ilst", kTagImageStrip, ""},
            {"string", kTagString, ""},        {"body", kTagNamedStyle, "body"},
            {"h1", kTagNamedStyle, "h1"},      {"h2", kTagNamedStyle, "h2"},
            {"h3", kTagNamedStyle, "h3"},      {"h4", kTagNamedStyle, "h4"},
            {"h5", kTagNamedStyle, "h5"},      {"h6", kTagNamedStyle, "h6"},
            {"code", kTagNamedStyle, "code"},  {"pre", kTagNamedStyle, "pre"},
            {"big", kTagNamedStyle, "big"},    {"small", kTagNamedStyle, "small"},
            {"sub", kTagNamedStyle, "sub"},    {"sup", kTagNamedStyle, "sup"},
            {"span", kTagSpan, "span"},        {"a", kTagLink, "link"},
        };
        std::map<QString, MarkupTag> map;
        for (const Row& row : kRows)
            map[QString::fromLatin1(row.name)] = MarkupTag{row.id, QString::fromLatin1(row.style)};
        return map;
    }();
    return table;
}

COLORREF SystemColor(int index) {
    switch (index) {
    case 0: return RGB(200, 200, 200);                      // scroll bar
    case 1: return RGB(0, 0, 0);                            // desktop
    case 2: return RGB(153, 180, 209);                      // active caption
    case 3: return RGB(191, 205, 219);                      // inactive caption
    case 4: return GetSysColor(SysColor::ButtonFace);       // menu
    case 5: return GetSysColor(SysColor::Window);
    case 6: return RGB(100, 100, 100);                      // window frame
    case 7: return GetSysColor(SysColor::WindowText);       // menu text
    case 8: return GetSysColor(SysColor::WindowText);
    case 9: return RGB(0, 0, 0);                            // caption text
    case 10: return RGB(180, 180, 180);                     // active border
    case 11: return RGB(244, 247, 252);                     // inactive border
    case 12: return RGB(171, 171, 171);                     // application workspace
    case 13: return GetSysColor(SysColor::Highlight);
    case 14: return GetSysColor(SysColor::HighlightText);
    case 15: return GetSysColor(SysColor::ButtonFace);
    case 16: return GetSysColor(SysColor::ButtonShadow);
    case 17: return GetSysColor(SysColor::GrayText);
    case 18: return GetSysColor(SysColor::ButtonText);
    case 19: return RGB(0, 0, 0);                           // inactive caption text
    case 20: return GetSysColor(SysColor::Highlight3D);
    case 21: return GetSysColor(SysColor::DarkShadow);
    case 22: return GetSysColor(SysColor::Light);
    case 23: return RGB(0, 0, 0);                           // tooltip text
    case 24: return RGB(255, 255, 225);                     // tooltip background
    default: return RGB(0, 0, 0);
    }
}

std::vector<std::pair<QString, COLORREF>> ColorNames() {
    // The named colours of the web, as #rrggbb; "darkseagreen" keeps its historical value.
    static constexpr std::pair<const char*, unsigned> kFixed[] = {
        {"aqua", 0x00FFFF}, {"black", 0x000000}, {"blue", 0x0000FF}, {"brown", 0xA52A2A},
        {"cyan", 0x00FFFF}, {"gold", 0xFFD700}, {"gray", 0x808080}, {"green", 0x008000},
        {"magenta", 0xFF00FF}, {"maroon", 0x800000}, {"navy", 0x000080}, {"olive", 0x808000},
        {"orange", 0xFFA500}, {"pink", 0xFFC0CB}, {"purple", 0x800080}, {"red", 0xFF0000},
        {"silver", 0xC0C0C0}, {"snow", 0xFFFAFA}, {"violet", 0xEE82EE}, {"white", 0xFFFFFF},
        {"yellow", 0xFFFF00}, {"aliceblue", 0xF0F8FF}, {"antiquewhite", 0xFAEBD7},
        {"aquamarine", 0x7FFFD4}, {"azure", 0xF0FFFF}, {"beige", 0xF5F5DC},
        {"bisque", 0xFFE4C4}, {"blanchedalmond", 0xFFEBCD}, {"blueviolet", 0x8A2BE2},
        {"burlywood", 0xDEB887}, {"cadetblue", 0x5F9EA0}, {"chartreuse", 0x7FFF00},
        {"chocolate", 0xD2691E}, {"coral", 0xFF7F50}, {"cornflowerblue", 0x6495ED},
        {"cornsilk", 0xFFF8DC}, {"crimson", 0xDC143C}, {"darkblue", 0x00008B},
        {"darkcyan", 0x008B8B}, {"darkgoldenrod", 0xB8860B}, {"darkgray", 0xA9A9A9},
        {"darkgreen", 0x006400}, {"darkkhaki", 0xBDB76B}, {"darkmagenta", 0x8B008B},
        {"darkolivegreen", 0x556B2F}, {"darkorange", 0xFF8C00}, {"darkorchid", 0x9932CC},
        {"darkred", 0x8B0000}, {"darksalmon", 0xE9967A}, {"darkseagreen", 0x8FBC8B},
        {"darkslateblue", 0x483D8B}, {"darkslategray", 0x2F4F4F}, {"darkturquoise", 0x00CED1},
        {"darkviolet", 0x9400D3}, {"deeppink", 0xFF1493}, {"deepskyblue", 0x00BFFF},
        {"dimgray", 0x696969}, {"dodgerblue", 0x1E90FF}, {"firebrick", 0xB22222},
        {"floralwhite", 0xFFFAF0}, {"forestgreen", 0x228B22}, {"fuchsia", 0xFF00FF},
        {"gainsboro", 0xDCDCDC}, {"ghostwhite", 0xF8F8FF}, {"goldenrod", 0xDAA520},
        {"greenyellow", 0xADFF2F}, {"honeydew", 0xF0FFF0}, {"hotpink", 0xFF69B4},
        {"indianred", 0xCD5C5C}, {"indigo", 0x4B0082}, {"ivory", 0xFFFFF0}, {"khaki", 0xF0E68C},
        {"lavender", 0xE6E6FA}, {"lavenderblush", 0xFFF0F5}, {"lawngreen", 0x7CFC00},
        {"lemonchiffon", 0xFFFACD}, {"lightblue", 0xADD8E6}, {"lightcoral", 0xF08080},
        {"lightcyan", 0xE0FFFF}, {"lightgoldenrodyellow", 0xFAFAD2}, {"lightgreen", 0x90EE90},
        {"lightgrey", 0xD3D3D3}, {"lightpink", 0xFFB6C1}, {"lightsalmon", 0xFFA07A},
        {"lightseagreen", 0x20B2AA}, {"lightskyblue", 0x87CEFA}, {"lightslategray", 0x778899},
        {"lightsteelblue", 0xB0C4DE}, {"lightyellow", 0xFFFFE0}, {"lime", 0x00FF00},
        {"limegreen", 0x32CD32}, {"linen", 0xFAF0E6}, {"mediumaquamarine", 0x66CDAA},
        {"mediumblue", 0x0000CD}, {"mediumorchid", 0xBA55D3}, {"mediumpurple", 0x9370DB},
        {"mediumseagreen", 0x3CB371}, {"mediumslateblue", 0x7B68EE},
        {"mediumspringgreen", 0x00FA9A}, {"mediumturquoise", 0x48D1CC},
        {"mediumvioletred", 0xC71585}, {"midnightblue", 0x191970}, {"mintcream", 0xF5FFFA},
        {"mistyrose", 0xFFE4E1}, {"moccasin", 0xFFE4B5}, {"navajowhite", 0xFFDEAD},
        {"oldlace", 0xFDF5E6}, {"olivedrab", 0x6B8E23}, {"orangered", 0xFF4500},
        {"orchid", 0xDA70D6}, {"palegoldenrod", 0xEEE8AA}, {"palegreen", 0x98FB98},
        {"paleturquoise", 0xAFEEEE}, {"palevioletred", 0xDB7093}, {"papayawhip", 0xFFEFD5},
        {"peachpuff", 0xFFDAB9}, {"peru", 0xCD853F}, {"plum", 0xDDA0DD},
        {"powderblue", 0xB0E0E6}, {"rosybrown", 0xBC8F8F}, {"royalblue", 0x4169E1},
        {"saddlebrown", 0x8B4513}, {"salmon", 0xFA8072}, {"sandybrown", 0xF4A460},
        {"seagreen", 0x2E8B57}, {"seashell", 0xFFF5EE}, {"sienna", 0xA0522D},
        {"skyblue", 0x87CEEB}, {"slateblue", 0x6A5ACD}, {"slategray", 0x708090},
        {"springgreen", 0x00FF7F}, {"steelblue", 0x4682B4}, {"tan", 0xD2B48C},
        {"teal", 0x008080}, {"thistle", 0xD8BFD8}, {"tomato", 0xFF6347},
        {"turquoise", 0x40E0D0}, {"wheat", 0xF5DEB3}, {"whitesmoke", 0xF5F5F5},
        {"yellowgreen", 0x9ACD32},
    };
    static constexpr std::pair<const char*, int> kSystem[] = {
        {"activeborder", 10}, {"activecaption", 2}, {"appworkspace", 12}, {"background", 1},
        {"buttonface", 15}, {"buttonhighlight", 20}, {"buttonshadow", 16}, {"buttontext", 18},
        {"captiontext", 9}, {"graytext", 17}, {"highlight", 13}, {"highlighttext", 14},
        {"inactiveborder", 11}, {"inactivecaption", 3}, {"inactivecaptiontext", 19},
        {"infobackground", 24}, {"infotext", 23}, {"menu", 4}, {"menutext", 7},
        {"scrollbar", 0}, {"threeddarkshadow", 21}, {"threedface", 15},
        {"threedhighlight", 20}, {"threedlightshadow", 22}, {"threedshadow", 16},
        {"window", 5}, {"windowframe", 6}, {"windowtext", 8},
    };
    std::vector<std::pair<QString, COLORREF>> names;
    names.reserve(std::size(kFixed) + std::size(kSystem));
    for (const auto& [name, rgb] : kFixed)
        names.emplace_back(QString::fromLatin1(name),
                           RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
    for (const auto& [name, index] : kSystem)
        names.emplace_back(QString::fromLatin1(name), SystemColor(index));
    return names;
}

const std::map<QString, int>& EffectNames() {
    static const std::map<QString, int> table = {
        {QStringLiteral("transparent"), -1}, {QStringLiteral("solid"), 0},
        {QStringLiteral("hgradient"), 1},    {QStringLiteral("vgradient"), 2},
        {QStringLiteral("hcgradient"), 3},   {QStringLiteral("vcgradient"), 4},
        {QStringLiteral("3hgradient"), 5},   {QStringLiteral("3vgradient"), 6},
        {QStringLiteral("noise"), 7},        {QStringLiteral("diagshade"), 8},
        {QStringLiteral("hshade"), 9},       {QStringLiteral("vshade"), 10},
        {QStringLiteral("hbump"), 11},       {QStringLiteral("vbump"), 12},
        {QStringLiteral("softbump"), 13},    {QStringLiteral("hardbump"), 14},
        {QStringLiteral("metal"), 15},
    };
    return table;
}

QString DefaultStyleSheet() {
    static const char* const kRules[] = {
        "body {font-size: 10pt; color:black; font-family:Verdana}",
        "p {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}",
        "h1 {font-size: 14pt; color:black; font-family:Verdana; font-weight:bold}",
        "h2 {font-size: 13pt; color:#ff9900; font-family:Verdana; font-weight:bold}",
        "h3 {font-size: 12pt; color:#ff9900; font-family:Arial; font-weight:bold}",
        "h4 {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}",
        "h5 {font-size: 9pt; color:#ff9900; font-family:Verdana; font-weight:bold}",
        "h6 {font-size: 65%; color:#626262; font-family:Verdana; font-weight:normal}",
        "pre {font-size: 9pt; font-family:\"Courier\"; background-color:#fbedbb}",
        "code {color:#990000; font-family:Arial}",
        "a:link {text-decoration:none; color:blue}",
        "a:hover {text-decoration:underline; color:blue}",
        "sub {font-size:65%; vertical-align:bottom}",
        "sup {font-size:65%; vertical-align:top}",
        "big {font-size:125%}",
        "small {font-size:75%}",
        ".cpp-comment {color:green; font-style:italic}",
    };
    QString sheet;
    for (const char* rule : kRules) sheet += QString::fromLatin1(rule) + QStringLiteral("\r\n");
    return sheet;
}

}  // namespace markup
