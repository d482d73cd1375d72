#include "DodajGolebiaTab1.h"

#include <QLabel>
#include <QPixmap>
#include <ctime>
#include <iomanip>
#include <locale>
#include <set>
#include <sstream>
#include <vector>

#include "AutoCompleteCombo.h"
#include "DataStore.h"
#include "DateTimePicker.h"
#include "Globals.h"
#include "Lineage.h"
#include "PictureBox.h"
#include "Resources.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "TransparentStatic.h"
#include "WyborKoloru.h"
#include "WybierzPsaZListy.h"
#include "ZarzadzajStatusami.h"

const CDodajGolebiaTab1::DateGroupIds CDodajGolebiaTab1::kDateGroups[kDateGroupCount] = {
    {1056, 1057, 1058, 1059, 1025},  // purchase
    {1060, 1420, 1421, 1422, 1026},  // sale
    {1061, 1423, 1424, 1425, 1029},  // hatch
    {1062, 1426, 1427, 1428, 1017},  // leaving
};

namespace {

constexpr int kDefaultPictureBitmap = 192;
constexpr int kDefaultPictureWidth = 214;
constexpr int kDefaultPictureHeight = 148;
constexpr COLORREF kParentLabelColour = RGB(63, 172, 255);

// Each group's date in the record, and its name in messages.
constexpr Time64 PigeonRecord::*kDateMembers[CDodajGolebiaTab1::kDateGroupCount] = {
    &PigeonRecord::DataKupna, &PigeonRecord::DataSprzedazy, &PigeonRecord::DataUrodzenia,
    &PigeonRecord::DataOdejscia};
constexpr const char16_t* kDateNames[CDodajGolebiaTab1::kDateGroupCount] = {
    u"Data kupna", u"Data sprzedaży", u"Data wylęgu", u"Odszedł"};

// Rating lists: position 0 is " " (no rating), positions 1 to 10 the ratings themselves.
struct RatingList {
    int combo;
    int PigeonRecord::*member;
};
constexpr RatingList kRatings[] = {
    {CDodajGolebiaTab1::kHealthRating, &PigeonRecord::ocena_zdrowia},
    {CDodajGolebiaTab1::kPlumageRating, &PigeonRecord::ocena_upierzenia},
    {CDodajGolebiaTab1::kFlightRating, &PigeonRecord::ocena_lotowa},
    {CDodajGolebiaTab1::kGeneralRating, &PigeonRecord::ocena_ogolna},
};

// Lookup lists, the record member each one sets and the field's name in messages.
struct LookupList {
    int combo;
    int CDodajGolebiaTab1::*id;
    int PigeonRecord::*member;
    const char16_t* name;
};
constexpr LookupList kLookups[] = {
    {CDodajGolebiaTab1::kColour, &CDodajGolebiaTab1::colourId, &PigeonRecord::id_koloru, u"Barwa"},
    {CDodajGolebiaTab1::kBreed, &CDodajGolebiaTab1::breedId, &PigeonRecord::id_rasy, u"Rasa"},
    {CDodajGolebiaTab1::kLine, &CDodajGolebiaTab1::lineId, &PigeonRecord::id_linia, u"Linia"},
    {CDodajGolebiaTab1::kEyeColour, &CDodajGolebiaTab1::eyeColourId, &PigeonRecord::id_koloroka,
     u"Kolor oka"},
    {CDodajGolebiaTab1::kStatus, &CDodajGolebiaTab1::statusId, &PigeonRecord::id_statusu,
     u"Status gołębia"},
    {CDodajGolebiaTab1::kOwner, &CDodajGolebiaTab1::ownerId, &PigeonRecord::id_wlasciciela,
     u"Właściciel"},
    {CDodajGolebiaTab1::kBreeder, &CDodajGolebiaTab1::breederId, &PigeonRecord::id_hodowcy,
     u"Hodowca"},
};

QPixmap DefaultPicture() {
    const QPixmap bitmap = LoadBitmap(kDefaultPictureBitmap);
    if (bitmap.isNull()) return bitmap;
    return bitmap.scaled(kDefaultPictureWidth, kDefaultPictureHeight, Qt::IgnoreAspectRatio,
                         Qt::SmoothTransformation);
}

// The bird's first photo, or the default picture when it has none.
void ShowFirstPhoto(CPictureBox* box, const PigeonRecord& pigeon) {
    if (!box) return;
    if (!pigeon.photos.empty()) {
        PhotoRecord photo = pigeon.photos.front();
        box->LoadFromFile(photo.GetEscapedFilePath());
    } else {
        box->SetBitmap(DefaultPicture());
    }
    box->update();
}

void SetLabelLook(QLabel* label, const QFont& font, COLORREF colour) {
    if (!label) return;
    label->setFont(font);
    if (auto* transparent = qobject_cast<CTransparentStatic*>(label)) transparent->textColor = colour;
    label->update();
}

}  // namespace

CDodajGolebiaTab1::CDodajGolebiaTab1(PigeonRecord& record, QWidget* parent)
    : CDodajGolebiaPage(kTemplateId, record, parent) {
    // The lookups with a typed field complete what is typed from their entries.
    for (int id : {kBreed, kColour, kBreeder, kOwner}) {
        if (Combo(id)) ReplaceItemWith<CAutoCompleteCombo>(id);
    }

    OnSelChange(kSex, [this] { OnSexChange(); });
    for (const LookupList& lookup : kLookups) {
        const int combo = lookup.combo;
        OnSelChange(combo, [this, combo] { OnLookupChange(combo); });
        SetChoiceName(combo, lookup.name);
    }
    for (int id : {kHealthRating, kPlumageRating, kFlightRating}) {
        OnSelChange(id, [this] { UpdateAverageRating(); });
    }
    for (int group = 0; group < kDateGroupCount; ++group) {
        OnClicked(kDateGroups[group].box, [this, group] { OnDateBox(group); });
        OnClicked(kDateGroups[group].picker, [this, group] { OnDatePicker(group); });
    }
    for (int id : {kColourButton, kBreedButton, kLineButton, kEyeColourButton, kStatusButton}) {
        OnClicked(id, [this, id] { OnDictionary(id); });
    }
    OnClicked(kChooseFather, [this] { OnChooseFather(); });
    OnClicked(kChooseMother, [this] { OnChooseMother(); });
    // The arrows beside the photo have no use yet.
    OnClicked(1023, [] {});
    OnClicked(1024, [] {});
}

bool CDodajGolebiaTab1::OnInitDialog() {
    CDodajGolebiaPage::OnInitDialog();
    for (int id : {kPhoto, kFatherPicture, kMotherPicture}) {
        if (auto* box = ItemAs<CPictureBox>(id)) box->displayMode = CPictureBox::kStretched;
    }
    ShowFirstPhoto(ItemAs<CPictureBox>(kPhoto), record_);
    ShowParent(record_.id_ojca, kFatherPicture, kFatherLabel);
    ShowParent(record_.id_matki, kMotherPicture, kMotherLabel);

    const QFont parentFont = Font(QStringLiteral("Tahoma"), 14, FW_BOLD);
    SetLabelLook(Label(kFatherLabel), parentFont, kParentLabelColour);
    SetLabelLook(Label(kMotherLabel), parentFont, kParentLabelColour);
    // A parent's ring and name rarely fit under its picture: they end in "…" with the whole text
    // as the tooltip, and a ring cut keeps its end, so that father and mother still differ.
    for (int id : {kFatherLabel, kMotherLabel})
        if (auto* label = ItemAs<CTransparentStatic>(id))
            label->SetElided(true, ElidedText::StartsWithRing);
    SetLabelLook(Label(kAverageRating), Font(QStringLiteral("Tahoma"), 16, FW_BOLD), RGB(0, 0, 0));
    return true;
}

// A parent's picture and display text; without a parent (id below 1) the default picture beside
// the label's own text.
void CDodajGolebiaTab1::ShowParent(int pigeonId, int pictureId, int labelId) {
    auto* box = ItemAs<CPictureBox>(pictureId);
    if (pigeonId < 1) {
        if (box) {
            box->SetBitmap(DefaultPicture());
            box->update();
        }
        return;
    }
    const PigeonRecord& parent = TheDataStore().FindPigeon(pigeonId);
    ShowFirstPhoto(box, parent);
    SetItemText(labelId, parent.GetDisplayName());
}

void CDodajGolebiaTab1::ShowRecord(bool editMode) {
    sex = 0;
    if (editMode) {
        SetItemText(kName, record_.nazwa);
        SetItemText(kCountry, record_.kraj);
        SetItemText(kBranch, record_.oddzial);
        SetItemText(kRing, record_.nr_obraczki);
        SetItemText(kYear, record_.rocznik);
        sex = record_.plec;
    }
    if (ComboBox* combo = Combo(kSex)) combo->SetCurSel(sex);
    for (const RatingList& rating : kRatings) {
        if (ComboBox* combo = Combo(rating.combo)) combo->SetCurSel(record_.*rating.member);
    }

    for (const LookupList& lookup : kLookups) {
        FillLookup(lookup.combo);
        this->*lookup.id = editMode ? record_.*lookup.member : 0;
        if (!editMode) continue;
        const auto entries = LookupEntries(lookup.combo);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].first == this->*lookup.id) {
                Combo(lookup.combo)->SetCurSel(static_cast<int>(i));
                break;
            }
        }
    }

    for (int group = 0; group < kDateGroupCount; ++group) {
        const std::optional<LocalDateTime> date =
            editMode ? ToLocalDateTime(record_.*kDateMembers[group]) : std::nullopt;
        if (record_.*kDateMembers[group] == kNoDate || !date) {
            SetDateGroup(group, -1, -1, -1);
            CheckDlgButton(kDateGroups[group].box, 0);
        } else {
            SetDateGroup(group, date->day, date->month, date->year);
            CheckDlgButton(kDateGroups[group].box, 1);
        }
    }
    UpdateAverageRating();
}

bool CDodajGolebiaTab1::CollectInto(PigeonRecord& target) {
    // Dates first: one that cannot be stored stops everything before any field is taken.
    Time64 dates[kDateGroupCount];
    for (int group = 0; group < kDateGroupCount; ++group) {
        const DateGroupIds& ids = kDateGroups[group];
        if (IsDlgButtonChecked(ids.box) != 1) {
            dates[group] = kNoDate;
            continue;
        }
        const std::u16string badDate = u"Nieprawidłowa data: „" +
                                       std::u16string(kDateNames[group]) +
                                       u"”.\nPodaj istniejący dzień, miesiąc i pełny rok, nie "
                                       u"wcześniejszy niż 1970.";
        // A box without a number is the one given the focus; an impossible date, the day's.
        int day = 0, month = 0, year = 0;
        if (!ReadDateBoxes(ids.day, ids.month, ids.year, day, month, year, badDate)) return false;
        const auto time = MakeLocalTime(day, month, year, 1, 1, 1);
        if (!time) {
            RefuseField(ids.day, badDate);
            return false;
        }
        dates[group] = *time;
    }
    // A name typed into a lookup is the entry it names, or nothing is taken.
    if (!CheckTypedChoices()) return false;

    target.nazwa = ItemText(kName);
    target.kraj = ItemText(kCountry);
    target.oddzial = ItemText(kBranch);
    target.nr_obraczki = ItemText(kRing);
    target.rocznik = ItemText(kYear);
    cageNumber = ItemText(kCage);
    colourText = ItemText(kColour);
    for (const RatingList& rating : kRatings) {
        // A list without a selection (a stored rating it cannot show) keeps the stored value.
        const ComboBox* combo = Combo(rating.combo);
        if (combo && combo->GetCurSel() >= 0) target.*rating.member = combo->GetCurSel();
    }
    target.plec = sex;
    for (const LookupList& lookup : kLookups) target.*lookup.member = this->*lookup.id;
    // The parents are chosen straight into the editor's record.
    target.id_ojca = record_.id_ojca;
    target.id_matki = record_.id_matki;
    for (int group = 0; group < kDateGroupCount; ++group) target.*kDateMembers[group] = dates[group];
    return true;
}

// ---- lookups ----------------------------------------------------------------------------------

std::vector<std::pair<int, std::u16string>> CDodajGolebiaTab1::LookupEntries(int comboId) const {
    const CDataStore& store = TheDataStore();
    std::vector<std::pair<int, std::u16string>> entries;
    auto names = [&entries](const NameMap& map) {
        for (const auto& [id, name] : map) entries.emplace_back(id, name);
    };
    auto people = [&entries](const PersonMap& map) {
        for (const auto& [id, person] : map) entries.emplace_back(id, person.imie + u" " + person.nazwisko);
    };
    switch (comboId) {
    case kColour: names(store.ColourNames()); break;
    case kBreed: names(store.BreedNames()); break;
    case kLine: names(store.LineNames()); break;
    case kEyeColour: names(store.EyeColourNames()); break;
    case kStatus: names(store.StatusNames()); break;
    case kOwner: people(store.Clients()); break;
    case kBreeder: people(store.Breeders()); break;
    default: break;
    }
    return entries;
}

int* CDodajGolebiaTab1::LookupId(int comboId) {
    for (const LookupList& lookup : kLookups) {
        if (lookup.combo == comboId) return &(this->*lookup.id);
    }
    return nullptr;
}

void CDodajGolebiaTab1::FillLookup(int comboId) {
    ComboBox* combo = Combo(comboId);
    if (!combo) return;
    combo->ResetContent();
    for (const auto& entry : LookupEntries(comboId)) combo->AddString(entry.second);
}

void CDodajGolebiaTab1::OnLookupChange(int comboId) {
    const ComboBox* combo = Combo(comboId);
    int* id = LookupId(comboId);
    if (!combo || !id) return;
    const int index = combo->GetCurSel();
    // Nothing chosen (a text typed that names no entry) is no entry, not the list's first one.
    if (index < 0) {
        *id = 0;
        return;
    }
    const auto entries = LookupEntries(comboId);
    if (index >= static_cast<int>(entries.size())) return;
    *id = entries[index].first;
}

void CDodajGolebiaTab1::RefillLookupFromStore(int comboId) {
    if (ComboBox* combo = Combo(comboId)) combo->ResetContent();
    CDataStore& store = TheDataStore();
    // The load replaces every dictionary whole, so a colour removed in the editor cannot
    // linger; a file that cannot be read keeps them as they were.
    if (const LoftRecord* loft = CurrentLoft(); loft && !store.LoadExtraDb(loft->id))
        TellFileUnreadable(this, ExtraDbPath().c_str());
    FillLookup(comboId);
}

void CDodajGolebiaTab1::OnDictionary(int buttonId) {
    int combo = 0;
    if (buttonId == kStatusButton) {
        CZarzadzajStatusami editor;
        editor.DoModal();
        combo = kStatus;
    } else {
        CWyborKoloru editor;
        switch (buttonId) {
        case kColourButton: editor.kind = DictionaryColours; combo = kColour; break;
        case kBreedButton: editor.kind = DictionaryBreeds; combo = kBreed; break;
        case kEyeColourButton: editor.kind = DictionaryEyeColours; combo = kEyeColour; break;
        case kLineButton: editor.kind = DictionaryLines; combo = kLine; break;
        default: return;
        }
        editor.DoModal();
    }
    // Whatever the editor ended with, it may have added or removed names meanwhile.
    RefillLookupFromStore(combo);
}

void CDodajGolebiaTab1::OnSexChange() {
    const ComboBox* combo = Combo(kSex);
    const int index = combo ? combo->GetCurSel() : -1;
    if (index >= 0 && index <= 2) sex = index;
}

// ---- ratings ----------------------------------------------------------------------------------

std::u16string CDodajGolebiaTab1::AverageRatingText(int health, int plumage, int flight) {
    int sum = 0, count = 0;
    for (int rating : {flight, plumage, health}) {
        if (rating > 0) {
            sum += rating;
            ++count;
        }
    }
    if (count == 0) return u"-";
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << std::setprecision(2) << static_cast<float>(sum) / static_cast<float>(count);
    const std::string narrow = text.str();
    return std::u16string(narrow.begin(), narrow.end());
}

void CDodajGolebiaTab1::UpdateAverageRating() {
    auto selected = [this](int id) {
        const ComboBox* combo = Combo(id);
        return combo ? combo->GetCurSel() : -1;
    };
    SetItemText(kAverageRating, AverageRatingText(selected(kHealthRating), selected(kPlumageRating),
                                                  selected(kFlightRating)));
}

// ---- dates ------------------------------------------------------------------------------------

void CDodajGolebiaTab1::SetDateGroup(int group, int day, int month, int year) {
    if (group < 0 || group >= kDateGroupCount) return;
    const DateGroupIds& ids = kDateGroups[group];
    const int fields[] = {ids.day, ids.month, ids.year};
    if (day == -1 && month == -1 && year == -1) {
        for (int id : fields) {
            SetItemText(id, u"");
            EnableItem(id, false);
        }
    } else if (day == -2 && month == -2 && year == -2) {
        const LocalDateTime today = SplitTime(static_cast<Time64>(std::time(nullptr)));
        for (int id : fields) EnableItem(id, true);
        SetDlgItemInt(ids.day, today.day);
        SetDlgItemInt(ids.month, today.month);
        SetDlgItemInt(ids.year, today.year);
    } else if (day > 0 && month > 0 && year > 0) {
        SetDlgItemInt(ids.day, day);
        SetDlgItemInt(ids.month, month);
        SetDlgItemInt(ids.year, year);
    }
}

void CDodajGolebiaTab1::OnDateBox(int group) {
    const bool ticked = IsDlgButtonChecked(kDateGroups[group].box) == 1;
    SetDateGroup(group, ticked ? -2 : -1, ticked ? -2 : -1, ticked ? -2 : -1);
}

void CDodajGolebiaTab1::OnDatePicker(int group) {
    if (IsDlgButtonChecked(kDateGroups[group].box) != 1) return;
    CDateTimePicker picker;
    if (picker.DoModal() != IDOK) return;
    if (const auto chosen = picker.ChosenDate()) SetDateGroup(group, chosen->day, chosen->month, chosen->year);
}

// ---- parents ----------------------------------------------------------------------------------

void CDodajGolebiaTab1::OnChooseFather() { ChooseParent(true); }
void CDodajGolebiaTab1::OnChooseMother() { ChooseParent(false); }

void CDodajGolebiaTab1::ChooseParent(bool father) {
    CWybierzPsaZListy chooser;
    chooser.filterMode = father ? ChooserMales : ChooserFemales;
    chooser.excludedId = record_.id;
    if (chooser.DoModal() != IDOK || chooser.chosenValid != 1) return;
    // A bird descending from this one (or this one itself) as its parent would make the bird its
    // own ancestor: pedigrees and family trees would run in a circle.
    if (record_.id > 0 &&
        BirdsAndForebears(TheDataStore().Pigeons(), {chooser.chosenId}).count(record_.id) != 0) {
        const std::u16string text =
            chooser.chosenId == record_.id
                ? u"Gołąb nie może być swoim własnym rodzicem."
                : u"Wybrany gołąb pochodzi od edytowanego gołębia, więc nie może być jego "
                  u"rodzicem.";
        MessageBox(this, text, std::u16string(u"Błąd"), MB_ICONWARNING | MB_OK);
        return;
    }
    // The parent goes into the record at once; the rest of the page waits for OK.
    (father ? record_.id_ojca : record_.id_matki) = chooser.chosenId;
    ShowParent(chooser.chosenId, father ? kFatherPicture : kMotherPicture,
               father ? kFatherLabel : kMotherLabel);
}
