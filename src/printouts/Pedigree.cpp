#include "Pedigree.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "DataStore.h"
#include "PedigreeTemplateText.h"
#include "PrintPage.h"
#include "Sex.h"
#include "SharedRoutines.h"

const std::array<PedigreeLayout, kPedigreeLayoutCount> kPedigreeLayouts{{
    {u"poziomy.html", u"poziomy.jpg", u"Orientacja Poziomy w formacie A4"},
    {u"poziomy_zdj.html", u"poziomy_zdj.jpg",
     u"Orientacja pozioma w formacie A4 ze zdjęciem gołębia"},
    {u"pionowy_zdj.html", u"pionowy_zdj.jpg", u"Orientacja pionowa A4 - ze zdjęciami rodziców"},
    {u"klasyczny.html", u"klasyczny.jpg", u"Klasyczny Rodowód"},
    {u"klasyczny_zdjecia.html", u"klasyczny_zdjecia.jpg",
     u"Klasyczny Rodowód ze zdjęciami rodziców i gołębia"},
    {u"klasyczny_3pokolenia.html", u"klasyczny3pokolenia.jpg",
     u"Klasyczny Rodowód 3 pokoleniowy"},
    {u"5pokolen_pionowy.html", u"5pokolen_pionowy.jpg",
     u"Rodowód 5-pokoleniowy - A4, orientacja pionowa"},
}};

namespace {

const PedigreeLayout& Layout(int layout) {
    return kPedigreeLayouts[static_cast<size_t>(layout >= 0 && layout < kPedigreeLayoutCount
                                                    ? layout
                                                    : 0)];
}

Text PictureUrl(const Text& relative) { return PageFileUrl(JoinPath(PedigreeFolder(), relative)); }

Text Number(int value) { return NumberText(value); }

// The texts a bird shows on the page.
Text Ring(const PigeonRecord& bird) { return HtmlEscape(bird.GetRingNumber()); }
Text Colour(const PigeonRecord& bird, const CDataStore& store) {
    return HtmlEscape(CDataStore::FindName(store.ColourNames(), bird.id_koloru));
}
Text Breed(const PigeonRecord& bird, const CDataStore& store) {
    return HtmlEscape(CDataStore::FindName(store.BreedNames(), bird.id_rasy));
}
Text BirdName(const PigeonRecord& bird) { return HtmlEscape(bird.nazwa); }
Text Breeder(const PigeonRecord& bird, const CDataStore& store) {
    const PersonRecord& breeder = store.FindBreeder(bird.id_hodowcy);
    return HtmlEscape(breeder.imie + u" " + breeder.nazwisko);
}
// Notes may carry markup of the rich-text editor or of the previous version: they stay as
// stored, with "<BR>" for each line break.
Text Notes(const PigeonRecord& bird, int generation) { return bird.GetPedigreeNoteHtml(generation); }
Text Picture(const PigeonRecord& bird) {
    if (bird.photos.empty()) return PictureUrl(u"img/blank.jpg");
    PhotoRecord photo = bird.photos.front();
    return PageFileUrl(photo.GetFilePath());
}

Text BackgroundTag(const PedigreeChoices& choices) {
    if (choices.background == kOwnBackground) {
        if (choices.ownBackgroundPath.empty()) return u" ";
        return u"<img class=bg src='" + PageFileUrl(choices.ownBackgroundPath) + u"'>";
    }
    if (choices.background > kOwnBackground && choices.background < kBackgroundChoiceCount) {
        return u"<img class=bg src='" +
               PictureUrl(u"background/" + Number(choices.background - 1) + u".jpg") + u"'>";
    }
    return u" ";
}

}  // namespace

Text PedigreeFolder() { return JoinPath(GetInstallPath(), u"data/pedigrees"); }
Text PedigreeTemplatePath(int layout) {
    return JoinPath(PedigreeFolder(), Layout(layout).templateFile);
}
Text PedigreeThumbnailPath(int layout) {
    return JoinPath(PedigreeFolder(), Text(u"thumbnails/") + Layout(layout).thumbnailFile);
}
Text PedigreePreviewPath() { return JoinPath(PedigreeFolder(), u"preview.html"); }

void FillPedigreeAncestors(PedigreeAncestors& ancestors, const CDataStore& store) {
    for (int k = 0; 2 * k + 2 < kPedigreeSlotCount; ++k) {
        const PigeonRecord& child = ancestors[static_cast<size_t>(k)];
        // Copies, so that the page's limits never reach the store's records.
        ancestors[static_cast<size_t>(2 * k + 1)] = store.FindPigeon(child.id_ojca);
        ancestors[static_cast<size_t>(2 * k + 2)] = store.FindPigeon(child.id_matki);
    }
}

std::vector<std::pair<Text, Text>> PedigreePlaceholders(PedigreeAncestors& ancestors,
                                                        const PedigreeChoices& choices,
                                                        const CDataStore& store) {
    for (PigeonRecord& slot : ancestors) {
        for (int g = 0; g < kPedigreeGenerations; ++g)
            slot.pedigreeNoteLines[static_cast<size_t>(g)] = choices.noteLines[static_cast<size_t>(g)];
    }
    std::vector<std::pair<Text, Text>> steps;
    auto add = [&steps](Text placeholder, Text value) {
        steps.emplace_back(std::move(placeholder), std::move(value));
    };

    // The breeder's address heads the page.
    static const PersonRecord kNobody;
    const PersonRecord& breeder = choices.breeder ? *choices.breeder : kNobody;
    auto addressLine = [&](const char16_t* placeholder, const Text& value) {
        add(placeholder, choices.breeder ? HtmlEscape(value) : Text(u" "));
    };
    addressLine(u"_IMIE_", breeder.imie);
    addressLine(u"_NAZWISKO_", breeder.nazwisko);
    addressLine(u"_KODPOCZTOWY_", breeder.kodpocztowy);
    addressLine(u"_ULICA_", breeder.ulica);
    addressLine(u"_MIEJSCOWOSC_", breeder.miejscowosc);
    addressLine(u"_TELEFON_DOM_", breeder.teldom);
    addressLine(u"_TELEFON_KOM_", breeder.telkom);
    addressLine(u"_NRDOMU_", breeder.nrdomu);

    const PigeonRecord& bird = ancestors[0];
    add(u"_GOLAB_", Ring(bird));
    add(u"_LOGOGOLEBNIKA_", choices.logoPath.empty()
                                ? Text(u" ")
                                : u"<img src='" + PageFileUrl(choices.logoPath) +
                                      u"' width=150 height=80>");
    add(u"_TLO_", BackgroundTag(choices));
    const Sex sex = SexOf(bird);
    const Text sexImage = sex == Sex::Male ? u"male.jpg" : sex == Sex::Female ? u"female.jpg" : u"blank.jpg";
    add(u"_PLEC_", SexText(sex, u" "));
    add(u"_PLGRAFICZNIE_", PictureUrl(u"img/" + sexImage));
    add(u"_GNAZWA", BirdName(bird));
    add(u"_GRASA", Breed(bird, store));
    add(u"_GHODOWCA", Breeder(bird, store));
    add(u"_NOTATKI0", Notes(bird, 0));
    add(u"_IMG0", Picture(bird));

    auto slot = [&ancestors](int g, int i) -> const PigeonRecord& {
        return ancestors[static_cast<size_t>(PedigreeSlot(g, i))];
    };
    auto position = [](const char16_t* prefix, int g, int i) {
        return Text(prefix) + Number(g) + u"_" + Number(i);   // "_POZIOM3_5"
    };
    auto joined = [](int g, int i, const char16_t* kind) {
        return u"_G" + Number(g) + Number(i) + kind;           // "_G35NAZWA"
    };

    // The parents, kind by kind; only they carry a picture besides the bird.
    for (int i = 0; i < 2; ++i) add(position(u"_POZIOM", 1, i), Ring(slot(1, i)));
    for (int i = 0; i < 2; ++i) add(position(u"_KOLOR_", 1, i), Colour(slot(1, i), store));
    for (int i = 0; i < 2; ++i) add(position(u"_NOTATKI", 1, i), Notes(slot(1, i), 1));
    for (int i = 0; i < 2; ++i) add(joined(1, i, u"NAZWA"), BirdName(slot(1, i)));
    for (int i = 0; i < 2; ++i) add(joined(1, i, u"RASA"), Breed(slot(1, i), store));
    for (int i = 0; i < 2; ++i) add(joined(1, i, u"HODOWCA"), Breeder(slot(1, i), store));
    for (int i = 0; i < 2; ++i) add(position(u"_IMG", 1, i), Picture(slot(1, i)));

    // Grandparents and great-grandparents.
    for (int g = 2; g <= 3; ++g) {
        const int count = 1 << g;
        for (int i = 0; i < count; ++i) add(position(u"_POZIOM", g, i), Ring(slot(g, i)));
        for (int i = 0; i < count; ++i) add(position(u"_KOLOR_", g, i), Colour(slot(g, i), store));
        for (int i = 0; i < count; ++i) add(joined(g, i, u"NAZWA"), BirdName(slot(g, i)));
        for (int i = 0; i < count; ++i) add(joined(g, i, u"RASA"), Breed(slot(g, i), store));
        for (int i = 0; i < count; ++i) add(joined(g, i, u"HODOWCA"), Breeder(slot(g, i), store));
        for (int i = 0; i < count; ++i) add(position(u"_NOTATKI", g, i), Notes(slot(g, i), g));
    }

    // Only now the bird's own colour: "_KOLOR_" begins every ancestor's colour placeholder.
    add(u"_KOLOR_", Colour(bird, store));

    // Generation 4: two-digit positions before the one-digit ones they begin with.
    constexpr int kGeneration4Order[16] = {10, 11, 12, 13, 14, 15, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    for (int i : kGeneration4Order) add(position(u"_POZIOM", 4, i), Ring(slot(4, i)));
    for (int i : kGeneration4Order) add(position(u"_NOTATKI", 4, i), Notes(slot(4, i), 4));
    return steps;
}

Text FillPedigreeTemplate(Text page, PedigreeAncestors& ancestors, const PedigreeChoices& choices,
                          const CDataStore& store) {
    for (const auto& [placeholder, value] : PedigreePlaceholders(ancestors, choices, store)) {
        // Left to right; the search goes on after the inserted text.
        for (size_t at = page.find(placeholder); at != Text::npos;
             at = page.find(placeholder, at + value.size())) {
            page.replace(at, placeholder.size(), value);
        }
    }
    return page;
}

PedigreeResult RenderPedigreePage(const Text& outputPath, PedigreeAncestors& ancestors,
                                  const PedigreeChoices& choices, const CDataStore& store) {
    std::ifstream file(ToFsPath(PedigreeTemplatePath(choices.layout)), std::ios::binary);
    if (!file) return PedigreeResult::NoTemplate;
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) return PedigreeResult::NoTemplate;
    // Read by its byte-order mark, which is not part of the text: the page gets its own.
    std::optional<Text> text = PedigreeTemplateFromBytes(bytes);
    if (!text) return PedigreeResult::NoTemplate;
    const Text page = FillPedigreeTemplate(std::move(*text), ancestors, choices, store);
    return WriteUnicodeFile(outputPath, page) ? PedigreeResult::Written : PedigreeResult::NotWritten;
}
