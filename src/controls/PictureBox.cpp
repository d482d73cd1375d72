#include "PictureBox.h"

#include <QImageReader>
#include <QPainter>

#include "Dc.h"

CPictureBox::CPictureBox(QWidget* parent) : QWidget(parent) {}

CPictureBox::~CPictureBox() = default;

void CPictureBox::Hold(std::unique_ptr<QImage> image) {
    image_ = std::move(image);
    transparent_ = !HasImage();
}

bool CPictureBox::LoadFromFile(const QString& path) {
    image_.reset();
    // The file's pixels as they are: no colour management and no turning by orientation tags.
    QImageReader reader(path);
    reader.setAutoTransform(false);
    auto image = std::make_unique<QImage>(reader.read());
    if (!image->isNull()) image->setDevicePixelRatio(1.0);
    Hold(std::move(image));
    return HasImage();
}

bool CPictureBox::LoadFromFile(const std::u16string& path) {
    return LoadFromFile(QString::fromStdU16String(path));
}

bool CPictureBox::SetBitmap(const QPixmap& bitmap) {
    image_.reset();
    auto image = std::make_unique<QImage>(bitmap.toImage());
    if (!image->isNull()) image->setDevicePixelRatio(1.0);
    Hold(std::move(image));
    return HasImage();
}

void CPictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int w = width(), h = height();
    painter.fillRect(QRect(0, 0, w, h), ToQColor(GetSysColor(SysColor::ButtonFace)));
    if (!HasImage()) return;
    const QImage& image = *image_;
    switch (displayMode) {
    case kNaturalTopLeft:
        painter.drawImage(QPoint(0, 0), image);
        break;
    case kNaturalCentred:
        // A picture larger than the control gets negative offsets: its middle part shows.
        painter.drawImage(QPoint(w / 2 - image.width() / 2, h / 2 - image.height() / 2), image);
        break;
    case kStretched:
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(0, 0, w, h), image);
        break;
    default:
        break;
    }
    // Controls stacked above this one are composed over it by the window system, so nothing
    // has to repaint them after the picture.
}
