#include "MainDialog.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenuBar>
#include <QThread>

#include "Browser.h"
#include "DataStore.h"
#include "DodajEdytujKlienta.h"
#include "DziennikSzczepien.h"
#include "Globals.h"
#include "KalkulatorOdleglosci.h"
#include "KalkulatorPredkosci.h"
#include "LoftAndCategoryEdits.h"
#include "ListView.h"
#include "NajlepszeGolebie.h"
#include "NajlepszePary.h"
#include "menu/MainMenu.h"
#include "menu/MenuBuilder.h"
#include "MenuXP.h"
#include "QXToolTip.h"
#include "Oprogramie.h"
#include "Pomoc.h"
#include "RecordPage.h"
#include "Resources.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "SortujListeGolebi.h"
#include "SpisOddzialow.h"
#include "StartupSplash.h"
#include "TransparentStatic.h"
#include "WebAddresses.h"
#include "WindowHelpers.h"
#include "WyborKoloru.h"
#include "WyswietlListeGolebiILD.h"
#include "ZakladkaEdycjaPtaka.h"
#include "ZakladkaListaPsow.h"
#include "ZakladkaLotyGolebi.h"
#include "ZakladkaNotatnik.h"
#include "ZakladkaStartowa.h"
#include "ZakladkaTransakcje.h"
#include "ZarzadzajHodowcami.h"
#include "ZarzadzajHodowlami.h"
#include "ZarzadzajKlientami.h"
#include "ZarzadzajStatusami.h"

namespace {

// Left edges of the six page headers and the right edge of the last one (client pixels).
constexpr int kHeaderEdges[CMainDialog::kPageCount + 1] = {150, 250, 400, 530, 680, 830, 980};
constexpr int kStripTop = 65;
constexpr int kStripBottom = 95;
constexpr const char16_t* kHeaderTexts[CMainDialog::kPageCount] = {
    u"Witamy!", u"Lista Gołębi", u"Parowanie", u"Transakcje", u"Loty Gołębi", u"Notatnik"};

// The markup of the choosers' balloon tips.
constexpr const char16_t* kLoftTip =
    u"<b>Lista Hodowli</b><br>"
    u"<hr size=1><br>"
    u"<br>"
    u"Lista dostępnych hodowli. Program umożliwia <br>"
    u"stworzenie wielu niezależnych wirtualnych hodowli, <br>"
    u"co może przydać się w przypadku <br>"
    u"gdy posiadamy podzielony gołębnik lub więcej niż jeden gołębnik.";
constexpr const char16_t* kCategoryTip =
    u"<b>Lista Kategorii</b><br>"
    u"<hr size=1><br>"
    u"<br>"
    u"Lista kategorii, które znajdują się w wybranej hodowli. <br>"
    u"Program umożliwia stworzenie wielu kategorii, <br>"
    u"które pozwolą na uporządkowanie naszej hodowli. <br>"
    u"Dzięki kategoriom w naszej hodowli będzie panował porządek :)";


constexpr COLORREF kStripDark = RGB(19, 126, 209);
constexpr COLORREF kStripDeep = RGB(15, 107, 177);
constexpr COLORREF kStripUnderline = RGB(155, 255, 155);

CDataStore& Store() { return TheDataStore(); }

// Whether entry `index` of the category chooser names a category of the current loft (after
// the current loft was edited or deleted the chooser may still list another loft's).
bool IsCategoryOfCurrentLoft(int index) {
    const LoftRecord* loft = CurrentLoft();
    return loft && index >= 0 && index < static_cast<int>(loft->categories.size());
}

// Paints a count label in its own font and colour.
void SetLabelLook(QWidget* label, const QFont& font, COLORREF color) {
    if (!label) return;
    label->setFont(font);
    if (auto* transparent = qobject_cast<CTransparentStatic*>(label)) {
        transparent->textColor = color;
    } else {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, ToQColor(color));
        label->setPalette(palette);
    }
    label->update();
}

}  // namespace

bool CMainDialog::startupPause_ = true;

void CMainDialog::EnableStartupPause(bool on) { startupPause_ = on; }

CMainDialog::CMainDialog(QWidget* parent)
    : Dialog(kTemplateId, parent), tooltip_(std::make_unique<CQXToolTip>()) {
    setWindowIcon(LoadIcon(128));
    CreateMenuBar();
    BindCommands();
    OnSelChange(kLoftCombo, [this] { OnLoftChanged(); });
    OnSelChange(kCategoryCombo, [this] { OnCategoryChanged(); });
    OnClicked(1004, [this] { ShowListPage(); });
    OnClicked(1005, [] {});
    // Enter and Escape never close the main window and never reach its controls: it closes
    // only through the exit command or its close box.
    SetKeyPolicy({.swallowEnter = true, .swallowEscape = true, .enterCommand = 0});

    CStartupSplash::ShowSplash(1000, 158, this);
    if (startupPause_ && !qEnvironmentVariableIsSet("ORNIVEX_NO_STARTUP_PAUSE")) {
        // The files are read while the splash is up, so a large loft's list shows as soon as the
        // splash is gone; the pause only makes up the time that reading did not take.
        QElapsedTimer reading;
        reading.start();
        LoadFirstLoft();
        const qint64 left = 700 - reading.elapsed();
        if (left > 0) QThread::msleep(static_cast<unsigned long>(left));
    }
}

CMainDialog::~CMainDialog() = default;

// The menu bar lies across the top of the window; everything the window places and paints
// lies below it, in client coordinates.
void CMainDialog::CreateMenuBar() {
    menuBar_ = BuildMenuBar(MainMenu(), this, [this](int id) { RunCommand(id); });
    // The menus are measured and painted by the owner-drawn menu, with the command strip's
    // images beside 15 commands.
    CMenuXP::EnableForWindow(this, true);
    CMenuXP::AttachToWindowMenus(this);
    CMenuXP::UpdateMenuBar(this);
    const auto images = CImageList::FromStrip(LoadBitmap(185).toImage(), 16, RGB(192, 192, 192));
    for (const MenuCommandImage& image : MainMenuCommandImages()) {
        CMenuXP::SetCommandImage(image.commandId, images, image.imageIndex);
    }
    clientTop_ = menuBar_->sizeHint().height();
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget == menuBar_ || widget->isWindow()) continue;
        widget->move(widget->x(), widget->y() + clientTop_);
    }
    resize(width(), height() + clientTop_);
    menuBar_->setGeometry(0, 0, width(), clientTop_);
}

void CMainDialog::BindCommands() {
    // Commands whose windows come with later parts of the program are bound to nothing yet.
    const Handler later = [] {};
    // Commands that have never done anything: the items stay enabled and silent.
    const Handler none = [] {};

    // "Baza Danych"
    OnClicked(kCmdBackupDatabase, [this] { BackupDatabase(); });
    OnClicked(kCmdRestoreDatabase, [this] { RestoreDatabase(); });
    OnClicked(kCmdImportVersion5, [this] { ImportVersion5(); });
    OnClicked(kCmdSqlConsole, [this] { OpenSqlConsole(); });
    OnClicked(kCmdManagePigeonDatabase, [this] { ManagePigeonDatabase(); });
    OnClicked(kCmdExit, [this] { OnOK(); });

    // "Gołębniki i Kategorie"
    OnClicked(kCmdManageLoftsAndCategories, [this] { ManageLoftsAndCategories(); });
    OnClicked(kCmdManageBreeders, [] { CZarzadzajHodowcami().DoModal(); });
    OnClicked(kCmdAddLoft, [this] { AddLoft(); });
    OnClicked(kCmdEditLoft, [this] { EditLoft(); });
    OnClicked(kCmdDeleteLoft, [this] { DeleteLoft(); });
    OnClicked(kCmdAddCategory, [this] { AddCategory(); });
    OnClicked(kCmdEditCategory, [this] { EditCategory(); });
    OnClicked(kCmdDeleteCategory, [this] { DeleteCategory(); });
    OnClicked(kCmdVaccinationLog, [] { CDziennikSzczepien().DoModal(); });

    // "Lista Gołębi": the bird list page does the work and checks what it needs.
    // The pages are made in OnInitDialog, so the forwarders look them up when they run.
    OnClicked(kCmdAddPigeon, [this] { if (birdListPage_) birdListPage_->AddPigeon(); });
    OnClicked(kCmdEditPigeon, [this] { if (birdListPage_) birdListPage_->EditPigeon(); });
    OnClicked(kCmdDeletePigeon, [this] { if (birdListPage_) birdListPage_->DeletePigeon(); });
    OnClicked(kCmdMovePigeon, [this] { if (birdListPage_) birdListPage_->MovePigeon(); });
    OnClicked(kCmdAddRingSeries, [this] { if (birdListPage_) birdListPage_->AddRingSeries(); });
    OnClicked(kCmdAddToIld, [this] { if (birdListPage_) birdListPage_->AddToIld(); });
    OnClicked(kCmdPrintIld, [this] { if (birdListPage_) birdListPage_->PrintIld(); });
    OnClicked(kCmdRemoveFromIld, [this] { if (birdListPage_) birdListPage_->RemoveFromIld(); });
    OnClicked(kCmdShowIldList, [this] {
        CWyswietlListeGolebiILD ild(this);
        ild.DoModal();
    });
    OnClicked(kCmdShowFamilyTree, none);
    OnClicked(kCmdPrintCategory, [this] { if (birdListPage_) birdListPage_->PrintCategory(); });
    OnClicked(kCmdSortPigeonList, [this] { SortPigeonList(); });
    OnClicked(kCmdPrintPigeonSummary, none);

    // "Parowanie"
    OnClicked(kCmdAddPair, [this] { if (pairingPage_) pairingPage_->AddPair(); });
    OnClicked(kCmdEditPair, [this] { if (pairingPage_) pairingPage_->EditPair(); });
    OnClicked(kCmdDeletePair, [this] { if (pairingPage_) pairingPage_->DeletePair(); });
    OnClicked(kCmdAddBreedingSeason, [this] { if (pairingPage_) pairingPage_->AddBreedingSeason(); });
    OnClicked(kCmdDeleteBreedingSeason,
              [this] { if (pairingPage_) pairingPage_->DeleteBreedingSeason(); });
    OnClicked(kCmdAddYoung, [this] { if (pairingPage_) pairingPage_->AddYoung(); });
    OnClicked(kCmdEditYoung, [this] { if (pairingPage_) pairingPage_->EditYoung(); });
    OnClicked(kCmdDeleteYoung, [this] { if (pairingPage_) pairingPage_->DeleteYoung(); });
    OnClicked(kCmdPrintLitterCard, [this] { if (pairingPage_) pairingPage_->PrintLitterCard(); });
    OnClicked(kCmdShowPairYoungResults,
              [this] { if (pairingPage_) pairingPage_->ShowPairYoungResults(); });

    // "Loty"
    OnClicked(kCmdAddFlight, [this] { if (flightsPage_) flightsPage_->AddFlight(); });
    OnClicked(kCmdEditFlight, [this] { if (flightsPage_) flightsPage_->EditFlight(); });
    OnClicked(kCmdDeleteFlight, [this] { if (flightsPage_) flightsPage_->DeleteFlight(); });
    OnClicked(kCmdAddFlightResult, [this] { if (flightsPage_) flightsPage_->AddFlightResult(); });
    OnClicked(kCmdEditFlightResult, [this] { if (flightsPage_) flightsPage_->EditFlightResult(); });
    OnClicked(kCmdDeleteFlightResult,
              [this] { if (flightsPage_) flightsPage_->DeleteFlightResult(); });
    OnClicked(kCmdImportFlightResults,
              [this] { if (flightsPage_) flightsPage_->ImportFlightResults(); });

    // "Transakcje"
    OnClicked(kCmdAddTransaction,
              [this] { if (transactionsPage_) transactionsPage_->AddTransaction(); });
    OnClicked(kCmdEditTransaction,
              [this] { if (transactionsPage_) transactionsPage_->EditTransaction(); });
    OnClicked(kCmdDeleteTransaction,
              [this] { if (transactionsPage_) transactionsPage_->DeleteTransaction(); });
    OnClicked(kCmdMonthlyReport,
              [this] { if (transactionsPage_) transactionsPage_->PrintMonthlyReport(); });

    // "Klienci"
    OnClicked(kCmdAddClient, [this] {
        if (!CurrentLoftOrSay(this)) return;
        CDodajEdytujKlienta editor;
        editor.mode = EditorMode::Add;
        editor.DoModal();
    });
    OnClicked(kCmdManageClients, [this] {
        CZarzadzajKlientami().DoModal();
        // A client deleted or renamed there is named in the transactions list: it is filled
        // again, and a transaction whose client is gone shows no name.
        if (transactionsPage_) transactionsPage_->FillTransactionList();
    });

    // "Wydruki": the same operations as their twins in the other menus.
    OnClicked(kCmdPrintCategoryList, [this] { RunCommand(kCmdPrintCategory); });
    OnClicked(kCmdPrintIldList, [this] { RunCommand(kCmdPrintIld); });
    OnClicked(kCmdPrintLitterCardFromPrintouts, [this] { RunCommand(kCmdPrintLitterCard); });
    OnClicked(kCmdPrintPedigree, none);
    OnClicked(kCmdPrintOffspring, none);
    OnClicked(kCmdPrintSiblings, none);
    OnClicked(kCmdPrintFlightResults, none);

    // "Narzędzia"
    OnClicked(kCmdCalculator, [this] { StartCalculatorOrSay(this); });
    OnClicked(kCmdSpeedCalculator, [] { CKalkulatorPredkosci().DoModal(); });
    OnClicked(kCmdDistanceCalculator, [] { CKalkulatorOdleglosci().DoModal(); });
    OnClicked(kCmdBranchDirectory, [] { CSpisOddzialow().DoModal(); });
    OnClicked(kCmdBestPigeons, [] { CNajlepszeGolebie().DoModal(); });
    OnClicked(kCmdBestPairs, [] { CNajlepszePary().DoModal(); });

    // "Konfiguracja"
    OnClicked(kCmdManageColours, [] {
        CWyborKoloru dictionary;
        dictionary.kind = DictionaryColours;
        dictionary.DoModal();
    });
    OnClicked(kCmdManageBreeds, [] {
        CWyborKoloru dictionary;
        dictionary.kind = DictionaryBreeds;
        dictionary.DoModal();
    });
    OnClicked(kCmdManageStatuses, [] { CZarzadzajStatusami().DoModal(); });
    OnClicked(kCmdSetupListColumns, [this] { if (birdListPage_) birdListPage_->SetupColumns(); });

    // "Pomoc"
    OnClicked(kCmdVisitWebPage, [this] { OpenWebAddress(this, web::kProgramWebPage); });
    OnClicked(kCmdLoftWebSite, [this] { OpenWebAddress(this, web::kLoftWebSitePage); });
    OnClicked(kCmdHelpIntroduction, [] { CPomoc::ShowPage(u"intro.html"); });
    OnClicked(kCmdHelpAllTopics, [] { CPomoc::ShowPage(u"help.html"); });
    OnClicked(kCmdAbout, [] { COprogramie().DoModal(); });
}

void CMainDialog::CreatePages() {
    startPage_ = new CZakladkaStartowa(this);
    birdListPage_ = new CZakladkaListaPsow(this);
    pairingPage_ = new CZakladkaEdycjaPtaka(this);
    transactionsPage_ = new CZakladkaTransakcje(this);
    flightsPage_ = new CZakladkaLotyGolebi(this);
    notebookPage_ = new CZakladkaNotatnik(this);

    const QPoint first(220, 100 + clientTop_);
    startPage_->Create(this);
    startPage_->move(first);
    birdListPage_->Create(this);
    birdListPage_->move(first);
    startPage_->show();
    birdListPage_->selectLoftAndCategory = [this](int category, int loft) {
        SelectLoftAndCategory(category, loft);
    };
    birdListPage_->loftCountLabel = Label(kLoftCountLabel);
    birdListPage_->categoryCountLabel = Label(kCategoryCountLabel);
    for (Dialog* page : std::initializer_list<Dialog*>{pairingPage_, transactionsPage_,
                                                        flightsPage_, notebookPage_}) {
        page->Create(this);
        page->move(first);
        page->hide();
    }
    birdListPage_->hide();
    if (QWidget* hidden = Item(1000)) hidden->hide();

    // The bird list's preview shows a bird's flight figures; they change with its results.
    flightsPage_->onFlightFiguresChanged = [this] { birdListPage_->RefreshPreview(); };
    startPage_->birdListPage = birdListPage_;
    startPage_->pairingPage = pairingPage_;
    startPage_->transactionsPage = transactionsPage_;
    startPage_->notebookPage = notebookPage_;
}

bool CMainDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    activePage_ = kStartPage;
    g_currentCategoryIndex = -1;
    g_currentLoftIndex = -1;

    CreatePages();
    // Balloon tips over the loft and category choosers.
    tooltip_->CreateTipWindow(this, true);
    tooltip_->SetWindowInfoMode(false);
    tooltip_->SetDefaultEffect(2, 5);
    tooltip_->AddTipToolWithIcon(Item(kLoftCombo), QString::fromUtf16(kLoftTip), 128, QSize(0, 0),
                                 nullptr, 0);
    tooltip_->AddTipToolWithIcon(Item(kCategoryCombo), QString::fromUtf16(kCategoryTip), 128,
                                 QSize(0, 0), nullptr, 0);

    setWindowState(windowState() | Qt::WindowMaximized);
    PlacePages();

    // Read while the splash was up (see the constructor); otherwise, or when a file could not
    // be read then, read now. A file another program holds is tried again for as long as the
    // user wants: an empty program would let the next insert reuse ids.
    while (!firstLoftLoaded_) {
        const Text failed = LoadFirstLoft();
        if (failed.empty()) break;
        if (!AskRetryUnreadableFile(this, failed.c_str())) {
            EndDialog(IDCANCEL);
            return true;
        }
    }
    ShowLoadedLoft();

    labelFont_ = Font(QStringLiteral("Tahoma"), 24, FW_BOLD);
    SetLabelLook(Item(kLoftCountLabel), labelFont_, RGB(105, 146, 229));
    SetLabelLook(Item(kCategoryCountLabel), labelFont_, RGB(255, 255, 255));

    FillLoftCombo();
    SelectFirstLoftAndCategory();
    ShowCurrentCategory();

    setWindowTitle(
        QStringLiteral("[ Ornivex 6.7 ] - Profesjonalne Zarządzanie Hodowlą Gołębi Pocztowych"));
    flightsPage_->FillFlightList(-1);
    return true;
}

// ---- lofts and categories ---------------------------------------------------------------------

ComboBox* CMainDialog::LoftCombo() const { return Combo(kLoftCombo); }
ComboBox* CMainDialog::CategoryCombo() const { return Combo(kCategoryCombo); }

Text CMainDialog::LoadFirstLoft() {
    CDataStore& store = Store();
    // Without any loft the records every loft shares (birds, dictionaries, clients, breeders,
    // seasons) are loaded all the same, so the registers that need no loft show what the files
    // hold; no loft's pairs, flights, transactions or notes are loaded then.
    const Text failed = !store.LoadLofts()
                            ? PigeonsDbPath()
                            : LoadLoftFiles(store.Lofts().empty() ? -1 : store.Lofts().front().id);
    firstLoftLoaded_ = failed.empty();
    return failed;
}

Text CMainDialog::LoadLoftFiles(int loftId) {
    CDataStore& store = Store();
    if (!store.LoadPigeonsDb(loftId)) return PigeonsDbPath();
    if (!store.LoadExtraDb(loftId)) return ExtraDbPath();
    return Text();
}

void CMainDialog::ReloadLoft(int loftId) {
    // The note being edited is written to its file while it is still among the notes loaded.
    notebookPage_->SaveCurrentNote();
    const Text failed = LoadLoftFiles(loftId);
    if (!failed.empty()) TellFileUnreadable(this, failed.c_str());
    ShowLoadedLoft();
}

void CMainDialog::ShowLoadedLoft() {
    birdListPage_->EmptyList();
    pairingPage_->List(CZakladkaEdycjaPtaka::kPairList)->DeleteAllItems();
    pairingPage_->List(CZakladkaEdycjaPtaka::kYoungList)->DeleteAllItems();
    transactionsPage_->TransactionList()->DeleteAllItems();

    // The season choosers and the note list stand for positions in the vectors just loaded,
    // so they are filled again with them.
    FillSeasonCombos();
    notebookPage_->FillNoteList();

    pairingPage_->FillPairList(-1);
    transactionsPage_->FillTransactionList();
    flightsPage_->FillFlightList(-1);
}

void CMainDialog::FillSeasonCombos() {
    const CDataStore& store = Store();
    FillSeasonCombo(pairingPage_->SeasonCombo(), u"Wszystkie Pary", store.BreedingSeasons());
    FillSeasonCombo(flightsPage_->SeasonCombo(), u"Wszystkie sezony", store.FlightSeasons());
}

void CMainDialog::FillLoftCombo() {
    ComboBox* combo = LoftCombo();
    combo->ResetContent();
    for (const LoftRecord& loft : Store().Lofts()) combo->AddString(loft.nazwahodowli);
}

void CMainDialog::FillCategoryCombo() {
    ComboBox* combo = CategoryCombo();
    combo->ResetContent();
    const LoftRecord* loft = CurrentLoft();
    if (!loft) return;
    for (const CategoryRecord& category : loft->categories)
        combo->AddString(category.nazwakategorii);
}

void CMainDialog::SetLoftCountLabel() {
    const LoftRecord* loft = CurrentLoft();
    if (!loft) return;
    SetDlgItemText(kLoftCountLabel, QStringLiteral("(%1)").arg(PigeonCountOfLoft(loft->id)));
}

// The first loft and its first category, where they exist.
void CMainDialog::SelectFirstLoftAndCategory() {
    if (Store().Lofts().empty()) return;
    LoftCombo()->SetCurSel(0);
    g_currentLoftIndex = 0;
    FillCategoryCombo();
    if (!Store().Lofts()[0].categories.empty()) {
        CategoryCombo()->SetCurSel(0);
        g_currentCategoryIndex = 0;
    }
    SetLoftCountLabel();
}

void CMainDialog::ShowCurrentCategory() {
    if (const CategoryRecord* category = CurrentCategory()) {
        birdListPage_->ShowCategory(g_currentLoftIndex, category->id);
    }
}

void CMainDialog::OnLoftChanged() {
    g_currentLoftIndex = LoftCombo()->GetCurSel();
    const LoftRecord* chosen = CurrentLoft();
    if (!chosen) {
        g_currentLoftIndex = -1;
        return;
    }
    const int loftId = chosen->id;
    birdListPage_->EmptyList();
    CategoryCombo()->ResetContent();
    ReloadLoft(loftId);
    FillCategoryCombo();
    SetLoftCountLabel();
    if (const LoftRecord* loft = CurrentLoft(); loft && !loft->categories.empty()) {
        g_currentCategoryIndex = 0;
        CategoryCombo()->SetCurSel(0);
        OnCategoryChanged();
    } else {
        // A loft without categories (a new one) shows no birds: the count of the category shown
        // before goes with them.
        g_currentCategoryIndex = -1;
        SetDlgItemText(kCategoryCountLabel, QString());
    }
}

void CMainDialog::OnCategoryChanged() {
    const int selection = CategoryCombo()->GetCurSel();
    if (selection < 0) {
        g_currentCategoryIndex = -1;
        return;
    }
    // After the current loft was edited or deleted no loft is chosen, and the categories still
    // listed belong to no current loft: nothing is shown until a loft is chosen again.
    if (!IsCategoryOfCurrentLoft(selection)) return;
    g_currentCategoryIndex = selection;
    birdListPage_->EmptyList();
    ShowCurrentCategory();
}

void CMainDialog::SelectLoftAndCategory(int categoryIndex, int loftIndex) {
    LoftCombo()->SetCurSel(loftIndex);
    OnLoftChanged();
    CategoryCombo()->SetCurSel(categoryIndex);
    OnCategoryChanged();
    birdListPage_->EmptyList();
    ShowCurrentCategory();
}

// The new loft becomes the current one and the chooser shows it: otherwise, on a fresh install,
// every command that needs a loft went on doing nothing after the first loft was added.
void CMainDialog::AddLoft() {
    LoftRecord loft;
    if (!AddLoftWithEditor(this, u"Dodaj Gołębnik", loft)) return;
    ComboBox* combo = LoftCombo();
    combo->AddString(loft.nazwahodowli);
    combo->SetCurSel(combo->GetCount() - 1);
    OnLoftChanged();
}

bool CMainDialog::HasCurrentLoft() { return CurrentLoftOrSay(this) != nullptr; }

bool CMainDialog::HasCurrentCategory() {
    if (!HasCurrentLoft()) return false;
    if (CurrentCategory()) return true;
    MessageBox(this, std::u16string(kNoCategoryText));
    return false;
}

void CMainDialog::EditLoft() {
    if (!HasCurrentLoft()) return;
    const int index = g_currentLoftIndex;
    if (!EditLoftWithEditor(this, u"Edycja Gołębnika", index)) return;
    ComboBox* combo = LoftCombo();
    combo->DeleteString(index);
    combo->InsertString(index, Store().Lofts()[index].nazwahodowli);
    // The renamed loft stays the current one, and the chooser shows it.
    combo->SetCurSel(index);
}

void CMainDialog::DeleteLoft() {
    if (!HasCurrentLoft()) return;
    const int index = g_currentLoftIndex;
    if (!ConfirmLoftDelete(this, index)) return;
    LoftRecord loft = Store().Lofts()[index];
    if (!Store().WriteLoft(WriteMode::Delete, loft)) return;
    LoftCombo()->DeleteString(index);
    g_currentLoftIndex = -1;
    // The loft's categories and their bird lists were deleted with it: nothing of them stays
    // on show.
    CategoryCombo()->ResetContent();
    g_currentCategoryIndex = -1;
    birdListPage_->EmptyList();
    SetDlgItemText(kLoftCountLabel, QString());
    SetDlgItemText(kCategoryCountLabel, QString());
}

// The new category becomes the current one, shown chosen, as a new loft does.
void CMainDialog::AddCategory() {
    if (!HasCurrentLoft()) return;
    CategoryRecord category;
    if (!AddCategoryWithEditor(this, u"Dodaj nową kategorię", g_currentLoftIndex, category)) {
        return;
    }
    ComboBox* combo = CategoryCombo();
    combo->AddString(category.nazwakategorii);
    combo->SetCurSel(combo->GetCount() - 1);
    OnCategoryChanged();
}

void CMainDialog::EditCategory() {
    if (!HasCurrentCategory()) return;
    const int loftIndex = g_currentLoftIndex;
    const int index = g_currentCategoryIndex;
    if (!EditCategoryWithEditor(this, u"Edytuj kategorię", loftIndex, index)) return;
    ComboBox* combo = CategoryCombo();
    const bool shown = combo->GetCurSel() == index;
    combo->DeleteString(index);
    combo->InsertString(index, Store().Lofts()[loftIndex].categories[index].nazwakategorii);
    // The category stays the current one, so the chooser keeps showing it.
    if (shown) combo->SetCurSel(index);
}

void CMainDialog::DeleteCategory() {
    if (!HasCurrentCategory()) return;
    const int index = g_currentCategoryIndex;
    if (!ConfirmCategoryDelete(this, g_currentLoftIndex, index)) return;
    if (!DeleteCategoryAt(g_currentLoftIndex, index)) return;
    CategoryCombo()->DeleteString(index);
    birdListPage_->EmptyList();
    SetDlgItemText(kCategoryCountLabel, QString());
    g_selectedPigeonRow = -1;
    g_currentCategoryIndex = -1;
}

void CMainDialog::ManageLoftsAndCategories() {
    CZarzadzajHodowlami manager(this);
    manager.DoModal();
    // The manager changed lofts and categories behind the choosers' backs: whatever it did,
    // both are filled again from the database.
    ReloadLoftsAndCategories();
}

void CMainDialog::ReloadLoftsAndCategories() {
    LoftCombo()->ResetContent();
    CategoryCombo()->ResetContent();
    g_currentLoftIndex = -1;
    g_currentCategoryIndex = -1;
    birdListPage_->EmptyList();
    CDataStore& store = Store();
    if (!store.LoadLofts()) TellFileUnreadable(this, PigeonsDbPath().c_str());
    FillLoftCombo();
    SelectFirstLoftAndCategory();
    ReloadLoft(store.Lofts().empty() ? -1 : store.Lofts().front().id);
    ShowCurrentCategory();
}

void CMainDialog::SortPigeonList() {
    const int selection = CategoryCombo()->GetCurSel();
    if (selection < 0) {
        MessageBox(this, std::u16string(kNoCategoryText));
        return;
    }
    // Categories listed while no loft is chosen cannot be sorted.
    if (!IsCategoryOfCurrentLoft(selection)) return;
    g_currentCategoryIndex = selection;
    CSortujListeGolebi sort(this);
    sort.categoryId = CurrentCategory()->id;
    if (sort.DoModal() == IDOK) ShowCurrentCategory();
}

// ---- page strip -------------------------------------------------------------------------------

Rect CMainDialog::ClientRect() const {
    return Rect(0, 0, width(), std::max(0, height() - clientTop_));
}

void CMainDialog::LayoutPageStrip() {
    const Rect client = ClientRect();
    for (int page = 0; page < kPageCount; ++page) {
        headers_[page] = Rect(client.left + kHeaderEdges[page], kStripTop,
                              client.left + kHeaderEdges[page + 1], kStripBottom);
    }
    pageArea_ = Rect(client.left + 10, client.top + 110, client.right, client.bottom - 5);
}

void CMainDialog::PaintPageStrip(Dc& dc) {
    const Rect client = ClientRect();
    dc.SelectFont(Font(QStringLiteral("Tahoma"), 14, FW_BOLD));
    DrawGradientLines(dc, Rect(client.left, kStripTop, client.right, kStripBottom), kStripDark,
                      kStripDeep, 1);
    dc.FillSolidRect(Rect(client.left, kStripBottom - 5, client.right, kStripBottom),
                     kStripUnderline);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(255, 255, 255));
    for (int page = 0; page < kPageCount; ++page) {
        Rect header = headers_[page];
        if (page == activePage_) {
            dc.FillSolidRect(header, kStripDark);
            Rect edge = header;
            dc.DrawEdge(edge, EDGE_BUMP, BF_LEFT | BF_TOP | BF_RIGHT);
        }
        dc.DrawText(std::u16string(kHeaderTexts[page]), header,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void CMainDialog::OnEraseBkgnd(Dc& dc) {
    dc.FillSolidRect(GetClientRect(), RGB(255, 255, 255));
    QPainter& painter = dc.Painter();
    painter.save();
    painter.translate(0, clientTop_);
    dc.DrawBitmap(141, 0, 0);
    painter.restore();
}

void CMainDialog::OnPaint(Dc& dc) {
    // A minimised window is not painted at all, so there is no icon to draw in its place.
    QPainter& painter = dc.Painter();
    painter.save();
    painter.translate(0, clientTop_);
    LayoutPageStrip();
    PaintPageStrip(dc);
    painter.restore();
}

void CMainDialog::OnLButtonDown(const QPoint& point) {
    OnPageStripClick(point - QPoint(0, clientTop_));
    Dialog::OnLButtonDown(point);
}

void CMainDialog::OnPageStripClick(const QPoint& clientPoint) {
    LayoutPageStrip();
    for (int page = 0; page < kPageCount; ++page) {
        if (headers_[page].Contains(clientPoint)) {
            ActivatePage(page);
            return;
        }
    }
}

Dialog* CMainDialog::PageWindow(int page) const {
    switch (page) {
    case kStartPage: return startPage_;
    case kBirdListPage: return birdListPage_;
    case kPairingPage: return pairingPage_;
    case kTransactionsPage: return transactionsPage_;
    case kFlightsPage: return flightsPage_;
    case kNotebookPage: return notebookPage_;
    default: return nullptr;
    }
}

void CMainDialog::ActivatePage(int page) {
    if (activePage_ == kNotebookPage && page != kNotebookPage) notebookPage_->SaveCurrentNote();
    activePage_ = page;
    update();
    for (int other = 0; other < kPageCount; ++other) {
        if (other != page && PageWindow(other)) PageWindow(other)->hide();
    }
    if (page == kPairingPage) pairingPage_->LayoutControls();
    if (Dialog* shown = PageWindow(page)) shown->show();
    if (page == kTransactionsPage) {
        transactionsPage_->LayoutControls();
        transactionsPage_->update();
    }
}

void CMainDialog::ShowListPage() {
    pairingPage_->hide();
    birdListPage_->show();
}

// ---- size -------------------------------------------------------------------------------------

void CMainDialog::OnSize(int type, int width, int height) {
    Dialog::OnSize(type, width, height);
    if (menuBar_) menuBar_->setGeometry(0, 0, width, clientTop_);
    LayoutPageStrip();
    PlacePages();
}

void CMainDialog::PlacePages() {
    if (!startPage_) return;
    LayoutPageStrip();
    const QRect area(pageArea_.left, pageArea_.top + clientTop_, std::max(0, pageArea_.Width()),
                     std::max(0, pageArea_.Height()));
    birdListPage_->setGeometry(area);
    birdListPage_->ComputeLayout();
    birdListPage_->MoveControls();
    birdListPage_->update();
    pairingPage_->setGeometry(area);
    pairingPage_->update();
    pairingPage_->LayoutControls();
    transactionsPage_->setGeometry(area);
    transactionsPage_->update();
    flightsPage_->setGeometry(area);
    flightsPage_->LayoutControls();
    startPage_->setGeometry(area);
    startPage_->update();
    startPage_->LayoutControls();
    notebookPage_->setGeometry(area);
    notebookPage_->update();
    notebookPage_->PlaceEditor(pageArea_.left, pageArea_.top, pageArea_.right, pageArea_.bottom);
}

// ---- closing ----------------------------------------------------------------------------------

// The exit command and the close box: the note being edited is saved before the window goes.
void CMainDialog::OnOK() {
    if (notebookPage_) notebookPage_->SaveCurrentNote();
    Dialog::OnOK();
}

void CMainDialog::OnCancel() {
    if (notebookPage_) notebookPage_->SaveCurrentNote();
    Dialog::OnCancel();
}

// ---- keys -------------------------------------------------------------------------------------

bool CMainDialog::PreTranslateKey(QWidget* target, QKeyEvent* event) {
    // The markup tooltip sees the window's keys first through its event filter; they hide it.
    // A web page being edited (the notebook) needs Enter to start a new line.
    if (Browser::HoldsWidget(target)) return false;
    // The menu bar has the keys while the keyboard moves over its items (after Alt, or after
    // Escape closed its menu): Escape ends that and hands the focus back, Enter opens the item.
    if (qobject_cast<QMenuBar*>(target)) return false;
    return Dialog::PreTranslateKey(target, event);
}

// Enter and Escape that a control did not take (a page in a browser passes on the keys it does
// not use) end up here; they must not close the window either.
void CMainDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        Dialog::keyPressEvent(event);
    }
}
