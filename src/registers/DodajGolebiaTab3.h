#pragma once
// The bird editor's photo album: the list of the bird's photos, the picture of the one chosen,
// how the picture is fitted, and adding, deleting and classifying photos. Each addition and
// deletion is stored at once (row and file together), whether the editor is later confirmed or
// not. Item i of the list is photo i of the record.

#include "DodajGolebiaPage.h"

class CPictureBox;
class ListView;

class CDodajGolebiaTab3 : public CDodajGolebiaPage {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 195;
    static constexpr int kPicture = 1246;
    static constexpr int kPhotoList = 1199;
    static constexpr int kFitCombo = 1249;
    static constexpr int kAddPhoto = 1250;
    static constexpr int kDeletePhoto = 1248;
    static constexpr int kPhotoCategory = 1212;

    static const char16_t* const kOpenFilter;

    explicit CDodajGolebiaTab3(PigeonRecord& record, QWidget* parent = nullptr);

    // The photo last chosen in the list (index into the record's photos); -1 none.
    int selectedPhoto = -1;

    CPictureBox* Picture() const;
    ListView* PhotoList() const;

    bool OnInitDialog() override;
    void RecordReplaced() override;

    void OnPhotoClick();
    void OnAddPhoto();
    void OnDeletePhoto();
    void OnPhotoCategory();
    // Opens the photo viewer on the bird's photos, starting with the photo chosen.
    void OnViewPhotos();

private:
    void OnFitChange();
    void FillList();
    void ShowDefaultPicture();
};
