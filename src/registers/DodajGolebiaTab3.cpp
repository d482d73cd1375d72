#include "DodajGolebiaTab3.h"

#include <QFileInfo>
#include <QPixmap>
#include <algorithm>

#include "DataStore.h"
#include "KategoriaZdjecia.h"
#include "ListView.h"
#include "PictureBox.h"
#include "PodgladZdjec.h"
#include "Resources.h"
#include "StandardControls.h"

namespace {

constexpr int kDefaultPictureBitmap = 192;
constexpr int kDefaultPictureWidth = 214;
constexpr int kDefaultPictureHeight = 148;
constexpr char16_t kPhotoItem[] = u"Zdjęcie";

}  // namespace

const char16_t* const CDodajGolebiaTab3::kOpenFilter =
    u"JPEG files (*.jpg;*.jpeg)|*.jpg; *.jpeg|Bitmap files (*.bmp)|*.bmp|Compuserve files "
    u"(*.gif)|*.gif|TIFF files (*.tif;*.tiff)|*.tif; *.tiff|All Picture Files|*.jpg; *.jpeg; "
    u"*.bmp; *.gif; *.tif; *.tiff|All Files (*.*)|*.*||";

CDodajGolebiaTab3::CDodajGolebiaTab3(PigeonRecord& record, QWidget* parent)
    : CDodajGolebiaPage(kTemplateId, record, parent) {
    OnSelChange(kFitCombo, [this] { OnFitChange(); });
    // The chosen photo follows the list by mouse and by keys, so deleting always removes the
    // photo the user sees highlighted.
    OnClicked(kPhotoList, [this] { OnPhotoClick(); });
    OnItemChanged(kPhotoList, [this] { OnPhotoClick(); });
    OnDoubleClick(kPhotoList, [this] { OnViewPhotos(); });
    OnClicked(kAddPhoto, [this] { OnAddPhoto(); });
    OnClicked(kDeletePhoto, [this] { OnDeletePhoto(); });
    OnClicked(kPhotoCategory, [this] { OnPhotoCategory(); });
    OnClicked(kPicture, [] {});
}

CPictureBox* CDodajGolebiaTab3::Picture() const { return ItemAs<CPictureBox>(kPicture); }
ListView* CDodajGolebiaTab3::PhotoList() const { return List(kPhotoList); }

bool CDodajGolebiaTab3::OnInitDialog() {
    CDodajGolebiaPage::OnInitDialog();
    if (ComboBox* fit = Combo(kFitCombo)) fit->SetCurSel(CPictureBox::kStretched);
    FillList();
    ShowDefaultPicture();
    return true;
}

void CDodajGolebiaTab3::RecordReplaced() {
    FillList();
    ShowDefaultPicture();
}

void CDodajGolebiaTab3::FillList() {
    if (ListView* list = PhotoList()) {
        list->DeleteAllItems();
        for (std::size_t i = 0; i < record_.photos.size(); ++i)
            list->InsertItem(static_cast<int>(i), std::u16string(kPhotoItem));
    }
    selectedPhoto = -1;
}

void CDodajGolebiaTab3::ShowDefaultPicture() {
    CPictureBox* picture = Picture();
    if (!picture) return;
    picture->displayMode = CPictureBox::kStretched;
    const QPixmap bitmap = LoadBitmap(kDefaultPictureBitmap);
    picture->SetBitmap(bitmap.isNull() ? bitmap
                                       : bitmap.scaled(kDefaultPictureWidth, kDefaultPictureHeight,
                                                       Qt::IgnoreAspectRatio,
                                                       Qt::SmoothTransformation));
    picture->update();
}

void CDodajGolebiaTab3::OnFitChange() {
    CPictureBox* picture = Picture();
    const ComboBox* fit = Combo(kFitCombo);
    if (!picture || !fit || fit->GetCurSel() < 0) return;
    picture->displayMode = fit->GetCurSel();
    picture->update();
}

void CDodajGolebiaTab3::OnPhotoClick() {
    const ListView* list = PhotoList();
    const int row = list ? list->FirstSelectedRow() : -1;
    selectedPhoto = row >= 0 && row < static_cast<int>(record_.photos.size()) ? row : -1;
    if (selectedPhoto < 0) return;
    if (CPictureBox* picture = Picture()) {
        picture->LoadFromFile(record_.photos[selectedPhoto].GetEscapedFilePath());
        picture->update();
    }
}

void CDodajGolebiaTab3::OnAddPhoto() {
    // A bird not saved yet has no row for the photo to belong to.
    if (record_.id <= 0) return;
    const QString chosen = GetOpenFileName(this, QString::fromStdU16String(kOpenFilter));
    if (chosen.isEmpty()) return;
    const QFileInfo file(chosen);

    PhotoRecord photo;
    photo.opis1 = file.fileName().toStdU16String();
    photo.rodzaj = photo.kategoria = photo.subkategoria = 0;
    photo.rozszerzenie = file.suffix().toStdU16String();
    photo.path = chosen.toStdU16String();
    photo.id_golebia = record_.id;
    photo.id_hodowli = AttachmentLoftId();
    photo.classify1 = 0;
    if (!TheDataStore().AddPhoto(photo)) {
        MessageBox(this, u"Nie udało się dodać zdjęcia. Sprawdź, czy plik można odczytać.", u"",
                   MB_OK | MB_ICONERROR);
        return;
    }
    photo.GetFilePath();
    record_.photos.push_back(photo);
    if (ListView* list = PhotoList())
        list->InsertItem(list->GetItemCount(), std::u16string(kPhotoItem));
}

void CDodajGolebiaTab3::OnDeletePhoto() {
    if (selectedPhoto < 0 || selectedPhoto >= static_cast<int>(record_.photos.size())) return;
    if (!TheDataStore().DeletePhoto(record_.photos[selectedPhoto])) {
        MessageBox(this, u"Nie udało się usunąć zdjęcia.", u"", MB_OK | MB_ICONERROR);
        return;
    }
    record_.photos.erase(record_.photos.begin() + selectedPhoto);
    if (ComboBox* fit = Combo(kFitCombo)) fit->SetCurSel(CPictureBox::kStretched);
    ShowDefaultPicture();
    FillList();
}

void CDodajGolebiaTab3::OnPhotoCategory() {
    if (selectedPhoto < 0 || selectedPhoto >= static_cast<int>(record_.photos.size())) return;
    PhotoRecord& photo = record_.photos[selectedPhoto];
    if (photo.classify1 == 0) MessageBox(this, u"Obecnie normalne zdjęcie");
    else if (photo.classify1 == 1) MessageBox(this, u"Obecnie zdjęcie oka gołębia");

    CKategoriaZdjecia kind;
    kind.photoId = photo.id;
    // The window stores the kind itself; the record follows, so the next question tells the
    // kind just chosen.
    if (kind.DoModal() == IDOK && kind.classify >= 0) photo.classify1 = kind.classify;
}

void CDodajGolebiaTab3::OnViewPhotos() {
    if (record_.photos.empty()) return;
    CPodgladZdjec viewer;
    viewer.photos = record_.photos;
    // The viewer starts with its first photo and goes round: turning the list so that the chosen
    // photo comes first keeps the order of the others.
    const int first = selectedPhoto >= 0 ? selectedPhoto : 0;
    std::rotate(viewer.photos.begin(), viewer.photos.begin() + first, viewer.photos.end());
    viewer.DoModal();
}
