#include "DodajZmienTransakcje.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidgetItem>
#include <charconv>
#include <ctime>

#include "DataStore.h"
#include "DateTimePicker.h"
#include "DialogHeader.h"
#include "Globals.h"
#include "KeptTimeOfDay.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "TransparentStatic.h"
#include "WindowHelpers.h"

namespace {

// The thirteen caption labels; the last two show the chosen client's address and the chosen
// bird's colour in the labels' ordinary colour.
constexpr int kCaptionLabels[] = {1252, 1255, 1162, 1270, 1253, 1258,
                                  1260, 1254, 1251, 1256, 1257, 1262, 1263};
constexpr COLORREF kCaptionColor = RGB(63, 172, 255);
constexpr char16_t kBadDate[] = u"Nieprawidłowa data transakcji.";

// The amount as typed back into its field: every digit the stored price has (shortest form that
// reads back as the same number), so saving an unchanged transaction keeps its price.
QString AmountText(double amount) {
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, amount);
    if (written.ec != std::errc()) return QStringLiteral("0");
    return QString::fromLatin1(buffer, static_cast<qsizetype>(written.ptr - buffer));
}

bool Contains(const Text& text, const Text& part) { return text.find(part) != Text::npos; }

// The line of the record with that id among the records a list shows, -1 when it shows none.
template <class Record>
int LineOf(const std::vector<Record>& shown, int id) {
    for (size_t line = 0; line < shown.size(); ++line)
        if (shown[line].id == id) return static_cast<int>(line);
    return -1;
}

}  // namespace

CDodajZmienTransakcje::CDodajZmienTransakcje(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnChanged(kClientSearch, [this] { OnClientSearchChanged(); });
    OnChanged(kBirdSearch, [this] { OnBirdSearchChanged(); });
    OnSelChange(kClientList, [this] { OnSelectClient(); });
    OnSelChange(kBirdList, [this] { OnSelectBird(); });
    OnSelChange(kSubjectCombo, [this] { OnSubjectKindChanged(); });
    OnClicked(kPickDate, [this] { OnPickDate(); });
    OnClicked(kSave, [this] { SaveTransaction(); });
    // Enter saves, wherever the focus is.
    SetKeyPolicy({.swallowEnter = false, .swallowEscape = false, .enterCommand = kSave});
}

bool CDodajZmienTransakcje::OnInitDialog() {
    // A stored transaction without a date leaves the date to the user, and starts at midnight.
    const LocalDateTime shown = SplitTime(mode == EditorMode::Edit
                                              ? record.data
                                              : static_cast<Time64>(std::time(nullptr)));
    hour = shown.hour, minute = shown.minute, second = shown.second;
    double amount = 0.0;
    if (mode == EditorMode::Edit) {
        chosenClientId = record.id_klienta;
        chosenBirdId = record.id_golebia;
        amount = record.cena;
    } else {
        chosenClientId = -1;
        chosenBirdId = -1;
    }

    Dialog::OnInitDialog();
    // What the labels beside the lists say while nothing is chosen there.
    noClientText_ = ItemText(kClientName);
    noBirdText_ = ItemText(kBirdName);
    SetDlgItemText(kAmount, AmountText(amount));
    SetDlgItemInt(kDay, shown.day);
    SetDlgItemInt(kMonth, shown.month);
    SetDlgItemInt(kYear, shown.year);
    if (mode == EditorMode::Edit) {
        SetItemText(kNotes, record.not1);
        SetItemText(kOtherSubject, record.innyprzedmiottransakcji);
    }

    const CDataStore& store = TheDataStore();
    allBirds_.clear();
    for (const auto& [id, bird] : store.Pigeons()) allBirds_.push_back(bird);
    shownBirds_ = allBirds_;
    FillBirdList();
    allClients_.clear();
    for (const auto& [id, client] : store.Clients()) allClients_.push_back(client);
    shownClients_ = allClients_;
    FillClientList();

    captionFont_ = Font(QStringLiteral("Tahoma"), 14, FW_BOLD);
    for (int id : kCaptionLabels) {
        QLabel* label = Label(id);
        if (!label) continue;
        label->setFont(captionFont_);
        if (id == kClientAddress || id == kBirdColour) continue;
        if (auto* transparent = qobject_cast<CTransparentStatic*>(label)) {
            transparent->textColor = kCaptionColor;
        } else {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, ToQColor(kCaptionColor));
            label->setPalette(palette);
        }
    }
    // A long ring with a name can need more lines than the chosen bird's label has: they end in
    // "…" with the whole text as the tooltip, and a ring cut keeps its end.
    if (auto* bird = ItemAs<CTransparentStatic>(kBirdName))
        bird->SetElided(true, ElidedText::StartsWithRing);

    ComboBox* kind = Combo(kKindCombo);
    ComboBox* currency = Combo(kCurrencyCombo);
    ComboBox* subject = Combo(kSubjectCombo);
    if (mode == EditorMode::Edit) {
        // The transaction's client and bird are the lists' chosen lines, shown beside them as a
        // click shows them. One no list holds (its record gone) stays chosen as it was read, so
        // saving unchanged writes back the same ids.
        if (const int line = LineOf(shownClients_, chosenClientId); line >= 0) {
            ChooseLine(kClientList, line);
            ShowClient(shownClients_[line]);
        } else {
            SetItemText(kClientName, store.FindClient(chosenClientId).imie);
        }
        if (const int line = LineOf(shownBirds_, chosenBirdId); line >= 0) {
            ChooseLine(kBirdList, line);
            ShowBird(shownBirds_[line]);
        } else {
            SetItemText(kBirdName, store.FindPigeon(chosenBirdId).nazwa);
        }
        if (kind) kind->SetCurSel(record.rodzajtransakcji);
        if (currency) currency->SetCurSel(record.waluta);
        if (subject) subject->SetCurSel(record.przedmiottransakcji);
        if (record.przedmiottransakcji == 1) {
            ShowItem(kOtherSubject, true);
            EnableItem(kOtherSubject, true);
        }
    } else {
        if (kind) kind->SetCurSel(0);
        if (currency) currency->SetCurSel(0);
        if (subject) subject->SetCurSel(0);
    }
    return true;
}

void CDodajZmienTransakcje::OnEraseBkgnd(Dc& dc) {
    PaintDialogHeader(*this, dc,
                      mode == EditorMode::Edit ? u"Edycja transakcji" : u"Nowa transakcja", 75);
}

void CDodajZmienTransakcje::FillClientList() {
    ListBoxControl* list = ListBox(kClientList);
    if (!list) return;
    list->ResetContent();
    for (const PersonRecord& client : shownClients_) list->AddString(client.imie + u" " + client.nazwisko);
}

void CDodajZmienTransakcje::FillBirdList() {
    ListBoxControl* list = ListBox(kBirdList);
    if (!list) return;
    // Birds of one loft differ at their ring's end: a cut entry keeps it.
    list->SetElider(ElideBirdText);
    list->ResetContent();
    for (const PigeonRecord& bird : shownBirds_) list->AddString(bird.GetDisplayName());
}

// The searches read only their own box: a half-typed amount or date elsewhere is not checked
// at every keystroke.
void CDodajZmienTransakcje::OnClientSearchChanged() {
    const Text search = ItemText(kClientSearch);
    shownClients_.clear();
    for (const PersonRecord& client : allClients_) {
        if (Contains(client.imie, search)) shownClients_.push_back(client);
    }
    FillClientList();
    // The lines are new and none is chosen: neither is the client shown before, which the list
    // may no longer hold.
    ShowNoClient();
}

void CDodajZmienTransakcje::OnBirdSearchChanged() {
    const Text search = ItemText(kBirdSearch);
    shownBirds_.clear();
    for (const PigeonRecord& bird : allBirds_) {
        if (Contains(bird.nr_obraczki, search)) shownBirds_.push_back(bird);
    }
    FillBirdList();
    // As for the clients: no bird is chosen in the new lines.
    ShowNoBird();
}

void CDodajZmienTransakcje::ChooseLine(int listId, int line) {
    ListBoxControl* list = ListBox(listId);
    if (!list) return;
    list->SetCurSel(line);
    if (QListWidgetItem* item = list->item(line)) list->scrollToItem(item);
}

void CDodajZmienTransakcje::ShowClient(const PersonRecord& client) {
    SetItemText(kClientName, client.imie + u" " + client.nazwisko);
    SetItemText(kClientAddress, client.miejscowosc + u", " + client.ulica);
    chosenClientId = client.id;
}

void CDodajZmienTransakcje::ShowNoClient() {
    SetItemText(kClientName, noClientText_);
    SetItemText(kClientAddress, u" ");
    chosenClientId = -1;
}

void CDodajZmienTransakcje::ShowBird(const PigeonRecord& bird) {
    SetItemText(kBirdName, bird.GetDisplayName());
    SetItemText(kBirdColour, CDataStore::FindName(TheDataStore().ColourNames(), bird.id_koloru));
    chosenBirdId = bird.id;
}

void CDodajZmienTransakcje::ShowNoBird() {
    SetItemText(kBirdName, noBirdText_);
    SetItemText(kBirdColour, u" ");
    chosenBirdId = -1;
}

void CDodajZmienTransakcje::OnSelectClient() {
    const ListBoxControl* list = ListBox(kClientList);
    const int line = list ? list->GetCurSel() : -1;
    if (line < 0 || line >= static_cast<int>(shownClients_.size())) {
        ShowNoClient();
        return;
    }
    ShowClient(shownClients_[line]);
}

void CDodajZmienTransakcje::OnSelectBird() {
    const ListBoxControl* list = ListBox(kBirdList);
    const int line = list ? list->GetCurSel() : -1;
    if (line < 0 || line >= static_cast<int>(shownBirds_.size())) {
        ShowNoBird();
        return;
    }
    ShowBird(shownBirds_[line]);
}

void CDodajZmienTransakcje::OnSubjectKindChanged() {
    const ComboBox* subject = Combo(kSubjectCombo);
    const int position = subject ? subject->GetCurSel() : -1;
    if (position == 0) {
        ShowItem(kOtherSubject, false);
        EnableItem(kOtherSubject, false);
    } else if (position == 1) {
        ShowItem(kOtherSubject, true);
        EnableItem(kOtherSubject, true);
    }
}

void CDodajZmienTransakcje::OnPickDate() {
    CDateTimePicker picker;
    if (picker.DoModal() != IDOK) return;
    const auto day = picker.ChosenDate();
    SetDlgItemInt(kDay, day ? day->day : 0);
    SetDlgItemInt(kMonth, day ? day->month : 0);
    SetDlgItemInt(kYear, day ? day->year : 0);
}

void CDodajZmienTransakcje::OnOK() { SaveTransaction(); }

void CDodajZmienTransakcje::SaveTransaction() {
    if (saving_ || HasEnded()) return;
    double amount = 0.0;
    int day = 0, month = 0, year = 0;
    if (!ReadDouble(kAmount, amount) ||
        !ReadDateBoxes(kDay, kMonth, kYear, day, month, year, kBadDate)) {
        return;
    }

    CDataStore& store = TheDataStore();
    const LoftRecord* loft = CurrentLoft();
    const bool haveLoft = loft != nullptr;
    // A new transaction needs the loft it belongs to; an edited one keeps its own when no loft
    // is chosen.
    if (mode != EditorMode::Edit && !haveLoft) return;

    const auto when = TimeOnTypedDate(*this, kDay, day, month, year, hour, minute, second, kBadDate,
                                      mode == EditorMode::Edit ? record.data : kNoDate);
    if (!when) return;

    TransactionRecord saved = record;
    saved.id_klienta = chosenClientId;
    if (haveLoft) saved.id_hodowli = loft->id;
    const int subject = Combo(kSubjectCombo) ? Combo(kSubjectCombo)->GetCurSel() : 0;
    if (subject != 1) {
        saved.id_golebia = chosenBirdId;
        saved.innyprzedmiottransakcji.clear();
    } else {
        saved.id_golebia = 0;
        saved.innyprzedmiottransakcji = ItemText(kOtherSubject);
    }
    // A kind or currency the lists do not offer stays as it was stored.
    if (const int kind = Combo(kKindCombo) ? Combo(kKindCombo)->GetCurSel() : -1; kind >= 0) {
        saved.rodzajtransakcji = kind;
    }
    if (const int currency = Combo(kCurrencyCombo) ? Combo(kCurrencyCombo)->GetCurSel() : -1;
        currency >= 0) {
        saved.waluta = currency;
    }
    saved.przedmiottransakcji = subject;
    saved.cena = amount;
    saved.not1 = ItemText(kNotes);
    saved.data = *when;

    saving_ = true;
    if (mode == EditorMode::Edit) {
        store.WriteTransaction(WriteMode::Update, saved);
    } else {
        saved.id = 0;
        store.WriteTransaction(WriteMode::Insert, saved);
    }
    saving_ = false;
    record = saved;
    EndDialog(IDOK);
}
