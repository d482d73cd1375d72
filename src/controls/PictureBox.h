#pragma once
// A picture in a dialog: a photograph from a file or a bitmap, shown at its natural size in
// the top-left corner, centred, or stretched to the control, on the dialog face colour.
//
// Loading never repaints: the owner updates the control when it has set everything up.

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <memory>
#include <string>

class CPictureBox : public QWidget {
    Q_OBJECT
public:
    enum DisplayMode { kNaturalTopLeft = 0, kNaturalCentred = 1, kStretched = 2 };

    explicit CPictureBox(QWidget* parent = nullptr);
    ~CPictureBox() override;

    // How the picture is placed; other values show nothing but the face colour.
    int displayMode = kNaturalCentred;

    // Replaces the picture by the one in the file. True when the file gave a picture; otherwise
    // the control shows no picture.
    bool LoadFromFile(const QString& path);
    bool LoadFromFile(const std::u16string& path);
    // Replaces the picture by a copy of the bitmap (the caller keeps its own).
    bool SetBitmap(const QPixmap& bitmap);

    // True while a picture that loaded properly is held.
    bool HasImage() const { return image_ && !image_->isNull(); }
    const QImage* Image() const { return image_.get(); }
    // Without a usable picture the control lets what lies under it show through its edges.
    bool IsTransparent() const { return transparent_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Hold(std::unique_ptr<QImage> image);

    std::unique_ptr<QImage> image_;
    bool transparent_ = false;
};
