#pragma once
// The kind of one photograph: four buttons, each storing its kind in the photo's row and
// closing the window, and "ANULUJ". The store writes the photo's row and its own copy of the
// photo; the caller may patch its own copy from `classify` after OK.

#include "Dialog.h"

class CKategoriaZdjecia : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 255;
    static constexpr int kGeneral = 1213;
    static constexpr int kEye = 1214;
    static constexpr int kPlumage = 1215;
    static constexpr int kPedigree = 1216;
    static constexpr int kCancelButton = 1099;

    explicit CKategoriaZdjecia(QWidget* parent = nullptr);

    int photoId = 0;     // the `zdjecia` row, set by the caller
    int classify = -1;   // the kind stored by the button pressed; -1 when none was

private:
    void Store(int kind);
};
