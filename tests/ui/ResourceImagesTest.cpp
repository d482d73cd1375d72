// The program's artwork as the windows load it: by id from the resource, at the sizes the
// windows lay themselves out for.

#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <set>

#include "images/ImageCatalog.h"
#include "menu/MenuBuilder.h"

namespace {

QImage Bitmap(int id) {
    return QImage(QStringLiteral(":/images/%1.png").arg(id));
}

bool IsMask(QRgb pixel) {
    return qRed(pixel) == kCommandStripMaskRed && qGreen(pixel) == kCommandStripMaskGreen &&
           qBlue(pixel) == kCommandStripMaskBlue;
}

}  // namespace

TEST(ResourceImages, WindowsFindEveryBitmapTheyDrawById) {
    // Every id a window, page or the menu draws.
    const std::set<int> used = {133, 141, 142, 145, 147, 157, 158, 159, 160, 161, 162, 163, 164,
                                165, 166, 167, 169, 177, 178, 182, 183, 185, 187, 188, 189, 192,
                                193, 200, 201, 223, 227, 228, 230, 233, 234, 251, 253,
                                12900, 12901, 12902, 12903, 12904};
    std::set<int> catalogued;
    for (const BitmapInfo& info : BitmapCatalog()) catalogued.insert(info.id);
    EXPECT_EQ(catalogued, used);
    for (int id : used) EXPECT_FALSE(Bitmap(id).isNull()) << "bitmap " << id << " does not load";
}

TEST(ResourceImages, SizesTheLayoutsDependOn) {
    struct Expected { int id, width, height; };
    const Expected sizes[] = {
        {133, 2005, 65}, {141, 2005, 72}, {158, 530, 327}, {185, 278, 16}, {192, 303, 231},
        {193, 214, 148}, {161, 67, 66},   {157, 187, 32},  {163, 187, 32}, {164, 187, 32},
        {165, 516, 206}, {166, 516, 206}, {167, 367, 60},  {169, 365, 47}, {234, 350, 40},
        {251, 520, 86},  {147, 148, 1},   {159, 67, 66},   {162, 67, 66}};
    for (const Expected& e : sizes) {
        const QImage image = Bitmap(e.id);
        EXPECT_EQ(image.size(), QSize(e.width, e.height)) << "bitmap " << e.id;
    }
    // The rest load at the size the catalogue announces to the templates.
    for (const BitmapInfo& info : BitmapCatalog()) {
        EXPECT_EQ(Bitmap(info.id).size(), QSize(info.width, info.height)) << "bitmap " << info.id;
    }
    for (const NamedBitmapInfo& info : NamedBitmapCatalog()) {
        const QImage image(QStringLiteral(":/images/%1.png").arg(QLatin1String(info.name)));
        EXPECT_EQ(image.size(), QSize(info.width, info.height)) << info.name;
    }
}

TEST(ResourceImages, ResourceHoldsNothingUncatalogued) {
    std::set<QString> known;
    for (const BitmapInfo& info : BitmapCatalog()) known.insert(QStringLiteral("%1.png").arg(info.id));
    for (const NamedBitmapInfo& info : NamedBitmapCatalog())
        known.insert(QLatin1String(info.name) + QStringLiteral(".png"));
    for (int size : ProgramIconSizes())
        known.insert(QStringLiteral("icon-%1-%2.png").arg(kProgramIconId).arg(size));
    const QStringList files = QDir(QStringLiteral(":/images")).entryList(QDir::Files);
    EXPECT_EQ(std::set<QString>(files.begin(), files.end()), known);
}

TEST(ResourceImages, ProgramIconHasEverySizeWithClearCorners) {
    QIcon icon;
    for (int size : ProgramIconSizes()) {
        const QImage image(QStringLiteral(":/images/icon-%1-%2.png").arg(kProgramIconId).arg(size));
        ASSERT_EQ(image.size(), QSize(size, size)) << size;
        EXPECT_TRUE(image.hasAlphaChannel()) << size;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "rounded corner of " << size;
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << "centre of " << size;
        icon.addFile(QStringLiteral(":/images/icon-%1-%2.png").arg(kProgramIconId).arg(size));
    }
    EXPECT_EQ(icon.availableSizes().size(), static_cast<qsizetype>(ProgramIconSizes().size()));
}

TEST(ResourceImages, CommandStripHasSeventeenImagesOnTheMaskColour) {
    const QImage strip = Bitmap(kCommandStripId);
    ASSERT_EQ(strip.size(), QSize(278, 16));
    EXPECT_FALSE(strip.hasAlphaChannel()) << "the strip's transparency is its mask colour";
    for (int cell = 0; cell < kCommandStripCells; ++cell) {
        int mask = 0, drawn = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = cell * 16; x < cell * 16 + 16; ++x) (IsMask(strip.pixel(x, y)) ? mask : drawn)++;
        EXPECT_GT(drawn, 20) << "cell " << cell << " is (nearly) empty";
        EXPECT_GT(mask, 0) << "cell " << cell << " has no transparent background";
    }
    for (int y = 0; y < 16; ++y)
        for (int x = kCommandStripCells * 16; x < 278; ++x)
            EXPECT_TRUE(IsMask(strip.pixel(x, y))) << "spare column " << x;
}

TEST(ResourceImages, CommandStripIconsAreTransparentWhereTheMaskWas) {
    const QImage strip = Bitmap(kCommandStripId);
    for (int cell : {0, 7, 16}) {
        const QImage icon = CommandStripIcon(cell).pixmap(16, 16).toImage();
        ASSERT_EQ(icon.size(), QSize(16, 16));
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const QRgb source = strip.pixel(cell * 16 + x, y);
                const QRgb shown = icon.pixel(x, y);
                if (IsMask(source)) {
                    EXPECT_EQ(qAlpha(shown), 0) << cell << ' ' << x << ',' << y;
                } else {
                    EXPECT_EQ(qAlpha(shown), 255);
                    EXPECT_EQ(shown & 0xFFFFFF, source & 0xFFFFFF);
                }
            }
        }
    }
    EXPECT_TRUE(CommandStripIcon(-1).isNull());
    EXPECT_TRUE(CommandStripIcon(kCommandStripCells).isNull());
}

TEST(ResourceImages, WhiteTitlesStayReadableOnTheHeaderBands) {
    // Titles are written in white, 28 px bold, from x 40 (or 70) within the top 58 pixels.
    // Large bold text needs a contrast of 3:1 against its background.
    const auto linear = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    for (int id : {133, 141}) {
        const QImage band = Bitmap(id);
        double lowest = 21.0;
        for (int y = 0; y < 58; ++y) {
            for (int x = 0; x < 1200; x += 5) {
                const QColor c = band.pixelColor(x, y);
                const double luminance = 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) +
                                         0.0722 * linear(c.blueF());
                lowest = std::min(lowest, 1.05 / (luminance + 0.05));
            }
        }
        EXPECT_GE(lowest, 3.0) << "bitmap " << id;
    }
}
