// Fuzz target: the markup of the balloon tips, parsed, laid out and drawn. The first byte picks
// how the rest is read (UTF-8 or UTF-16) and the width limit; a few inputs in every sixteen are
// also painted for real in the program's fonts, effects and images included. Nothing may crash,
// hang, or measure to a negative size.

#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "MarkupRenderer.h"
#include "MarkupSurface.h"
#include "ResourceInit.h"

namespace {

// Glyphs half the font height wide: layout without fonts, fast enough to run thousands of texts.
class FixedSurface : public MarkupSurface {
public:
    void SelectFont(const MarkupFont& font) override { font_ = font; }
    MarkupTextMetrics Metrics() const override {
        const int ascent = font_.height * 3 / 4;
        return {font_.height, ascent, font_.height - ascent};
    }
    QSize PlainExtent(const QString& text) const override {
        return QSize(static_cast<int>(text.size()) * std::max(1, font_.height / 2), font_.height);
    }
    void DrawPlainText(int, int, const QString&) override {}

private:
    MarkupFont font_;
};

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "markup: %s\n", what);
    std::abort();
}

long g_inputs = 0;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int count = 1;
    static char name[] = "fuzz_markup";
    static char* args[] = {name, nullptr};
    static QGuiApplication app(count, args);
    InitResources();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t mode = data[0];
    const char* rest = reinterpret_cast<const char*>(data + 1);
    const auto length = static_cast<qsizetype>(size - 1);
    const QString text = (mode & 1) ? QString::fromUtf16(reinterpret_cast<const char16_t*>(rest), length / 2)
                                    : QString::fromUtf8(rest, length);
    const int maxWidth = (mode >> 1) % 4 == 0 ? 0 : (mode >> 1) * 3;

    CMarkupRenderer renderer;
    renderer.SetMaxWidth(maxWidth);
    FixedSurface surface;
    const QSize size2 = renderer.MeasureMarkup(surface, text);
    Require(size2.width() >= 0 && size2.height() >= 0, "a negative size was measured");
    renderer.DrawMarkup(surface, Rect(0, 0, size2.width(), std::min(size2.height(), 4000)));
    renderer.DrawMarkup(surface, Rect(0, 0, 17, 9));  // smaller than measured
    // The tooltip window hit-tests the links under the mouse.
    renderer.TrackHotArea(QPoint(5, 5));

    if (++g_inputs % 16 == 0) {
        QImage image(200, 120, QImage::Format_ARGB32);
        image.fill(Qt::white);
        Dc dc(&image);
        DcMarkupSurface real(dc);
        CMarkupRenderer painter;
        painter.SetMaxWidth(maxWidth);
        const QSize drawn = painter.MeasureMarkup(real, text);
        Require(drawn.width() >= 0 && drawn.height() >= 0, "a negative size was measured");
        painter.DrawMarkup(real, Rect(0, 0, std::min(drawn.width(), 2000), std::min(drawn.height(), 2000)));
        painter.AdvanceAnimations();
    }
    return 0;
}
