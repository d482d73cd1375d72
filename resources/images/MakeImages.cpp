// Draws every bitmap and icon of the program and writes them as PNG files, with images.qrc.
//
//   build/resources/make_images resources/images
//
// The outputs are committed, so building the program does not run this tool; run it again only
// after changing a drawing, and commit what it wrote. Shapes are filled antialiased by QPainter,
// and text is set in DejaVu Sans (regular and bold, loaded from their files so no other face can
// stand in), which covers every Polish letter. Hinting is off, so the same fonts and the same Qt
// give the same pixels.
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <vector>

namespace {

// ---- palette ----------------------------------------------------------------------------------

using Rgb = std::array<double, 3>;

const Rgb kDeepBlue{18, 52, 128};
const Rgb kMidBlue{41, 94, 186};
const Rgb kLightBlue{75, 150, 251};
const Rgb kPaleBlue{170, 208, 255};
const Rgb kLinkBlue{65, 117, 221};
const Rgb kWhite{255, 255, 255};
const Rgb kDark{40, 44, 56};
const Rgb kMask{192, 192, 192};  // the transparent colour of the command strip
const Rgb kRed{206, 40, 40};
const Rgb kSlate{96, 112, 140};

Rgb Mix(const Rgb& a, const Rgb& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

QColor Colour(const Rgb& c, double alpha = 1.0) {
    auto channel = [](double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); };
    return QColor(channel(c[0]), channel(c[1]), channel(c[2]),
                  std::clamp(static_cast<int>(std::lround(alpha * 255)), 0, 255));
}

// ---- shapes: painter paths in pixel coordinates, y growing downwards ---------------------------

using Path = QPainterPath;

Path Ellipse(double cx, double cy, double rx, double ry, double angle = 0) {
    Path unit;
    unit.addEllipse(QPointF(0, 0), rx, ry);
    return QTransform().translate(cx, cy).rotate(angle).map(unit);
}

Path Circle(double cx, double cy, double r) { return Ellipse(cx, cy, r, r); }

Path Polygon(std::initializer_list<QPointF> points) {
    Path path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

Path Box(double x0, double y0, double x1, double y1) {
    Path path;
    path.addRect(QRectF(QPointF(x0, y0), QPointF(x1, y1)));
    return path;
}

Path RoundBox(double x0, double y0, double x1, double y1, double r) {
    Path path;
    path.addRoundedRect(QRectF(QPointF(x0, y0), QPointF(x1, y1)), r, r);
    return path;
}

// A straight line of a width, with round ends.
Path Stroke(double x0, double y0, double x1, double y1, double width) {
    if (x0 == x1 && y0 == y1) return Circle(x0, y0, width / 2);
    Path line;
    line.moveTo(x0, y0);
    line.lineTo(x1, y1);
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    return stroker.createStroke(line);
}

// A ring segment from `start` to `end` degrees, counted clockwise on screen from the right.
Path Arc(double cx, double cy, double r, double width, double start, double end) {
    const double span = std::fmod(std::fmod(end - start, 360) + 360, 360);
    Path arc;
    const QRectF box(cx - r, cy - r, 2 * r, 2 * r);
    arc.arcMoveTo(box, -start);
    arc.arcTo(box, -start, -span);
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::FlatCap);
    return stroker.createStroke(arc);
}

Path Union(std::initializer_list<Path> parts) {
    Path all;
    for (const Path& part : parts) all = all.united(part);
    return all;
}

Path Minus(const Path& shape, const Path& hole) { return shape.subtracted(hole); }
Path Clip(const Path& shape, const Path& window) { return shape.intersected(window); }

// A shape designed in a unit box, placed at (x, y) with a size and mirrored on request.
Path Place(const Path& unit, double x, double y, double size, bool mirror = false) {
    QTransform place = QTransform().translate(x, y).scale(size, size);
    if (mirror) place = QTransform().translate(1, 0).scale(-1, 1) * place;
    return place.map(unit);
}

// ---- the canvas -------------------------------------------------------------------------------

class Canvas {
public:
    Canvas(int width, int height, const Rgb& background = kWhite, double alpha = 1.0)
        : image_(width, height, QImage::Format_ARGB32_Premultiplied) {
        image_.fill(Colour(background, alpha));
    }
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    QImage& Image() { return image_; }

    void Set(int x, int y, const Rgb& c) {
        if (x >= 0 && y >= 0 && x < Width() && y < Height()) image_.setPixelColor(x, y, Colour(c));
    }
    void Blend(int x, int y, const Rgb& c, double alpha) {
        QPainter painter(&image_);
        painter.fillRect(QRect(x, y, 1, 1), Colour(c, alpha));
    }
    void Fill(const Path& shape, const Rgb& c, double alpha = 1.0) { Fill(shape, QBrush(Colour(c, alpha))); }
    void Fill(const Path& shape, const QBrush& brush) {
        QPainter painter(&image_);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(shape, brush);
    }
    void Text(double x, double capTop, const QString& text, const Rgb& c, double scale,
              bool bold = false, double alpha = 1.0);
    void TextCentred(double cx, double cy, const QString& text, const Rgb& c, double scale,
                     bool bold = false);
    void Paste(const QImage& other, int x, int y) {
        QPainter painter(&image_);
        painter.drawImage(x, y, other);
    }

private:
    QImage image_;
};

// A vertical gradient between two colours over [y0, y1].
QBrush Vertical(double y0, double y1, const Rgb& top, const Rgb& bottom) {
    QLinearGradient gradient(0, y0, 0, y1);
    gradient.setColorAt(0, Colour(top));
    gradient.setColorAt(1, Colour(bottom));
    return QBrush(gradient);
}

// ---- type -------------------------------------------------------------------------------------

QString g_regular;
QString g_bold;

// Text sizes follow the cap height: `scale` 1 is 7 pixels from the cap line to the baseline.
QFont TypeFace(double scale, bool bold) {
    QFont font(bold ? g_bold : g_regular);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    QFont probe(font);
    probe.setPixelSize(100);
    const double capHeight = QFontMetricsF(probe).capHeight();
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(7.0 * scale * 100 / capHeight))));
    return font;
}

double TextWidth(const QString& text, double scale, bool bold = false) {
    return QFontMetricsF(TypeFace(scale, bold)).horizontalAdvance(text);
}

void Canvas::Text(double x, double capTop, const QString& text, const Rgb& c, double scale,
                  bool bold, double alpha) {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(TypeFace(scale, bold));
    painter.setPen(Colour(c, alpha));
    painter.drawText(QPointF(x, capTop + 7.0 * scale), text);
}

void Canvas::TextCentred(double cx, double cy, const QString& text, const Rgb& c, double scale,
                         bool bold) {
    Text(std::round(cx - TextWidth(text, scale, bold) / 2), std::round(cy - 3.5 * scale), text, c,
         scale, bold);
}

// ---- the pigeon, designed in a unit box, facing left -------------------------------------------

Path PigeonSitting() {
    return Union({Ellipse(0.56, 0.57, 0.31, 0.19, -15), Ellipse(0.37, 0.50, 0.16, 0.19),
                  Circle(0.285, 0.245, 0.088),
                  Polygon({{0.215, 0.27}, {0.34, 0.19}, {0.50, 0.44}, {0.26, 0.58}}),
                  Polygon({{0.21, 0.22}, {0.125, 0.265}, {0.21, 0.275}}),
                  Polygon({{0.72, 0.50}, {0.97, 0.43}, {0.99, 0.52}, {0.78, 0.68}}),
                  Stroke(0.47, 0.72, 0.45, 0.85, 0.045), Stroke(0.57, 0.72, 0.59, 0.85, 0.045),
                  Stroke(0.39, 0.86, 0.49, 0.86, 0.04), Stroke(0.54, 0.86, 0.64, 0.86, 0.04)});
}

Path PigeonWing() {
    return Union({Ellipse(0.62, 0.52, 0.21, 0.10, -14),
                  Polygon({{0.62, 0.43}, {0.93, 0.47}, {0.80, 0.58}, {0.62, 0.61}})});
}

Path PigeonEye() { return Circle(0.275, 0.235, 0.022); }

Path PigeonFlying() {
    return Union({Ellipse(0.48, 0.56, 0.27, 0.085, -8), Circle(0.19, 0.51, 0.065),
                  Polygon({{0.13, 0.49}, {0.06, 0.53}, {0.14, 0.545}}),
                  Polygon({{0.70, 0.55}, {0.97, 0.47}, {0.99, 0.55}, {0.96, 0.64}, {0.72, 0.62}}),
                  Polygon({{0.36, 0.55}, {0.42, 0.40}, {0.52, 0.25}, {0.66, 0.10}, {0.80, 0.02},
                           {0.77, 0.10}, {0.83, 0.09}, {0.76, 0.19}, {0.82, 0.19}, {0.72, 0.29},
                           {0.77, 0.30}, {0.65, 0.40}, {0.58, 0.55}})});
}

Path PigeonFarWing() {
    return Polygon({{0.34, 0.52}, {0.30, 0.36}, {0.33, 0.20}, {0.40, 0.08}, {0.43, 0.16},
                    {0.47, 0.12}, {0.47, 0.24}, {0.51, 0.22}, {0.48, 0.40}, {0.45, 0.52}});
}

// A sitting pigeon in a size x size box; `detail` colours the wing and the eye.
void DrawPigeon(Canvas& c, double x, double y, double size, const Rgb& colour, bool mirror = false,
                const Rgb* detail = nullptr, double alpha = 1.0) {
    c.Fill(Place(PigeonSitting(), x, y, size, mirror), colour, alpha);
    if (detail) {
        c.Fill(Place(PigeonWing(), x, y, size, mirror), *detail, alpha);
        c.Fill(Place(PigeonEye(), x, y, size, mirror), *detail, alpha);
    }
}

void DrawFlyingPigeon(Canvas& c, double x, double y, double size, const Rgb& colour,
                      const Rgb* farColour, bool mirror, double alpha = 1.0) {
    if (farColour) c.Fill(Place(PigeonFarWing(), x, y, size, mirror), *farColour, alpha);
    c.Fill(Place(PigeonFlying(), x, y, size, mirror), colour, alpha);
}

// ---- building blocks --------------------------------------------------------------------------

// The blue of the program's banners: deep at the top, lighter below and towards the right.
Rgb BandColour(int x, int y, int height) {
    const double t = y / static_cast<double>(std::max(1, height - 1));
    const Rgb c = Mix(kDeepBlue, {46, 108, 206}, std::pow(t, 0.9));
    return Mix(c, kLightBlue, std::min(1.0, x / 1400.0) * 0.10);
}

// The banner: gradient body with a soft sheen, a lighter line, then a short fade into white.
void DrawBand(Canvas& c, int height) {
    const int body = height - 5;
    QImage& image = c.Image();
    for (int y = 0; y < std::min(body, c.Height()); ++y) {
        const double sheen = std::exp(-std::pow((y - body * 0.18) / (body * 0.16), 2)) * 0.07;
        for (int x = 0; x < c.Width(); ++x)
            image.setPixelColor(x, y, Colour(Mix(BandColour(x, y, body), kWhite, sheen)));
    }
    for (int x = 0; x < c.Width(); ++x) c.Set(x, body, Mix(kPaleBlue, BandColour(x, body - 1, body), 0.25));
    const double fade[] = {0.35, 0.65, 0.85, 1.0};
    for (int i = 0; i < 4; ++i)
        for (int x = 0; x < c.Width(); ++x) c.Set(x, body + 1 + i, Mix(kLightBlue, kWhite, fade[i]));
}

// A rounded square in the program's blue, with a lighter rim on top.
void DrawPlate(Canvas& c, double x0, double y0, double x1, double y1, double radius,
               const Rgb& top = {92, 160, 245}, const Rgb& bottom = {30, 84, 176}) {
    c.Fill(RoundBox(x0, y0, x1, y1, radius), Vertical(y0, y1, top, bottom));
    const double rim = std::max(1.0, (x1 - x0) / 32.0);
    c.Fill(Minus(RoundBox(x0, y0, x1, y1, radius), RoundBox(x0, y0 + rim, x1, y1 + rim, radius)),
           kPaleBlue, 0.55);
}

// A rule fading from `colour` into the background, from x0 to x1 on row y.
void FadingRule(Canvas& c, int x0, int x1, int y, const Rgb& colour = kLightBlue) {
    for (int x = x0; x < x1; ++x) c.Blend(x, y, colour, 1.0 - (x - x0) / double(std::max(1, x1 - x0 - 1)));
}

using Pictogram = std::function<void(Canvas&, double, double, double)>;

// ---- pictograms: each draws into a size x size box at (x, y) -----------------------------------

void Plus(Canvas& c, double x, double y, double s, const Rgb& colour = {28, 150, 52}) {
    c.Fill(Circle(x + s / 2, y + s / 2, s * 0.47), colour);
    const double w = s * 0.16;
    c.Fill(Box(x + s * 0.24, y + s / 2 - w / 2 - 0.5, x + s * 0.76, y + s / 2 + w / 2 + 0.5), kWhite);
    c.Fill(Box(x + s / 2 - w / 2 - 0.5, y + s * 0.24, x + s / 2 + w / 2 + 0.5, y + s * 0.76), kWhite);
}

void Cross(Canvas& c, double x, double y, double s, const Rgb& colour = kRed) {
    const double w = s * 0.2;
    c.Fill(Union({Stroke(x + s * 0.18, y + s * 0.18, x + s * 0.82, y + s * 0.82, w),
                  Stroke(x + s * 0.82, y + s * 0.18, x + s * 0.18, y + s * 0.82, w)}),
           colour);
}

void People(Canvas& c, double x, double y, double s, const Rgb& front = {52, 112, 210},
            const Rgb& back = {120, 160, 220}) {
    c.Fill(Circle(x + s * 0.66, y + s * 0.28, s * 0.15), back);
    c.Fill(Clip(Ellipse(x + s * 0.66, y + s * 0.78, s * 0.26, s * 0.30), Box(x, y, x + s, y + s * 0.92)), back);
    c.Fill(Circle(x + s * 0.36, y + s * 0.34, s * 0.17), front);
    c.Fill(Clip(Ellipse(x + s * 0.36, y + s * 0.88, s * 0.30, s * 0.32), Box(x, y, x + s, y + s * 0.99)), front);
}

void Printer(Canvas& c, double x, double y, double s, const Rgb& body = {80, 92, 112}) {
    c.Fill(Box(x + s * 0.25, y + s * 0.08, x + s * 0.75, y + s * 0.40), kWhite);
    c.Fill(Minus(Box(x + s * 0.22, y + s * 0.05, x + s * 0.78, y + s * 0.42),
                 Box(x + s * 0.29, y + s * 0.12, x + s * 0.71, y + s * 0.42)), body);
    c.Fill(RoundBox(x + s * 0.04, y + s * 0.36, x + s * 0.96, y + s * 0.78, s * 0.08), body);
    c.Fill(Box(x + s * 0.25, y + s * 0.62, x + s * 0.75, y + s * 0.95), kWhite);
    c.Fill(Minus(Box(x + s * 0.22, y + s * 0.60, x + s * 0.78, y + s * 0.98),
                 Box(x + s * 0.29, y + s * 0.62, x + s * 0.71, y + s * 0.91)), body);
    c.Fill(Circle(x + s * 0.82, y + s * 0.48, s * 0.05), {110, 220, 110});
}

void Pencil(Canvas& c, double x, double y, double s) {
    c.Fill(Stroke(x + s * 0.78, y + s * 0.18, x + s * 0.34, y + s * 0.62, s * 0.26), {230, 160, 30});
    c.Fill(Stroke(x + s * 0.86, y + s * 0.10, x + s * 0.74, y + s * 0.22, s * 0.26), {220, 90, 90});
    c.Fill(Polygon({{x + s * 0.22, y + s * 0.52}, {x + s * 0.46, y + s * 0.76}, {x + s * 0.08, y + s * 0.92}}),
           {240, 210, 160});
    c.Fill(Polygon({{x + s * 0.13, y + s * 0.72}, {x + s * 0.26, y + s * 0.85}, {x + s * 0.08, y + s * 0.92}}),
           kDark);
}

void Disk(Canvas& c, double x, double y, double s, const Rgb& colour = {40, 84, 170}) {
    c.Fill(Polygon({{x + s * 0.06, y + s * 0.06}, {x + s * 0.80, y + s * 0.06}, {x + s * 0.94, y + s * 0.20},
                    {x + s * 0.94, y + s * 0.94}, {x + s * 0.06, y + s * 0.94}}),
           colour);
    c.Fill(Box(x + s * 0.24, y + s * 0.06, x + s * 0.72, y + s * 0.36), {214, 222, 236});
    c.Fill(Box(x + s * 0.56, y + s * 0.10, x + s * 0.66, y + s * 0.32), colour);
    c.Fill(Box(x + s * 0.18, y + s * 0.52, x + s * 0.82, y + s * 0.94), kWhite);
    for (double k : {0.64, 0.76})
        c.Fill(Box(x + s * 0.26, y + s * k, x + s * 0.74, y + s * k + std::max(1.0, s * 0.05)), {150, 160, 180});
}

void Folder(Canvas& c, double x, double y, double s) {
    c.Fill(Polygon({{x + s * 0.04, y + s * 0.18}, {x + s * 0.38, y + s * 0.18}, {x + s * 0.46, y + s * 0.28},
                    {x + s * 0.96, y + s * 0.28}, {x + s * 0.96, y + s * 0.88}, {x + s * 0.04, y + s * 0.88}}),
           {190, 140, 30});
    c.Fill(Polygon({{x + s * 0.04, y + s * 0.40}, {x + s * 0.96, y + s * 0.40}, {x + s * 0.96, y + s * 0.88},
                    {x + s * 0.04, y + s * 0.88}}),
           {236, 190, 60});
}

void FolderOpen(Canvas& c, double x, double y, double s) {
    Folder(c, x, y, s);
    const Rgb arrow{28, 150, 52};
    c.Fill(Stroke(x + s * 0.50, y + s * 0.82, x + s * 0.50, y + s * 0.30, s * 0.16), arrow);
    c.Fill(Polygon({{x + s * 0.24, y + s * 0.40}, {x + s * 0.50, y + s * 0.06}, {x + s * 0.76, y + s * 0.40}}), arrow);
}

void Bird(Canvas& c, double x, double y, double s) {
    const Rgb detail{60, 74, 104};
    DrawPigeon(c, x, y, s, {86, 104, 140}, false, s >= 24 ? &detail : nullptr);
}

void Pair(Canvas& c, double x, double y, double s) {
    DrawPigeon(c, x - s * 0.12, y + s * 0.12, s * 0.72, {60, 110, 200});
    DrawPigeon(c, x + s * 0.40, y + s * 0.12, s * 0.72, {214, 90, 150}, true);
    c.Fill(Union({Circle(x + s * 0.44, y + s * 0.14, s * 0.09), Circle(x + s * 0.58, y + s * 0.14, s * 0.09),
                  Polygon({{x + s * 0.36, y + s * 0.17}, {x + s * 0.66, y + s * 0.17}, {x + s * 0.51, y + s * 0.36}})}),
           {220, 40, 60});
}

void List(Canvas& c, double x, double y, double s, const Rgb& colour = {52, 112, 210}) {
    c.Fill(RoundBox(x + s * 0.08, y + s * 0.04, x + s * 0.92, y + s * 0.96, s * 0.06), kWhite);
    c.Fill(Minus(RoundBox(x + s * 0.08, y + s * 0.04, x + s * 0.92, y + s * 0.96, s * 0.06),
                 Box(x + s * 0.15, y + s * 0.11, x + s * 0.85, y + s * 0.89)), {110, 120, 140});
    for (double k : {0.26, 0.46, 0.66}) {
        c.Fill(Box(x + s * 0.22, y + s * k, x + s * 0.34, y + s * (k + 0.12)), colour);
        c.Fill(Box(x + s * 0.42, y + s * (k + 0.02), x + s * 0.78, y + s * (k + 0.10)), {90, 96, 110});
    }
}

void Calculator(Canvas& c, double x, double y, double s) {
    c.Fill(RoundBox(x + s * 0.14, y + s * 0.02, x + s * 0.86, y + s * 0.98, s * 0.1), {70, 78, 96});
    c.Fill(Box(x + s * 0.24, y + s * 0.10, x + s * 0.76, y + s * 0.32), {170, 220, 170});
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            const double kx = x + s * (0.24 + col * 0.19), ky = y + s * (0.42 + row * 0.18);
            c.Fill(Box(kx, ky, kx + s * 0.14, ky + s * 0.12),
                   row == 2 && col == 2 ? Rgb{240, 140, 40} : kWhite);
        }
}

void Stopwatch(Canvas& c, double x, double y, double s, const Rgb& colour = {52, 112, 210}) {
    c.Fill(Box(x + s * 0.42, y + s * 0.02, x + s * 0.58, y + s * 0.14), colour);
    c.Fill(Circle(x + s * 0.5, y + s * 0.57, s * 0.42), colour);
    c.Fill(Circle(x + s * 0.5, y + s * 0.57, s * 0.31), kWhite);
    const double w = std::max(1.0, s * 0.09);
    c.Fill(Stroke(x + s * 0.5, y + s * 0.57, x + s * 0.5, y + s * 0.34, w), kDark);
    c.Fill(Stroke(x + s * 0.5, y + s * 0.57, x + s * 0.68, y + s * 0.64, w), kDark);
}

void Note(Canvas& c, double x, double y, double s) {
    const Path page = Polygon({{x + s * 0.14, y + s * 0.04}, {x + s * 0.66, y + s * 0.04}, {x + s * 0.88, y + s * 0.26},
                               {x + s * 0.88, y + s * 0.96}, {x + s * 0.14, y + s * 0.96}});
    c.Fill(page, {250, 236, 150});
    c.Fill(Minus(page, Polygon({{x + s * 0.20, y + s * 0.10}, {x + s * 0.63, y + s * 0.10}, {x + s * 0.82, y + s * 0.29},
                                {x + s * 0.82, y + s * 0.90}, {x + s * 0.20, y + s * 0.90}})),
           {150, 130, 60});
    for (double k : {0.38, 0.54, 0.70})
        c.Fill(Box(x + s * 0.28, y + s * k, x + s * 0.74, y + s * k + std::max(1.0, s * 0.06)), {120, 110, 80});
}

void Globe(Canvas& c, double x, double y, double s) {
    const double cx = x + s / 2, cy = y + s / 2, r = s * 0.46;
    c.Fill(Circle(cx, cy, r), {40, 120, 220});
    c.Fill(Clip(Union({Ellipse(cx - r * 0.35, cy - r * 0.30, r * 0.38, r * 0.30, 20),
                       Ellipse(cx + r * 0.30, cy + r * 0.35, r * 0.32, r * 0.40, -10),
                       Ellipse(cx + r * 0.50, cy - r * 0.50, r * 0.20, r * 0.14)}),
                Circle(cx, cy, r)),
           {60, 170, 80});
    const double lw = std::max(1.0, s * 0.05);
    c.Fill(Minus(Ellipse(cx, cy, r * 0.45, r), Ellipse(cx, cy, r * 0.45 - lw, r - lw)), kWhite, 0.7);
    c.Fill(Box(cx - r, cy - lw / 2, cx + r, cy + lw / 2), kWhite, 0.7);
}

void Tree(Canvas& c, double x, double y, double s, const Rgb& colour = {52, 112, 210},
          const Rgb& line = {90, 96, 110}, const Rgb& father = {60, 110, 200},
          const Rgb& mother = {214, 90, 150}) {
    const double lw = std::max(1.0, s * 0.07);
    c.Fill(Union({Stroke(x + s * 0.5, y + s * 0.30, x + s * 0.5, y + s * 0.50, lw),
                  Stroke(x + s * 0.2, y + s * 0.50, x + s * 0.8, y + s * 0.50, lw),
                  Stroke(x + s * 0.2, y + s * 0.50, x + s * 0.2, y + s * 0.66, lw),
                  Stroke(x + s * 0.8, y + s * 0.50, x + s * 0.8, y + s * 0.66, lw)}),
           line);
    c.Fill(RoundBox(x + s * 0.28, y + s * 0.04, x + s * 0.72, y + s * 0.32, s * 0.05), colour);
    c.Fill(RoundBox(x + s * 0.02, y + s * 0.64, x + s * 0.42, y + s * 0.94, s * 0.05), father);
    c.Fill(RoundBox(x + s * 0.58, y + s * 0.64, x + s * 0.98, y + s * 0.94, s * 0.05), mother);
}

void Info(Canvas& c, double x, double y, double s) {
    c.Fill(Circle(x + s / 2, y + s / 2, s * 0.47), {40, 100, 210});
    c.Fill(Circle(x + s / 2, y + s * 0.27, s * 0.09), kWhite);
    c.Fill(Box(x + s * 0.42, y + s * 0.42, x + s * 0.58, y + s * 0.80), kWhite);
}

void Question(Canvas& c, double x, double y, double s) {
    const double w = std::max(1.5, s * 0.12);
    c.Fill(Union({Arc(x + s * 0.5, y + s * 0.32, s * 0.20, w, 160, 90),
                  Stroke(x + s * 0.5, y + s * 0.52, x + s * 0.5, y + s * 0.64, w)}),
           kWhite);
    c.Fill(Circle(x + s * 0.5, y + s * 0.82, w * 0.7), kWhite);
}

void Male(Canvas& c, double x, double y, double s, const Rgb& colour = {40, 100, 210}) {
    const double w = std::max(1.6, s * 0.14);
    const double cx = x + s * 0.40, cy = y + s * 0.60, r = s * 0.26;
    c.Fill(Minus(Circle(cx, cy, r + w / 2), Circle(cx, cy, r - w / 2)), colour);
    c.Fill(Stroke(cx + r * 0.65, cy - r * 0.65, x + s * 0.86, y + s * 0.14, w), colour);
    c.Fill(Polygon({{x + s * 0.50, y + s * 0.06}, {x + s * 0.94, y + s * 0.06}, {x + s * 0.94, y + s * 0.50}}), colour);
}

void Female(Canvas& c, double x, double y, double s, const Rgb& colour = {214, 70, 140}) {
    const double w = std::max(1.6, s * 0.14);
    const double cx = x + s * 0.5, cy = y + s * 0.34, r = s * 0.26;
    c.Fill(Minus(Circle(cx, cy, r + w / 2), Circle(cx, cy, r - w / 2)), colour);
    c.Fill(Stroke(cx, cy + r, cx, y + s * 0.98, w), colour);
    c.Fill(Stroke(x + s * 0.30, y + s * 0.80, x + s * 0.70, y + s * 0.80, w), colour);
}

void Palette(Canvas& c, double x, double y, double s) {
    c.Fill(Minus(Ellipse(x + s * 0.5, y + s * 0.5, s * 0.46, s * 0.40, -10), Circle(x + s * 0.62, y + s * 0.70, s * 0.10)),
           {245, 236, 214});
    const struct { double kx, ky; Rgb colour; } spots[] = {
        {0.28, 0.42, {220, 50, 50}}, {0.42, 0.26, {240, 190, 40}}, {0.62, 0.28, {60, 170, 80}},
        {0.76, 0.46, {40, 110, 220}}, {0.34, 0.66, {150, 80, 190}}};
    for (const auto& spot : spots) c.Fill(Circle(x + s * spot.kx, y + s * spot.ky, s * 0.08), spot.colour);
}

void Coins(Canvas& c, double x, double y, double s) {
    const Rgb gold{244, 196, 60}, rim{176, 126, 20};
    for (int i = 0; i < 3; ++i) {
        const double cy = y + s * (0.78 - i * 0.16);
        c.Fill(Ellipse(x + s * 0.38, cy + s * 0.05, s * 0.30, s * 0.12), rim);
        c.Fill(Ellipse(x + s * 0.38, cy, s * 0.30, s * 0.12), gold);
    }
    c.Fill(Circle(x + s * 0.70, y + s * 0.42, s * 0.26), rim);
    c.Fill(Circle(x + s * 0.70, y + s * 0.40, s * 0.24), gold);
    c.Fill(Circle(x + s * 0.70, y + s * 0.40, s * 0.15), {252, 220, 110});
}

void Egg(Canvas& c, double x, double y, double s) {
    c.Fill(Ellipse(x + s * 0.5, y + s * 0.55, s * 0.30, s * 0.38), {252, 246, 232});
    c.Fill(Ellipse(x + s * 0.5, y + s * 0.45, s * 0.30, s * 0.16), {252, 246, 232});
}

void WhiteBird(Canvas& c, double x, double y, double s) {
    const Rgb detail{200, 220, 250};
    DrawPigeon(c, x, y, s, kWhite, false, &detail);
}

void CalendarPict(Canvas& c, double x, double y, double s) {
    c.Fill(RoundBox(x + s * 0.08, y + s * 0.14, x + s * 0.92, y + s * 0.94, s * 0.08), kWhite);
    c.Fill(Box(x + s * 0.08, y + s * 0.14, x + s * 0.92, y + s * 0.34), {220, 60, 60});
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col) {
            const double kx = x + s * (0.16 + col * 0.18), ky = y + s * (0.42 + row * 0.16);
            c.Fill(Box(kx, ky, kx + s * 0.11, ky + s * 0.10), {120, 150, 200});
        }
}

// ---- the pictures -----------------------------------------------------------------------------

Canvas Banner(int width, int height) {
    Canvas c(width, height);
    DrawBand(c, height);
    return c;
}

// A 67 x 66 picture for a dialog's top-left corner: the header band behind a light pictogram.
Canvas Emblem(const std::function<void(Canvas&)>& pictogram) {
    Canvas c(67, 66);
    DrawBand(c, 65);
    for (int x = 0; x < c.Width(); ++x) c.Set(x, 65, kWhite);
    c.Fill(Circle(33.5, 30, 24), kWhite, 0.16);
    pictogram(c);
    return c;
}

// A square for the white pages: a blue rounded plate with a pictogram.
Canvas Tile(const std::function<void(Canvas&, double)>& pictogram, int size = 48) {
    Canvas c(size, size);
    DrawPlate(c, 1, 1, size - 1, size - 1, size * 0.2);
    pictogram(c, size);
    return c;
}

Canvas Small(const Pictogram& pictogram) {
    Canvas c(16, 16);
    pictogram(c, 0, 0, 16);
    return c;
}

Canvas HeadingPlate(const QString& text, const Pictogram& icon, int width = 187, int height = 32) {
    Canvas c(width, height);
    DrawPlate(c, 1, 3, 27, 29, 5);
    icon(c, 5, 7, 18);
    c.Text(34, 9, text, kLinkBlue, 2, true);
    FadingRule(c, 34, width, 28);
    return c;
}

Canvas NoPhoto(int width, int height, double scale) {
    Canvas c(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) c.Set(x, y, Mix({244, 247, 252}, {222, 230, 242}, y / double(height - 1)));
    const int frame = std::max(2, width / 100);
    c.Fill(Minus(Box(0, 0, width, height), Box(frame, frame, width - frame, height - frame)), {190, 204, 226});
    const double s = std::min(width, height) * 0.56;
    const Rgb detail{182, 196, 220};
    DrawPigeon(c, (width - s) / 2, height * 0.08, s, {196, 208, 228}, false, &detail);
    c.TextCentred(width / 2.0, height * 0.84, QStringLiteral("Brak zdjęcia"), {120, 136, 166}, scale, true);
    return c;
}

// A start-page picture whose rows carry the page's links (30 pixels each; the page tests the
// clicks, the picture only shows them).
Canvas LinkPanel(const QString& title, const QString& subtitle,
                 const std::vector<std::pair<QString, Pictogram>>& rows, int firstRow,
                 const Pictogram& icon) {
    Canvas c(516, 206);
    DrawPlate(c, 8, 6, 48, 46, 8);
    icon(c, 12, 10, 32);
    c.Text(60, 10, title, kLinkBlue, 3, true);
    c.Text(60, 36, subtitle, kSlate, 1.3);
    FadingRule(c, 8, 516, 51);
    int y = firstRow;
    for (const auto& [text, pict] : rows) {
        pict(c, 44, y + 7, 16);
        c.Text(70, y + 8, text, kLinkBlue, 2);
        for (int x = 70; x < 350; ++x) c.Set(x, y + 29, {228, 236, 250});
        y += 30;
    }
    return c;
}

Canvas WideHeading(int width, int height, const QString& title, const QString& subtitle,
                   const Pictogram& icon) {
    Canvas c(width, height);
    const int box = std::min(height - 8, 40);
    const int top = (height - box) / 2;
    DrawPlate(c, 4, top, 4 + box, top + box, box * 0.2);
    icon(c, 4 + box * 0.1, top + box * 0.1, box * 0.8);
    const int tx = 4 + box + 10;
    if (!subtitle.isEmpty()) {
        c.Text(tx, top + 2, title, kLinkBlue, 2, true);
        c.Text(tx, top + box - 11, subtitle, kSlate, 1.3);
    } else {
        c.Text(tx, top + (box - 14) / 2, title, kLinkBlue, 2, true);
    }
    FadingRule(c, tx, width, height - 2);
    return c;
}

Canvas Splash() {
    const int w = 530, h = 327;
    Canvas c(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            c.Set(x, y, Mix(kDeepBlue, {58, 126, 226}, (y / double(h)) * 0.75 + (x / double(w)) * 0.25));
    c.Fill(Circle(410, 80, 140), kWhite, 0.05);
    c.Fill(Circle(410, 80, 95), kWhite, 0.05);
    const Rgb far{200, 222, 255};
    DrawFlyingPigeon(c, 285, -34, 240, kWhite, &far, true, 0.9);
    const Rgb shadow{10, 30, 80};
    const QString name = QStringLiteral("ORNIVEX");
    c.Text(38, 154, name, shadow, 7, true, 0.5);
    c.Text(34, 150, name, kWhite, 7, true);
    const double six = 34 + TextWidth(name + QLatin1Char(' '), 7, true);
    c.Text(six + 4, 154, QStringLiteral("6"), shadow, 7, true, 0.5);
    c.Text(six, 150, QStringLiteral("6"), {255, 214, 90}, 7, true);
    c.Text(36, 220, QStringLiteral("Ewidencja hodowli gołębi pocztowych"), kPaleBlue, 2);
    for (int x = 0; x < w; ++x) c.Set(x, h - 40, Mix(kPaleBlue, kLightBlue, x / double(w)));
    c.Text(36, h - 26, QStringLiteral("Wersja 6.7"), kWhite, 2);
    const QString starting = QStringLiteral("Uruchamianie...");
    c.Text(w - 36 - TextWidth(starting, 1.3), h - 22, starting, kPaleBlue, 1.3);
    c.Fill(Minus(Box(0, 0, w, h), Box(1, 1, w - 1, h - 1)), shadow);
    return c;
}

Canvas Auctions() {
    const int w = 520, h = 86;
    Canvas c(w, h);
    c.Fill(RoundBox(1, 1, w - 1, h - 1, 12), Vertical(0, h, {236, 244, 255}, {206, 224, 252}));
    c.Fill(Minus(RoundBox(1, 1, w - 1, h - 1, 12), RoundBox(2, 2, w - 2, h - 2, 11)), kLightBlue);
    const Rgb far{170, 200, 245};
    DrawFlyingPigeon(c, w - 120, -4, 96, {120, 160, 230}, &far, true);
    Coins(c, 16, 20, 46);
    c.Text(78, 20, QStringLiteral("Aukcje gołębi"), kLinkBlue, 3, true);
    c.Text(78, 54, QStringLiteral("Kupuj i sprzedawaj gołębie przez internet"), kSlate, 1.3);
    return c;
}

// A strip of tabs of the given lengths, open towards the bottom edge of `c` (y = height).
void TabStrip(Canvas& c, const std::vector<std::pair<int, QString>>& tabs, bool hanging) {
    const int h = c.Height();
    int x = 0;
    for (const auto& [length, text] : tabs) {
        const Path tab = hanging ? RoundBox(x + 1, -8, x + length - 1, h - 1, 6)
                                 : RoundBox(x + 2, 3, x + length - 2, h + 8, 7);
        const Path inner = hanging ? RoundBox(x + 2, -8, x + length - 2, h - 2, 5)
                                   : RoundBox(x + 3, 4, x + length - 3, h + 8, 6);
        c.Fill(tab, hanging ? Vertical(0, h, {200, 222, 252}, {236, 244, 255})
                            : Vertical(0, h, {232, 241, 255}, {196, 218, 252}));
        c.Fill(Minus(tab, inner), kLinkBlue);
        c.TextCentred(x + length / 2.0, hanging ? h / 2.0 : h / 2.0 + 2, text, kLinkBlue, 1.3, true);
        x += length;
    }
}

// The pair editor's vertical tabs, drawn lying down and turned upright.
Canvas PairTabs() {
    const int w = 30, h = 365;
    Canvas strip(h, w);
    TabStrip(strip, {{105, QStringLiteral("Informacje")}, {130, QStringLiteral("Rodowód")},
                     {130, QStringLiteral("Wyniki")}},
             false);
    for (int x = 0; x < h; ++x) strip.Set(x, w - 1, kLinkBlue);
    Canvas upright(w, h);
    upright.Image() = strip.Image().transformed(QTransform().rotate(90));
    return upright;
}

Canvas PreviewTabs() {
    Canvas c(718, 22);
    for (int x = 0; x < c.Width(); ++x) c.Set(x, 0, kLinkBlue);
    TabStrip(c, {{110, QStringLiteral("Podgląd")}, {180, QStringLiteral("Rodowód i zdjęcia")},
                 {165, QStringLiteral("Partnerzy i potomstwo")}, {130, QStringLiteral("Rodzeństwo")},
                 {133, QStringLiteral("Wyniki lotów")}},
             true);
    return c;
}

// The menu's command images: 17 cells of 16 x 16 on the mask colour, 278 pixels wide as the image
// list cuts it (six spare columns).
Canvas CommandImages() {
    const std::vector<Pictogram> cells = {
        [](Canvas& c, double x, double y, double s) { Info(c, x, y, s); },
        [](Canvas& c, double x, double y, double s) { Disk(c, x, y, s); },
        [](Canvas& c, double x, double y, double s) { Cross(c, x, y, s); },
        [](Canvas& c, double x, double y, double s) { Pencil(c, x, y, s); },
        [](Canvas& c, double x, double y, double s) { Bird(c, x, y, s); },
        [](Canvas& c, double x, double y, double s) { Pair(c, x, y, s); },
        [](Canvas& c, double x, double y, double s) { List(c, x, y, s); },
        [](Canvas& c, double x, double y, double s) { Plus(c, x, y, s); },
        [](Canvas& c, double x, double y, double s) { Calculator(c, x, y, s); },
        [](Canvas& c, double x, double y, double s) { People(c, x, y, s); },
        [](Canvas& c, double x, double y, double s) { Folder(c, x, y, s); },
        [](Canvas& c, double x, double y, double s) { Stopwatch(c, x, y, s); },
        [](Canvas& c, double x, double y, double s) { Note(c, x, y, s); },
        [](Canvas& c, double x, double y, double s) { Globe(c, x, y, s); },
        [](Canvas& c, double x, double y, double s) { Tree(c, x, y, s); },
        [](Canvas& c, double x, double y, double s) { Printer(c, x, y, s); },
        [](Canvas& c, double x, double y, double s) { FolderOpen(c, x, y, s); },
    };
    Canvas strip(278, 16, kMask);
    for (size_t i = 0; i < cells.size(); ++i) {
        Canvas cell(16, 16, kWhite, 0.0);
        cells[i](cell, 0, 0, 16);
        const QImage image = cell.Image().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const QColor p = image.pixelColor(x, y);
                if (p.alphaF() < 0.5) continue;
                // Edges keep a little softness against a light menu; nothing lands on the mask.
                const QColor mixed = Colour(Mix(kWhite, {double(p.red()), double(p.green()), double(p.blue())},
                                                std::min(1.0, p.alphaF() * 1.25)));
                const Rgb colour = mixed == Colour(kMask) ? Rgb{191, 191, 191}
                                                          : Rgb{double(mixed.red()), double(mixed.green()),
                                                                double(mixed.blue())};
                strip.Set(static_cast<int>(i) * 16 + x, y, colour);
            }
    }
    return strip;
}

Canvas ProgramIcon(int size) {
    Canvas c(size, size, kWhite, 0.0);
    const double inset = size <= 16 ? 0.0 : size / 32.0;
    DrawPlate(c, inset, inset, size - inset, size - inset, size * 0.22, {88, 156, 246}, {22, 66, 150});
    if (size >= 32) c.Fill(Circle(size * 0.5, size * 0.47, size * 0.34), kWhite, 0.12);
    const double pad = size * (size <= 16 ? 0.04 : 0.10);
    const Rgb detail{196, 216, 250};
    DrawPigeon(c, pad, pad, size - 2 * pad, kWhite, false, size >= 32 ? &detail : nullptr);
    return c;
}

// Bitmaps by resource id.
std::map<int, std::function<Canvas()>> Bitmaps() {
    using P = Pictogram;
    auto plus = P([](Canvas& c, double x, double y, double s) { Plus(c, x, y, s); });
    auto info = P([](Canvas& c, double x, double y, double s) { Info(c, x, y, s); });
    auto globe = P([](Canvas& c, double x, double y, double s) { Globe(c, x, y, s); });
    return {
        {133, [] { return Banner(2005, 65); }},
        {141, [] { return Banner(2005, 72); }},
        {142, [plus] { return Small(plus); }},
        {145, [] {
             Canvas c(2, 240);
             for (int y = 0; y < 240; ++y) {
                 const double k = std::sin(M_PI * y / 239);
                 c.Set(0, y, Mix(kWhite, kLightBlue, k));
                 c.Set(1, y, Mix(kWhite, kPaleBlue, k));
             }
             return c;
         }},
        {147, [] {
             Canvas c(148, 1);
             for (int x = 0; x < 148; ++x) c.Set(x, 0, Mix(kLightBlue, kWhite, x / 147.0));
             return c;
         }},
        {157, [] { return HeadingPlate(QStringLiteral("Notatnik"), [](Canvas& c, double x, double y, double s) { Note(c, x, y, s); }); }},
        {158, [] { return Splash(); }},
        {159, [] { return Emblem([](Canvas& c) { People(c, 12, 9, 44, kWhite, {190, 214, 250}); }); }},
        {160, [] { return Emblem([](Canvas& c) { WhiteBird(c, 9, 6, 50); }); }},
        {161, [] { return Emblem([](Canvas& c) { Palette(c, 11, 8, 45); }); }},
        {162, [] { return Emblem([](Canvas& c) { Coins(c, 11, 9, 45); }); }},
        {163, [] { return HeadingPlate(QStringLiteral("Transakcje"), [](Canvas& c, double x, double y, double s) { Coins(c, x, y, s); }); }},
        {164, [] { return HeadingPlate(QStringLiteral("Klienci"), [](Canvas& c, double x, double y, double s) { People(c, x, y, s, kWhite, {190, 214, 250}); }); }},
        {165, [plus] {
             return LinkPanel(QStringLiteral("Szybki start"), QStringLiteral("Dodawaj nowe wpisy jednym kliknięciem"),
                              {{QStringLiteral("Dodaj nowego gołębia"), plus},
                               {QStringLiteral("Dodaj nową parę"), plus},
                               {QStringLiteral("Dodaj nową transakcję"), plus},
                               {QStringLiteral("Dodaj nowego klienta"), plus},
                               {QStringLiteral("Napisz notatkę"), [](Canvas& c, double x, double y, double s) { Note(c, x, y, s); }}},
                              54, [](Canvas& c, double x, double y, double s) { WhiteBird(c, x, y, s); });
         }},
        {166, [info, globe] {
             return LinkPanel(QStringLiteral("Pomoc"), QStringLiteral("Wprowadzenie, tematy pomocy i strony internetowe"),
                              {{QStringLiteral("Wprowadzenie do programu"), info},
                               {QStringLiteral("Wszystkie tematy pomocy"), info},
                               {QStringLiteral("Strona WWW programu"), globe},
                               {QStringLiteral("Strona Twojej hodowli"), globe}},
                              69, [](Canvas& c, double x, double y, double s) { Question(c, x, y, s); });
         }},
        {167, [] {
             return WideHeading(367, 60, QStringLiteral("Witamy w Ornivex 6"),
                                QStringLiteral("Twoja hodowla gołębi w jednym miejscu"),
                                [](Canvas& c, double x, double y, double s) { WhiteBird(c, x, y, s); });
         }},
        {169, [] {
             return WideHeading(365, 47, QStringLiteral("Kalendarz"), QString(),
                                [](Canvas& c, double x, double y, double s) { CalendarPict(c, x, y, s); });
         }},
        {177, [] {
             return Emblem([](Canvas& c) {
                 c.Fill(Circle(33.5, 31, 25), kWhite, 0.95);
                 DrawPigeon(c, 12, 9, 42, kMidBlue, false, &kDeepBlue);
             });
         }},
        {178, [] {
             return Emblem([](Canvas& c) {
                 c.Fill(Circle(33.5, 31, 24), kWhite, 0.25);
                 Question(c, 11, 8, 45);
             });
         }},
        {182, [] { return Small([](Canvas& c, double x, double y, double s) { Male(c, x, y, s); }); }},
        {183, [] { return Small([](Canvas& c, double x, double y, double s) { Female(c, x, y, s); }); }},
        {185, [] { return CommandImages(); }},
        {187, [] { return Small([](Canvas& c, double x, double y, double s) { Cross(c, x, y, s); }); }},
        {188, [] { return Small([](Canvas& c, double x, double y, double s) { Printer(c, x, y, s); }); }},
        {189, [] { return Small([](Canvas& c, double x, double y, double s) { People(c, x, y, s, {28, 150, 52}, {120, 200, 130}); }); }},
        {192, [] { return NoPhoto(303, 231, 2); }},
        {193, [] { return NoPhoto(214, 148, 1.3); }},
        {200, [] { return Tile([](Canvas& c, double s) { WhiteBird(c, s * 0.12, s * 0.1, s * 0.76); }); }},
        {201, [] {
             return Tile([](Canvas& c, double s) {
                 Male(c, s * 0.12, s * 0.26, s * 0.42, kWhite);
                 Female(c, s * 0.50, s * 0.26, s * 0.40, {255, 210, 235});
             });
         }},
        {223, [] { return Tile([](Canvas& c, double s) { Stopwatch(c, s * 0.16, s * 0.14, s * 0.68, kWhite); }); }},
        {227, [] {
             return Tile([](Canvas& c, double s) {
                 Egg(c, s * 0.50, s * 0.42, s * 0.42);
                 DrawPigeon(c, s * 0.06, s * 0.14, s * 0.56, kWhite);
             });
         }},
        {228, [] {
             return Tile([](Canvas& c, double s) {
                 Tree(c, s * 0.16, s * 0.16, s * 0.68, kWhite, kWhite, {190, 214, 250}, {255, 200, 228});
             });
         }},
        {230, [] {
             return Tile([](Canvas& c, double s) {
                 DrawPigeon(c, s * 0.04, s * 0.30, s * 0.40, {200, 220, 250});
                 DrawPigeon(c, s * 0.54, s * 0.30, s * 0.40, {200, 220, 250}, true);
                 DrawPigeon(c, s * 0.26, s * 0.12, s * 0.50, kWhite);
             });
         }},
        {233, [] {
             return Tile([](Canvas& c, double s) {
                 const Rgb far{200, 220, 250};
                 DrawFlyingPigeon(c, s * 0.1, s * 0.12, s * 0.8, kWhite, &far, false);
             });
         }},
        {234, [] {
             return WideHeading(350, 40, QStringLiteral("Spis oddziałów PZHGP"), QString(),
                                [](Canvas& c, double x, double y, double s) { List(c, x, y, s); });
         }},
        {251, [] { return Auctions(); }},
        // The bird list page: the heading over its links and the pictures in their margin.
        {12900, [] {
             return HeadingPlate(QStringLiteral("Lista gołębi"), [](Canvas& c, double x, double y, double s) {
                 WhiteBird(c, x, y, s);
             });
         }},
        {12901, [] { return Small([](Canvas& c, double x, double y, double s) { Pencil(c, x, y, s); }); }},
        {12902, [] { return Small([](Canvas& c, double x, double y, double s) { Folder(c, x, y, s); }); }},
        {12903, [] { return Small([](Canvas& c, double x, double y, double s) { Tree(c, x, y, s); }); }},
        {12904, [] { return Small([](Canvas& c, double x, double y, double s) { List(c, x, y, s); }); }},
        {253, [] { return PairTabs(); }},
    };
}

bool Save(Canvas& canvas, const QDir& folder, const QString& name, bool alpha) {
    const QImage image = canvas.Image().convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB888);
    return image.save(folder.filePath(name), "PNG");
}

bool LoadFaces() {
    const QString folder = QStringLiteral("/usr/share/fonts/truetype/dejavu/");
    const int regular = QFontDatabase::addApplicationFont(folder + QStringLiteral("DejaVuSans.ttf"));
    const int bold = QFontDatabase::addApplicationFont(folder + QStringLiteral("DejaVuSans-Bold.ttf"));
    if (regular < 0 || bold < 0) return false;
    g_regular = QFontDatabase::applicationFontFamilies(regular).value(0);
    g_bold = QFontDatabase::applicationFontFamilies(bold).value(0);
    return !g_regular.isEmpty() && !g_bold.isEmpty();
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: make_images FOLDER (resources/images)\n";
        return 2;
    }
    if (!LoadFaces()) {
        err << "DejaVu Sans is not installed (fonts-dejavu-core)\n";
        return 1;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QStringList files;
    for (auto& [id, draw] : Bitmaps()) {
        Canvas canvas = draw();
        const QString name = QStringLiteral("%1.png").arg(id);
        if (!Save(canvas, folder, name, false)) return 1;
        files << name;
    }
    {
        Canvas tabs = PreviewTabs();
        if (!Save(tabs, folder, QStringLiteral("tabs-1151.png"), false)) return 1;
        files << QStringLiteral("tabs-1151.png");
    }
    for (int size : {16, 32, 48, 256}) {
        Canvas icon = ProgramIcon(size);
        const QString name = QStringLiteral("icon-128-%1.png").arg(size);
        if (!Save(icon, folder, name, true)) return 1;
        files << name;
    }
    QFile qrc(folder.filePath(QStringLiteral("images.qrc")));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 1;
    QTextStream out(&qrc);
    out << "<!DOCTYPE RCC>\n<!-- Written by the make_images tool (MakeImages.cpp); run it instead of editing. -->\n"
        << "<RCC version=\"1.0\">\n  <qresource prefix=\"/images\">\n";
    for (const QString& name : files) out << "    <file alias=\"" << name << "\">" << name << "</file>\n";
    out << "  </qresource>\n</RCC>\n";
    err << files.size() << " images\n";
    return 0;
}
