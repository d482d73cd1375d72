#include "KategoriaZdjecia.h"

#include "DataStore.h"

CKategoriaZdjecia::CKategoriaZdjecia(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kGeneral, [this] { Store(0); });
    OnClicked(kEye, [this] { Store(1); });
    OnClicked(kPlumage, [this] { Store(2); });
    // The pedigree printout looks for kind 4; 3 is not used.
    OnClicked(kPedigree, [this] { Store(4); });
    OnClicked(kCancelButton, [this] { EndDialog(IDCANCEL); });
}

void CKategoriaZdjecia::Store(int kind) {
    if (TheDataStore().WritePhotoKind(photoId, kind)) classify = kind;
    EndDialog(IDOK);
}
