#include "DrukujRodowodGolebia.h"

#include <QAbstractItemView>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "DataStore.h"
#include "DialogHeader.h"
#include "PictureBox.h"
#include "PodgladHTML.h"
#include "StandardControls.h"

namespace {

const char16_t* const kBackgroundTexts[kBackgroundChoiceCount] = {
    u"Nie drukuj tła",      u"Wybierz własne tło",  u"Tło domyślne nr. 1", u"Tło domyślne nr. 2",
    u"Tło domyślne nr. 3", u"Tło domyślne nr. 4", u"Tło domyślne nr. 5", u"Tło domyślne nr. 6"};

const QString kPictureFilter = QStringLiteral(
    "JPEG (*.jpg;*.jpeg)|*.jpg; *.jpeg|Bitmap files (*.bmp)|*.bmp|Compuserve (*.gif)|*.gif|"
    "TIFF files (*.tif;*.tiff)|*.tif; *.tiff|Wszystkie pliki graficzne|*.jpg; *.jpeg; *.bmp; "
    "*.gif; *.tif; *.tiff|All Files (*.*)|*.*||");

constexpr int kDefaultLayout = 4;

}  // namespace

// The layouts' names are longer than the closed box is wide: the chosen one is shown with its
// middle left out ("Orientacja pozioma w…ze zdjęciem gołębia"), so both its beginning and its
// end stay readable, and the whole name is the box's tooltip.
class PedigreeLayoutCombo : public ComboBox {
public:
    explicit PedigreeLayoutCombo(QWidget* parent) : ComboBox(parent) {}
    QString ShownText() const {
        QStyleOptionComboBox option;
        initStyleOption(&option);
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, this);
        return fontMetrics().elidedText(currentText(), Qt::ElideMiddle, field.width() - 4);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        painter.setPen(palette().color(QPalette::Text));
        QStyleOptionComboBox option;
        initStyleOption(&option);
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        option.currentText = ShownText();
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
        // Only a shortened name needs its whole self as a tooltip.
        const QString tip = option.currentText == currentText() ? QString() : currentText();
        if (toolTip() != tip) setToolTip(tip);
    }
};

QString CDrukujRodowodGolebia::ShownLayoutText() const {
    const auto* combo = dynamic_cast<const PedigreeLayoutCombo*>(Combo(kLayoutCombo));
    return combo ? combo->ShownText() : QString();
}

CDrukujRodowodGolebia::CDrukujRodowodGolebia(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kPrintButton, [this] { PrintPedigree(); });
    OnSelChange(kLayoutCombo, [this] { ShowPedigreeThumbnail(); });
    OnClicked(kSaveButton, [this] { SavePedigree(); });
    OnSelChange(kBreederCombo, [this] { breederIndex = Combo(kBreederCombo)->GetCurSel(); });
    OnClicked(kLogoButton, [this] { ChooseLogo(); });
    OnClicked(kBackgroundButton, [this] { ChooseBackground(); });
}

bool CDrukujRodowodGolebia::OnInitDialog() {
    Dialog::OnInitDialog();
    breederIndex = -1;
    if (auto* thumbnail = ItemAs<CPictureBox>(kThumbnail)) thumbnail->displayMode = CPictureBox::kStretched;
    ComboBox* layouts = Combo(kLayoutCombo);
    if (!dynamic_cast<PedigreeLayoutCombo*>(layouts))
        layouts = ReplaceItemWith<PedigreeLayoutCombo>(kLayoutCombo);
    for (const PedigreeLayout& layout : kPedigreeLayouts) layouts->AddString(layout.windowText);
    layouts->SetCurSel(kDefaultLayout);
    // The layouts' names are longer than the box: the open list shows them whole.
    layouts->view()->setMinimumWidth(layouts->view()->sizeHintForColumn(0) + 24);
    ComboBox* backgrounds = Combo(kBackgroundCombo);
    for (const char16_t* text : kBackgroundTexts) backgrounds->AddString(text);
    backgrounds->SetCurSel(kNoBackground);
    ShowPedigreeThumbnail();
    for (int id : kNoteChecks) CheckDlgButton(id, 1);

    breeders.clear();
    ComboBox* people = Combo(kBreederCombo);
    for (const auto& [id, breeder] : TheDataStore().Breeders()) {
        if (id <= 0) continue;
        breeders.push_back(breeder);
        people->AddString(breeder.imie + u" " + breeder.nazwisko);
    }
    SetItemText(kLogoEdit, logoPath);
    for (int g = 0; g < kPedigreeGenerations; ++g)
        SetDlgItemInt(kFirstLineEdit + g, noteLines[static_cast<size_t>(g)]);
    return true;
}

void CDrukujRodowodGolebia::OnEraseBkgnd(Dc& dc) {
    PaintDialogHeader(*this, dc, std::u16string(u"Drukuj Rodowód Gołębia"));
}

void CDrukujRodowodGolebia::ShowPedigreeThumbnail() {
    auto* thumbnail = ItemAs<CPictureBox>(kThumbnail);
    if (!thumbnail) return;
    const int layout = Combo(kLayoutCombo)->GetCurSel();
    thumbnail->LoadFromFile(layout < 0 ? Text() : PedigreeThumbnailPath(layout));
    thumbnail->update();
}

void CDrukujRodowodGolebia::ChooseLogo() {
    logoPath = GetOpenFileName(this, kPictureFilter).toStdU16String();
    SetItemText(kLogoEdit, logoPath);
}

void CDrukujRodowodGolebia::ChooseBackground() {
    SetItemText(kBackgroundEdit, GetOpenFileName(this, kPictureFilter).toStdU16String());
}

void CDrukujRodowodGolebia::ReadChoices() {
    logoPath = ItemText(kLogoEdit);
    // A field that holds no number is reported and keeps its last value.
    for (int g = 0; g < kPedigreeGenerations; ++g) ReadInt(kFirstLineEdit + g, noteLines[static_cast<size_t>(g)]);
}

PedigreeChoices CDrukujRodowodGolebia::Choices() const {
    PedigreeChoices choices;
    choices.layout = Combo(kLayoutCombo)->GetCurSel();
    if (breederIndex >= 0 && breederIndex < static_cast<int>(breeders.size()))
        choices.breeder = &breeders[static_cast<size_t>(breederIndex)];
    choices.logoPath = logoPath;
    choices.background = Combo(kBackgroundCombo)->GetCurSel();
    choices.ownBackgroundPath = ItemText(kBackgroundEdit);
    choices.noteLines = noteLines;
    return choices;
}

void CDrukujRodowodGolebia::FillPedigreeAncestors() {
    ::FillPedigreeAncestors(ancestors, TheDataStore());
}

bool CDrukujRodowodGolebia::RenderPedigreeHtml(const Text& path) {
    const PedigreeChoices choices = Choices();
    switch (RenderPedigreePage(path, ancestors, choices, TheDataStore())) {
    case PedigreeResult::Written:
        return true;
    case PedigreeResult::NoTemplate:
        MessageBox(this, u"Nie można odczytać szablonu rodowodu:\n" +
                             PedigreeTemplatePath(choices.layout));
        return false;
    case PedigreeResult::NotWritten:
        break;
    }
    MessageBox(this, u"Nie udało się zapisać rodowodu do pliku:\n" + path);
    return false;
}

void CDrukujRodowodGolebia::PrintPedigree() {
    ReadChoices();
    FillPedigreeAncestors();
    const Text page = PedigreePreviewPath();
    // Without a fresh page there is nothing to show: the file may hold an earlier pedigree.
    if (!RenderPedigreeHtml(page)) return;
    CPodgladHTML preview;
    preview.path = page;
    preview.DoModal();
}

void CDrukujRodowodGolebia::SavePedigree() {
    const QString chosen = GetSaveFileName(this, QStringLiteral("Plik HTML"), QStringLiteral("html"),
                                           QStringLiteral("*.html"));
    if (chosen.isEmpty()) return;
    ReadChoices();
    FillPedigreeAncestors();
    RenderPedigreeHtml(chosen.toStdU16String());
}
