#include "SortujListeGolebi.h"

#include <algorithm>
#include <functional>

#include "DataStore.h"
#include "SharedRoutines.h"
#include "StandardControls.h"

long long LeadingInteger(const Text& text) {
    size_t i = 0;
    auto isSpace = [](char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        // Absurdly long digit runs stop growing instead of overflowing.
        if (value < 1'000'000'000'000'000LL) value = value * 10 + (text[i] - u'0');
    }
    return negative ? -value : value;
}

namespace {

char16_t FoldAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') ? c + (u'a' - u'A') : c; }

// Compares country texts with A-Z folded to lower case; <0, 0 or >0.
int CompareCountry(const Text& a, const Text& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char16_t x = FoldAsciiLetter(a[i]);
        const char16_t y = FoldAsciiLetter(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

// -1, 0 or 1 for an ascending comparison of two keys.
template <typename T>
int Compare(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// The ascending comparison of one criterion and whether it runs in reverse.
std::function<int(const PigeonRecord&, const PigeonRecord&)> Comparison(int criterion,
                                                                      bool& descending) {
    descending = criterion % 2 == 0;
    switch (criterion) {
    case SortRingAscending:
    case SortRingDescending:
        return [](const PigeonRecord& a, const PigeonRecord& b) {
            return Compare(LeadingInteger(a.nr_obraczki), LeadingInteger(b.nr_obraczki));
        };
    case SortYearAscending:
    case SortYearDescending:
        return [](const PigeonRecord& a, const PigeonRecord& b) {
            return Compare(LeadingInteger(a.rocznik), LeadingInteger(b.rocznik));
        };
    case SortCountryAscending:
    case SortCountryDescending:
        return [](const PigeonRecord& a, const PigeonRecord& b) { return CompareCountry(a.kraj, b.kraj); };
    case SortSexFemalesFirst:
    case SortSexUnknownFirst:
        // Females-first is the descending order of the stored code.
        descending = criterion == SortSexFemalesFirst;
        return [](const PigeonRecord& a, const PigeonRecord& b) { return Compare(a.plec, b.plec); };
    case SortColourAscending:
    case SortColourDescending:
        descending = criterion == SortColourDescending;
        return [](const PigeonRecord& a, const PigeonRecord& b) {
            return Compare(a.id_koloru, b.id_koloru);
        };
    case SortEyeColourAscending:
    case SortEyeColourDescending:
        descending = criterion == SortEyeColourDescending;
        return [](const PigeonRecord& a, const PigeonRecord& b) {
            return Compare(a.id_koloroka, b.id_koloroka);
        };
    case SortBreedAscending:
    case SortBreedDescending:
        descending = criterion == SortBreedDescending;
        return [](const PigeonRecord& a, const PigeonRecord& b) { return Compare(a.id_rasy, b.id_rasy); };
    case SortLineAscending:
    case SortLineDescending:
        descending = criterion == SortLineDescending;
        return [](const PigeonRecord& a, const PigeonRecord& b) {
            return Compare(a.id_linia, b.id_linia);
        };
    default:
        return {};
    }
}

}  // namespace

void SortPigeons(std::vector<PigeonRecord>& pigeons, const std::array<int, 5>& criteria) {
    for (const int criterion : criteria) {
        bool descending = false;
        const auto compare = Comparison(criterion, descending);
        if (!compare) continue;
        std::stable_sort(pigeons.begin(), pigeons.end(),
                         [&](const PigeonRecord& a, const PigeonRecord& b) {
                             const int c = compare(a, b);
                             return descending ? c > 0 : c < 0;
                         });
    }
}

CSortujListeGolebi::CSortujListeGolebi(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(IDOK, [this] { OnSortList(); });
}

bool CSortujListeGolebi::OnInitDialog() {
    Dialog::OnInitDialog();
    categoryPigeons.clear();
    const CDataStore& store = TheDataStore();
    for (const CategoryMember& member : store.LoadCategoryMembers(categoryId)) {
        PigeonRecord bird = store.FindPigeon(member.pigeonId);
        bird.id = member.pigeonId;
        categoryPigeons.push_back(std::move(bird));
    }
    for (int i = 0; i < 5; ++i) Combo(kFirstCriterion + i)->SetCurSel(-1);
    return true;
}

void CSortujListeGolebi::OnSortList() {
    for (int i = 0; i < 5; ++i) criteria[static_cast<size_t>(i)] = Combo(kFirstCriterion + i)->GetCurSel();
    std::vector<PigeonRecord> sorted = categoryPigeons;
    SortPigeons(sorted, criteria);

    std::vector<int> order;
    order.reserve(sorted.size());
    for (const PigeonRecord& bird : sorted) order.push_back(bird.id);
    const bool written = TheDataStore().RewriteCategoryOrder(categoryId, order);
    if (!written) {
        MessageBox(this, std::u16string(u"Nie udało się zapisać nowej kolejności gołębi."));
        return;
    }
    categoryPigeons = std::move(sorted);
    EndDialog(IDOK);
}
