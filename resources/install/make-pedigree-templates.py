#!/usr/bin/env python3
"""Writes the seven pedigree templates of Ornivex 6 into data/pedigrees/.

Run from anywhere:  python3 resources/install/make-pedigree-templates.py
The pages are committed; run the script again only after changing a layout here, then
make the thumbnails again with the make_pedigree_art tool (see docs/architecture.md) and
record them with record-shipped-pedigree-files.py.

Each template is one A4 sheet: the bird and its ancestors as boxes joined by lines, the
father's side above the mother's, under a head with the breeder's address and the loft's
logo. The placeholder words (_POZIOM2_3, _G10NAZWA, ...) are replaced by the program.
Sizes are millimetres. A box whose text does not fit grows into the free space of its
slot; notes that still do not fit lose words from the end (letters, for a single word too long
for its box) and end in "…", so a page never spills onto a second sheet, each box shows as much
of its note as it has room for, and the reader sees that something was left out. A ring is never
cut: it is set smaller, and wraps only when even that is too wide. The breeder's address stays
above the head's rule the same way: it widens into the free space beside the title, is set
smaller, and only then keeps each of its lines to one line ending in "…".

The pages are kept as UTF-8 here and laid into the install folder as UTF-16 with a byte-order
mark. Every version written is recorded in shipped-pedigree-files.sha256, so that start-up can
replace an installed copy of an earlier version that nobody edited.
"""

import importlib.util
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "data", "pedigrees")

SANS = "'Liberation Sans', 'DejaVu Sans', Arial, sans-serif"
SERIF = "'Liberation Serif', 'DejaVu Serif', 'Times New Roman', serif"

THEMES = {
    "modern": dict(
        font=SANS, ink="#1c2b3f", line="#2f5d9a", box_border="#2f5d9a",
        box_fill="rgba(255,255,255,0.88)", radius="1.6mm", cock="#2f6fc4", hen="#c4486f",
        title_font=SANS, title_color="#1f4e8c", title_size="26pt", title_spacing="0.35em",
        title_style="normal", title_weight="bold", frame="none", label="#6b7a90"),
    "classic": dict(
        font=SERIF, ink="#2b1d12", line="#5a3e26", box_border="#5a3e26",
        box_fill="rgba(255,253,246,0.86)", radius="0", cock="#5a3e26", hen="#5a3e26",
        title_font=SERIF, title_color="#4a2f18", title_size="30pt", title_spacing="0.12em",
        title_style="italic", title_weight="bold",
        frame="double 1.2mm #5a3e26", label="#7d6650"),
}


def mm(v):
    return ("%.2f" % v).rstrip("0").rstrip(".") + "mm"


def style(**kw):
    return ";".join("%s:%s" % (k.replace("_", "-"), v) for k, v in kw.items())


def field(cls, value, label=None):
    """A line of a box that disappears when its value is blank."""
    lbl = '<span class="lbl">%s</span> ' % label if label else ""
    return '<div class="%s" data-opt>%s<span class="v">%s</span></div>' % (cls, lbl, value)


def ancestor_box(g, i, x, y, w, h, room, photo, fonts, compact=False, notes=True):
    """A box of an ancestor; it may grow to `room` millimetres, centred on its slot. A compact
    box puts the name beside the ring and the breeder beside the colour and breed."""
    gi = "%d%d" % (g, i)
    side = "cock" if i % 2 == 0 else "hen"
    parts = ['<div class="box %s g%d%s" data-max="%.2f" style="%s">' % (
        side, g, " compact" if compact else "", room, style(
        left=mm(x), top=mm(y), width=mm(w), height=mm(h), font_size=fonts[0]))]
    if compact and g < 4:
        parts.append('<div class="ringline"><span class="ring">_POZIOM%d_%d</span> '
                     '<span class="name">_G%sNAZWA</span></div>' % (g, i, gi))
        parts.append('<div class="meta" data-opt><span class="v">'
                     '<span class="colour">_KOLOR_%d_%d</span> '
                     '<span class="breed">_G%sRASA</span> '
                     '<span data-opt><span class="lbl">hod.</span> <span class="v">_G%sHODOWCA'
                     '</span></span></span></div>' % (g, i, gi, gi))
    else:
        parts.append('<div class="ring">_POZIOM%d_%d</div>' % (g, i))
    if photo:
        parts.append('<img class="photo" src="_IMG%d_%d" alt="">' % (g, i))
    if g < 4 and not compact:
        parts.append(field("name", "_G%sNAZWA" % gi))
        parts.append('<div class="meta" data-opt><span class="v">'
                     '<span class="colour">_KOLOR_%d_%d</span> '
                     '<span class="breed">_G%sRASA</span></span></div>' % (g, i, gi))
        parts.append(field("breeder", "_G%sHODOWCA" % gi, "hod."))
    if notes:
        parts.append('<div class="notes" style="font-size:%s">_NOTATKI%d_%d</div>'
                     % (fonts[1], g, i))
    parts.append("</div>")
    return "".join(parts)


def bird_box(x, y, w, h, room, photo, fonts):
    parts = ['<div class="box bird g0" data-max="%.2f" style="%s">' % (room, style(
        left=mm(x), top=mm(y), width=mm(w), height=mm(h), font_size=fonts[0]))]
    parts.append('<div class="caption">Gołąb</div>')
    if photo:
        parts.append('<img class="photo" src="_IMG0" alt="">')
    parts.append('<div class="ring">_GOLAB_</div>')
    parts.append(field("name", "_GNAZWA"))
    parts.append('<div class="sex" data-opt><img class="sexicon" src="_PLGRAFICZNIE_" alt="">'
                 '<span class="v">_PLEC_</span></div>')
    parts.append(field("colour-line", "_KOLOR_", "kolor:"))
    parts.append(field("breed-line", "_GRASA", "rasa:"))
    parts.append(field("breeder", "_GHODOWCA", "hodowca:"))
    parts.append('<div class="notes" style="font-size:%s">_NOTATKI0</div>' % fonts[1])
    parts.append("</div>")
    return "".join(parts)


def tree(cfg, theme):
    """Boxes and connectors of the whole tree in the region given by the layout."""
    x0, y0, height = cfg["tree_x"], cfg["tree_y"], cfg["tree_h"]
    widths, gap = cfg["widths"], cfg["gap"]
    generations = len(widths)
    lefts = []
    x = x0
    for w in widths:
        lefts.append(x)
        x += w + gap
    out = []
    centres = {}
    for g in range(generations):
        n = 1 << g
        slot = height / n
        for i in range(n):
            h = cfg["heights"][g]
            top = y0 + slot * i + (slot - h) / 2
            centres[(g, i)] = top + h / 2
            # A box may grow over its whole slot but for a gap to its neighbours.
            room = max(h, slot - 1.6)
            if g == 0:
                out.append(bird_box(lefts[0], top, widths[0], h, room, cfg["bird_photo"],
                                    cfg["fonts"][0]))
            else:
                photo = g == 1 and cfg["parent_photos"]
                out.append(ancestor_box(g, i, lefts[g], top, widths[g], h, room, photo,
                                        cfg["fonts"][g], g in cfg.get("compact", ())))
    lw = "0.35mm solid " + theme["line"]
    for g in range(generations - 1):
        for i in range(1 << g):
            xr = lefts[g] + widths[g]
            xl = lefts[g + 1]
            xm = (xr + xl) / 2
            yc = centres[(g, i)]
            yf, ym = centres[(g + 1, 2 * i)], centres[(g + 1, 2 * i + 1)]
            out.append('<div class="ln" style="%s"></div>' % style(
                left=mm(xr), top=mm(yc), width=mm(xm - xr), border_top=lw))
            out.append('<div class="ln" style="%s"></div>' % style(
                left=mm(xm), top=mm(yf), height=mm(ym - yf), border_left=lw))
            for yp in (yf, ym):
                out.append('<div class="ln" style="%s"></div>' % style(
                    left=mm(xm), top=mm(yp), width=mm(xl - xm), border_top=lw))
    return "\n".join(out)


def generation_heads(cfg, theme):
    names = ["Gołąb", "Rodzice", "Dziadkowie", "Pradziadkowie", "Prapradziadkowie"]
    out = []
    x = cfg["tree_x"]
    for g, w in enumerate(cfg["widths"]):
        if g > 0:
            out.append('<div class="gen" style="%s">%s</div>' % (style(
                left=mm(x), top=mm(cfg["tree_y"] - 5.5), width=mm(w)), names[g]))
        x += w + cfg["gap"]
    return "\n".join(out)


def head(cfg, theme):
    pw = cfg["page_w"]
    m = cfg["margin"]
    return "\n".join([
        '<div class="logo" style="%s">_LOGOGOLEBNIKA_</div>' % style(left=mm(m + 2), top=mm(m + 1)),
        '<div class="title" style="%s"><div class="word">%s</div>'
        '<div class="subject">_GOLAB_</div></div>' % (style(left=mm(pw * 0.25), top=mm(m),
                                                        width=mm(pw * 0.5)), cfg["title"]),
        '<div class="address" style="%s">'
        '<div class="who">_IMIE_ _NAZWISKO_</div>'
        '<div>_ULICA_ _NRDOMU_</div>'
        '<div>_KODPOCZTOWY_ _MIEJSCOWOSC_</div>'
        '<div class="phones">_TELEFON_DOM_ &nbsp; _TELEFON_KOM_</div></div>'
        % style(right=mm(m + 2), top=mm(m + 1), width=mm(pw * 0.24),
                height=mm(cfg["head_h"] - m - 2.2)),
        '<div class="rule" style="%s"></div>' % style(
            left=mm(m), top=mm(cfg["head_h"]), width=mm(pw - 2 * m), border_top=
            "0.5mm solid " + theme["line"]),
    ])


def footer(cfg, theme):
    if not cfg.get("signature"):
        return ""
    m = cfg["margin"]
    return ('<div class="sign" style="%s">podpis hodowcy</div>'
            % style(right=mm(m + 6), top=mm(cfg["page_h"] - m - 9), width=mm(60)))


CSS = """@page { size: A4 %(orientation)s; margin: 0 }
html, body { margin: 0; padding: 0; background: #fff; }
body { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
.page { position: relative; width: %(page_w)s; height: %(page_h)s; overflow: hidden;
  font-family: %(font)s; color: %(ink)s; }
img.bg { position: absolute; left: 0; top: 0; width: %(page_w)s; height: %(page_h)s;
  z-index: 0; }
.sheet { position: absolute; left: 0; top: 0; width: %(page_w)s; height: %(page_h)s; z-index: 1; }
.frame { position: absolute; left: %(frame_in)s; top: %(frame_in)s; right: %(frame_in)s;
  bottom: %(frame_in)s; border: %(frame)s; }
.logo { position: absolute; }
.logo img { display: block; width: 40mm; height: 21mm; object-fit: contain; }
.title { position: absolute; text-align: center; }
.title .word { font-family: %(title_font)s; font-size: %(title_size)s; font-weight: %(title_weight)s;
  font-style: %(title_style)s; letter-spacing: %(title_spacing)s; color: %(title_color)s;
  line-height: 1.1; }
.title .subject { font-size: 12pt; font-weight: bold; margin-top: 1mm; letter-spacing: 0.04em; }
.address { position: absolute; text-align: right; font-size: 8.5pt; line-height: 1.3;
  overflow: hidden; }
.address .who { font-weight: bold; font-size: calc(10em / 8.5); }
.address.cut > div { white-space: nowrap; overflow: hidden; text-overflow: ellipsis; }
.rule, .ln { position: absolute; height: 0; width: 0; }
.gen { position: absolute; font-size: 7pt; text-transform: uppercase; letter-spacing: 0.12em;
  color: %(label)s; text-align: center; }
.box { position: absolute; box-sizing: border-box; overflow: hidden; background: %(box_fill)s;
  border: 0.3mm solid %(box_border)s; border-radius: %(radius)s; padding: 0.9mm 1.4mm 0.8mm 2.2mm;
  line-height: 1.18; }
.box.cock { border-left: 1.2mm solid %(cock)s; }
.box.hen { border-left: 1.2mm solid %(hen)s; }
.box.bird { border-width: 0.5mm; padding: 2mm 2.5mm; }
.box .caption { font-size: 7pt; text-transform: uppercase; letter-spacing: 0.15em; color: %(label)s; }
.box .ring { font-weight: bold; font-size: 1.12em; white-space: nowrap; }
.box .ringline .name { margin-left: 0.6em; }
.box.compact { padding-top: 0.6mm; padding-bottom: 0.5mm; }
.box.compact .notes { margin-top: 0.2mm; line-height: 1.1; }
.box.bird .ring { font-size: 1.35em; margin: 0.5mm 0 0.8mm; }
.box .name { font-weight: bold; font-style: italic; }
.box .meta, .box .breeder, .box .colour-line, .box .breed-line { white-space: nowrap; overflow: hidden;
  text-overflow: ellipsis; }
.box .colour { font-style: italic; }
.lbl { color: %(label)s; font-size: 0.9em; }
.box .notes { margin-top: 0.5mm; line-height: 1.15; color: %(ink)s; overflow-wrap: anywhere; }
.box.bird .notes { margin-top: 1.5mm; border-top: 0.2mm solid %(box_border)s; padding-top: 1mm; }
.box img.photo { display: block; object-fit: cover; border: 0.2mm solid %(box_border)s;
  box-sizing: border-box; width: 100%%; height: %(photo_h)s; margin: 0.8mm 0 1mm; }
.box.bird img.photo { height: %(bird_photo_h)s; }
.sex img.sexicon { width: 4.2mm; height: 4.2mm; vertical-align: -1mm; margin-right: 1mm; }
.sign { position: absolute; border-top: 0.3mm solid %(ink)s; text-align: center; font-size: 7pt;
  color: %(label)s; padding-top: 0.6mm; }
"""

SCRIPT = r"""<script>
// A line whose value is blank (an ancestor that is not recorded, a breeder without a phone)
// is left out instead of showing a lonely label.
Array.prototype.forEach.call(document.querySelectorAll('[data-opt]'), function (e) {
  var v = e.querySelector('.v');
  if (v && !v.textContent.replace(/\s+/g, '')) e.style.display = 'none';
});
// A ring is the one line that must never be cut: one too wide for its box is set smaller,
// down to six tenths of its size, and only then wraps.
Array.prototype.forEach.call(document.querySelectorAll('.box .ring'), function (ring) {
  var box = ring.closest('.box');
  var style = getComputedStyle(box);
  var room = box.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
  var text = document.createRange();
  text.selectNodeContents(ring);
  var size = parseFloat(getComputedStyle(ring).fontSize), smallest = size * 0.6;
  while (text.getBoundingClientRect().width > room && size > smallest) {
    size = Math.max(smallest, size * 0.95);
    ring.style.fontSize = size + 'px';
  }
  if (text.getBoundingClientRect().width > room) {
    ring.style.whiteSpace = 'normal';
    ring.style.overflowWrap = 'anywhere';
  }
});
// Cuts the notes until `over` no longer holds: after the last word that fits (at its last
// letter or digit, so no lonely comma or dash stands before the ellipsis) or, when not even the
// first word fits, after the last of its letters that does. Markup in the note is kept up to
// the cut, and an ellipsis shows that something was left out.
function cutNotes(notes, over) {
  var html = notes.innerHTML;
  function texts() {
    var all = [];
    (function walk(node) {
      for (var child = node.firstChild; child; child = child.nextSibling) {
        if (child.nodeType == 3) all.push(child);   // text
        else walk(child);
      }
    })(notes);
    return all;
  }
  // Where the note may end, in reading order: [text node, offset].
  var words = [], first = null;
  texts().forEach(function (node, n) {
    var word = /\S+/g, found;
    while ((found = word.exec(node.data))) {
      if (!first) first = { node: n, from: found.index, to: found.index + found[0].length };
      var kept = /^[^]*[\p{L}\p{N}]/u.exec(found[0]);
      if (kept) words.push([n, found.index + kept[0].length]);
    }
  });
  // A blank note has nothing to cut: what does not fit is the box's other lines.
  if (!first) return;
  function cutAt(place) {
    notes.innerHTML = html;
    var range = document.createRange();
    if (place) range.setStart(texts()[place[0]], place[1]);
    else range.setStart(texts()[first.node], first.from);
    range.setEnd(notes, notes.childNodes.length);
    range.deleteContents();
    var more = document.createElement('span');
    more.className = 'more';
    more.textContent = '\u2026';
    range.insertNode(more);
    return !over();
  }
  // The longest cut of `places` that fits; each place is further on than the one before.
  function longest(places) {
    var low = 0, high = places.length - 1, best = null;
    while (low <= high) {
      var middle = (low + high) >> 1;
      if (cutAt(places[middle])) { best = places[middle]; low = middle + 1; }
      else high = middle - 1;
    }
    return best;
  }
  var place = longest(words);
  if (!place && first) {
    var letters = [], text = texts()[first.node].data;
    for (var at = first.from + 1; at < first.to; ++at) {
      if (!/[\uD800-\uDBFF]/.test(text[at - 1])) letters.push([first.node, at]);
    }
    place = longest(letters);
  }
  cutAt(place);
}
// A box whose text does not fit grows into the free space of its slot (data-max, millimetres),
// keeping its centre where the connecting lines meet it; notes that still do not fit are cut.
Array.prototype.forEach.call(document.querySelectorAll('.box'), function (box) {
  function over() { return box.scrollHeight > box.clientHeight + 1; }
  if (!over()) return;
  var room = parseFloat(box.getAttribute('data-max') || '0') * 96 / 25.4;
  var height = box.offsetHeight;
  if (room > height) {
    var grown = Math.min(room, box.scrollHeight + height - box.clientHeight + 1);
    box.style.top = (box.offsetTop - (grown - height) / 2) + 'px';
    box.style.height = grown + 'px';
  }
  var notes = box.querySelector('.notes');
  if (notes && over()) cutNotes(notes, over);
});
// The breeder's address stays above the head's rule: a long one first widens into the free
// space beside the title, then is set smaller, down to three quarters of its size, and only
// then keeps each of its lines to one line, ending in an ellipsis where it is cut, at the
// largest of those sizes that fits.
(function () {
  var address = document.querySelector('.address'), title = document.querySelector('.title');
  if (!address) return;
  function over() { return address.scrollHeight > address.clientHeight + 1; }
  if (!over()) return;
  if (title) {
    var text = document.createRange();
    text.selectNodeContents(title);
    var right = address.getBoundingClientRect().right, gap = 4 * 96 / 25.4;
    var widest = right - text.getBoundingClientRect().right - gap;
    if (widest > address.offsetWidth) address.style.width = widest + 'px';
  }
  var normal = parseFloat(getComputedStyle(address).fontSize);
  function shrink() {
    var size = normal;
    address.style.fontSize = '';
    while (over() && size > normal * 0.75) {
      size = Math.max(normal * 0.75, size * 0.95);
      address.style.fontSize = size + 'px';
    }
  }
  shrink();
  if (!over()) return;
  // Lines of one line each take less room: they may be set larger again.
  address.classList.add('cut');
  shrink();
})();
</script>"""


def page(cfg):
    theme = THEMES[cfg["theme"]]
    values = dict(theme)
    values.update(
        orientation=cfg["orientation"], page_w=mm(cfg["page_w"]), page_h=mm(cfg["page_h"]),
        frame_in=mm(cfg["margin"] - 3), photo_h=mm(cfg.get("photo", (30, 30))[1]), bird_photo_h=mm(cfg.get("bird_photo_h", 50)))
    if theme["frame"] == "none":
        values["frame"] = "0"
    body = [
        '<div class="page">_TLO_<div class="sheet">',
        '<div class="frame"></div>' if theme["frame"] != "none" else "",
        head(cfg, theme),
        generation_heads(cfg, theme),
        tree(cfg, theme),
        footer(cfg, theme),
        "</div></div>",
    ]
    return ("<!DOCTYPE html>\n<html lang=\"pl\">\n<head>\n<title>Rodowód _GOLAB_</title>\n"
            "<style>\n" + CSS % values + "</style>\n</head>\n<body>\n" +
            "\n".join(b for b in body if b) + "\n" + SCRIPT + "\n</body>\n</html>\n")


LANDSCAPE = dict(orientation="landscape", page_w=297, page_h=209.5, margin=9, head_h=33,
                 tree_x=9, tree_y=40, tree_h=160, gap=6)
PORTRAIT = dict(orientation="portrait", page_w=210, page_h=296.5, margin=9, head_h=33,
                tree_x=9, tree_y=40, tree_h=245, gap=5)

LAYOUTS = {
    "poziomy.html": dict(LANDSCAPE, theme="modern", title="RODOWÓD",
                         widths=[60, 66, 68, 67], heights=[96, 62, 36, 18.5],
                         fonts=[("8.5pt", "7.5pt"), ("8pt", "7pt"), ("7.5pt", "6.5pt"),
                                ("7pt", "6pt")],
                         bird_photo=False, parent_photos=False, compact=(3,)),
    "poziomy_zdj.html": dict(LANDSCAPE, theme="modern", title="RODOWÓD",
                             widths=[64, 64, 66, 67], heights=[150, 62, 36, 18.5],
                             fonts=[("8.5pt", "7.5pt"), ("8pt", "7pt"), ("7.5pt", "6.5pt"),
                                    ("7pt", "6pt")],
                             bird_photo=True, bird_photo_h=52, parent_photos=False,
                             compact=(3,)),
    "pionowy_zdj.html": dict(PORTRAIT, theme="modern", title="RODOWÓD",
                             widths=[40, 48, 46, 43], heights=[110, 100, 55, 27.5],
                             fonts=[("8pt", "7pt"), ("8pt", "7pt"), ("7.5pt", "6.5pt"),
                                    ("6.8pt", "6pt")],
                             photo=(44, 40), bird_photo=False, parent_photos=True),
    "klasyczny.html": dict(PORTRAIT, theme="classic", title="Rodowód", signature=True,
                           tree_h=238, widths=[40, 47, 46, 44], heights=[100, 90, 54, 26.5],
                           fonts=[("9pt", "8pt"), ("8.5pt", "7.5pt"), ("8pt", "7pt"),
                                  ("7.2pt", "6.5pt")],
                           bird_photo=False, parent_photos=False),
    "klasyczny_zdjecia.html": dict(PORTRAIT, theme="classic", title="Rodowód", signature=True,
                                   tree_h=238, widths=[40, 48, 44, 45],
                                   heights=[140, 108, 54, 26.5],
                                   fonts=[("8.5pt", "7.5pt"), ("8.5pt", "7.5pt"), ("8pt", "7pt"),
                                          ("7pt", "6.3pt")],
                                   photo=(44, 36), bird_photo=True, bird_photo_h=40,
                                   parent_photos=True),
    "klasyczny_3pokolenia.html": dict(PORTRAIT, theme="classic", title="Rodowód", signature=True,
                                      tree_h=238, widths=[52, 62, 62], heights=[110, 100, 56],
                                      fonts=[("10pt", "9pt"), ("10pt", "9pt"), ("9pt", "8pt")],
                                      bird_photo=False, parent_photos=False),
    "5pokolen_pionowy.html": dict(PORTRAIT, theme="modern", title="RODOWÓD", margin=7,
                                  tree_x=7, tree_y=40, tree_h=249, gap=4,
                                  widths=[32, 34, 36, 38, 40], heights=[90, 72, 46, 29, 14.6],
                                  fonts=[("7.5pt", "6.8pt"), ("7.5pt", "6.8pt"),
                                         ("7pt", "6.3pt"), ("6.6pt", "6pt"), ("6.4pt", "5.8pt")],
                                  bird_photo=False, parent_photos=False),
}


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, cfg in LAYOUTS.items():
        with open(os.path.join(OUT, name), "w", encoding="utf-8", newline="\n") as f:
            f.write(page(cfg))
    # The new versions join the list of shipped ones, so a later change can replace them.
    source = importlib.util.spec_from_file_location(
        "record", os.path.join(HERE, "record-shipped-pedigree-files.py"))
    record = importlib.util.module_from_spec(source)
    source.loader.exec_module(record)
    written = [e for e in record.current() if e[0][len("data/pedigrees/"):] in LAYOUTS]
    print("%d new template hash(es) recorded" % record.record(written))


if __name__ == "__main__":
    main()
