#pragma once
// The first page of the bird editor, "Dane gołębia": name and ring, sex, the lookups (colour,
// breed, line, eye colour, status, breeder, owner), ratings with their mean, the four dates
// entered as day, month and year, the parents and the pictures.
//
// Lookup lists show their data-store map in ascending id order, so a list position is the
// position of an entry in its map. Dates entered here are stored as 01:01:01 local time of the
// day.

#include <string>
#include <utility>
#include <vector>

#include "DodajGolebiaPage.h"

class CDodajGolebiaTab1 : public CDodajGolebiaPage {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 192;

    // Identity.
    static constexpr int kName = 1191;
    static constexpr int kCountry = 1095;
    static constexpr int kBranch = 1160;
    static constexpr int kYear = 1036;
    static constexpr int kRing = 1019;
    static constexpr int kCage = 1032;
    static constexpr int kSex = 1186;
    // Lookups and the buttons that open their dictionaries.
    static constexpr int kColour = 1178;
    static constexpr int kBreed = 1181;
    static constexpr int kLine = 1182;
    static constexpr int kEyeColour = 1183;
    static constexpr int kStatus = 1008;
    static constexpr int kBreeder = 1179;
    static constexpr int kOwner = 1180;
    static constexpr int kColourButton = 1030;
    static constexpr int kBreedButton = 1037;
    static constexpr int kLineButton = 1039;
    static constexpr int kEyeColourButton = 1040;
    static constexpr int kStatusButton = 1038;
    // Ratings.
    static constexpr int kHealthRating = 1137;
    static constexpr int kPlumageRating = 1138;
    static constexpr int kFlightRating = 1139;
    static constexpr int kGeneralRating = 1136;
    static constexpr int kAverageRating = 1144;
    // Pictures and parents.
    static constexpr int kPhoto = 1246;
    static constexpr int kFatherPicture = 1247;
    static constexpr int kMotherPicture = 1248;
    static constexpr int kFatherLabel = 1098;
    static constexpr int kMotherLabel = 1099;
    static constexpr int kChooseFather = 1101;
    static constexpr int kChooseMother = 1100;

    // The four date groups: purchase, sale, hatch, leaving.
    enum DateGroup { kPurchase = 0, kSale = 1, kHatch = 2, kLeaving = 3, kDateGroupCount = 4 };
    struct DateGroupIds {
        int box, day, month, year, picker;
    };
    static const DateGroupIds kDateGroups[kDateGroupCount];

    explicit CDodajGolebiaTab1(PigeonRecord& record, QWidget* parent = nullptr);

    // 0 not given, 1 male, 2 female.
    int sex = 0;
    // The chosen entry of each lookup (a map key; 0 none).
    int ownerId = 0;
    int breederId = 0;
    int colourId = 0;
    int breedId = 0;
    int lineId = 0;
    int eyeColourId = 0;
    int statusId = 0;
    // The cage number and the colour as typed, taken on OK: kept with the window, never stored.
    std::u16string cageNumber;
    std::u16string colourText;

    bool OnInitDialog() override;
    void ShowRecord(bool editMode) override;
    bool CollectInto(PigeonRecord& target) override;

    // (-1, -1, -1) clears and disables the group; (-2, -2, -2) enables it with today's date;
    // a positive day, month and year are shown as they are; anything else does nothing.
    void SetDateGroup(int group, int day, int month, int year);
    // The mean of the health, plumage and flight ratings that are given, into label 1144.
    void UpdateAverageRating();
    void OnChooseFather();
    void OnChooseMother();
    void OnSexChange();
    // The user chose an entry of a lookup list.
    void OnLookupChange(int comboId);
    // Fills a lookup list from its map, nothing selected.
    void FillLookup(int comboId);
    // After a dictionary editor closed: the list is filled again from the reloaded dictionaries;
    // the ids chosen before stay.
    void RefillLookupFromStore(int comboId);

    // The mean as shown: two significant digits, "-" without ratings.
    static std::u16string AverageRatingText(int health, int plumage, int flight);

private:
    std::vector<std::pair<int, std::u16string>> LookupEntries(int comboId) const;
    int* LookupId(int comboId);
    void OnDateBox(int group);
    void OnDatePicker(int group);
    void OnDictionary(int buttonId);
    void ChooseParent(bool father);
    void ShowParent(int pigeonId, int pictureId, int labelId);
};
