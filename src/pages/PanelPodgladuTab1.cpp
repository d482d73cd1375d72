#include "PanelPodgladuTab1.h"

#include <QAbstractButton>
#include <QLabel>
#include <algorithm>

#include "DataStore.h"
#include "DrzewoGenealogicznePsa.h"
#include "PredkoscGolebia.h"
#include "PreviewPanel.h"
#include "SharedRoutines.h"
#include "TransparentStatic.h"
#include "Sqlite.h"
#include "UstawOpis.h"
#include "WindowHelpers.h"

namespace {
constexpr COLORREF kBirdColour = 0x000000;
constexpr COLORREF kFatherColour = 0xF04F00;
constexpr COLORREF kMotherColour = 0x7335BF;
constexpr COLORREF kDescriptionColour = 0xFF0000;
constexpr COLORREF kNumberColour = 0xD0665E;
}  // namespace

CPanelPodgladuTab1::CPanelPodgladuTab1(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kFamilyTreeButton, [this] { OnFamilyTree(); });
    OnClicked(kEditDescriptionButton, [this] { OnEditDescription(); });
}

bool CPanelPodgladuTab1::OnInitDialog() {
    Dialog::OnInitDialog();
    const QString tahoma = QStringLiteral("Tahoma");
    birdFont_ = Font(tahoma, 22, FW_BOLD);
    parentFont_ = Font(tahoma, 20, FW_BOLD);
    descriptionFont_ = Font(tahoma, 18, FW_MEDIUM);
    numberFont_ = Font(tahoma, 20, FW_BOLD);
    SetLabelLook(Label(kBirdLabel), birdFont_, kBirdColour);
    SetLabelLook(Label(kFatherLabel), parentFont_, kFatherColour);
    SetLabelLook(Label(kMotherLabel), parentFont_, kMotherColour);
    SetLabelLook(Label(kDescriptionLabel), descriptionFont_, kDescriptionColour);
    SetItemText(kFlightCountLabel, u"0");
    SetItemText(kSpeedLabel, u"0");
    SetLabelLook(Label(kFlightCountLabel), numberFont_, kNumberColour);
    SetLabelLook(Label(kSpeedLabel), numberFont_, kNumberColour);
    // The bird's and its parents' lines, and the description's last line, end in "…" where
    // they are cut, with the whole text as the tooltip.
    for (int id : {kBirdLabel, kFatherLabel, kMotherLabel, kDescriptionLabel}) {
        if (auto* label = ItemAs<CTransparentStatic>(id)) {
            label->SetElided(true, id == kDescriptionLabel ? ElidedText::Plain
                                                           : ElidedText::StartsWithRing);
        }
    }
    templatePlaces_.clear();
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        templatePlaces_.emplace_back(child, child->geometry());
    templateWidth_ = width();
    OnSize(SizeRestored, width(), height());
    return true;
}

// A tab wider than its template keeps the figures at its right edge and gives the room between
// to the texts (the ring and name lines and the description, which "..." follows).
void CPanelPodgladuTab1::OnSize(int type, int width, int height) {
    Dialog::OnSize(type, width, height);
    if (templatePlaces_.empty()) return;
    extraWidth_ = std::max(0, width - templateWidth_);
    for (const auto& [widget, place] : templatePlaces_) {
        if (!widget) continue;
        const int id = widget->property("controlId").toInt();
        if (place.left() >= kFiguresLeft || id == kEditDescriptionButton) {
            widget->move(place.topLeft() + QPoint(extraWidth_, 0));
        } else if (id == kBirdLabel || id == kFatherLabel || id == kMotherLabel ||
                   id == kDescriptionLabel) {
            widget->resize(place.width() + extraWidth_, place.height());
        }
    }
}

Rect CPanelPodgladuTab1::SpeedBox() const {
    return Rect(kSpeedBox.left + extraWidth_, kSpeedBox.top, kSpeedBox.right + extraWidth_,
                kSpeedBox.bottom);
}

int CPanelPodgladuTab1::AverageSpeed(const PigeonRecord& bird) {
    if (bird.flightCount <= 0) return 0;
    return static_cast<int>(bird.speedSum / static_cast<float>(bird.flightCount));
}

void CPanelPodgladuTab1::ShowPigeon(int id) {
    shownPigeonId_ = id;
    if (QWidget* edit = Item(kEditDescriptionButton)) edit->update();
    if (id == -1) {
        SetItemText(kBirdLabel, u"Nie wybrano gołębia");
        SetItemText(kFatherLabel, u"Brak informacji o ojcu ");
        SetItemText(kMotherLabel, u"Brak informacji o matce");
        SetItemText(kDescriptionLabel, u"Opis gołębia jest dostępny \r\n po jego wybraniu z listy...");
        SetItemText(kFlightCountLabel, u"0");
        SetItemText(kSpeedLabel, u"0");
        return;
    }
    const CDataStore& store = TheDataStore();
    const PigeonRecord& bird = store.FindPigeon(id);
    SetItemText(kBirdLabel, bird.GetDisplayName());
    SetItemText(kDescriptionLabel, bird.krotkiopis);
    SetItemText(kFatherLabel, bird.id_ojca > 0 ? store.FindPigeon(bird.id_ojca).GetDisplayName()
                                               : Text(u"Brak informacji o ojcu "));
    SetItemText(kMotherLabel, bird.id_matki > 0 ? store.FindPigeon(bird.id_matki).GetDisplayName()
                                                : Text(u"Brak informacji o matce "));
    SetItemText(kFlightCountLabel, NumberText(bird.flightCount));
    SetItemText(kSpeedLabel, NumberText(AverageSpeed(bird)));
}

void CPanelPodgladuTab1::OnEditDescription() {
    if (shownPigeonId_ < 1) return;
    const int id = shownPigeonId_;
    CDataStore& store = TheDataStore();
    if (!store.Pigeons().count(id)) return;   // a bird deleted since it was shown
    CUstawOpis dialog;
    dialog.description = store.FindPigeon(id).krotkiopis;
    if (dialog.DoModal() != IDOK) return;
    const Text description = dialog.description;
    // The text goes to the file as a bound value; memory and the label follow only what the
    // file took, so the description shown is always the one stored.
    if (!store.WritePigeonShortDescription(id, description)) {
        MessageBox(this, u"Nie udało się zapisać opisu gołębia.");
        return;
    }
    if (shownPigeonId_ == id) SetItemText(kDescriptionLabel, description);
}

void CPanelPodgladuTab1::OnFamilyTree() {
    if (shownPigeonId_ <= 0) {
        MessageBox(this, u"Wybierz ptaka z listy");
        return;
    }
    CDrzewoGenealogicznePsa::ShowFor(this, shownPigeonId_);
}

void CPanelPodgladuTab1::OnEraseBkgnd(Dc& dc) {
    const Rect client = GetClientRect();
    DrawGradientLines(dc, Rect(0, 2, client.right + 100, client.bottom), 0xF7E1D5, 0xFFFFFF, 1);
}

void CPanelPodgladuTab1::OnLButtonDown(const QPoint& point) {
    if (SpeedBox().Contains(point) && shownPigeonId_ > 0) {
        CPredkoscGolebia speed;
        speed.speed = AverageSpeed(TheDataStore().FindPigeon(shownPigeonId_));
        speed.DoModal();
    }
    Dialog::OnLButtonDown(point);
}
