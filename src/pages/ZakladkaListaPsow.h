#pragma once
// The bird list page ("Lista Gołębi"): the birds of the current category of the current loft,
// one row per membership row of the category, in membership order, with the columns chosen in
// rows.dat. Down the left side it paints its action links; under the list lies the preview
// panel of the selected bird with its tab strip, and in the photo panel the bird's first
// photograph.
//
// The page keeps one rule: g_selectedPigeonRow is -1 or the row the list shows as selected,
// whether the user chose it with the mouse or the keyboard or a command moved it.

#include <QFont>
#include <QPixmap>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "Dialog.h"
#include "Records.h"

class CPanelPodgladuTab1;
class CPanelPodgladuTab2;
class CPanelPodgladuTab3;
class CPanelPodgladuTab4;
class CPanelPodgladuTab5;
class CPictureBox;
class ListView;
class QLabel;

class CZakladkaListaPsow : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 129;
    static constexpr int kPigeonList = 1003;
    static constexpr int kRingEdit = 1036;
    static constexpr int kFindButton = 1131;
    static constexpr int kPhoto = 1060;
    static constexpr int kTabStrip = 1151;
    static constexpr int kUpButton = 1196;
    static constexpr int kDownButton = 1197;
    static constexpr int kFirstTabButton = 1099;   // 1099..1103: preview tabs 1..5
    static constexpr int kPreviewTabCount = 5;

    explicit CZakladkaListaPsow(QWidget* parent = nullptr);

    // Set by the main window once the page exists: makes that category of that loft current
    // there (without it the page switches the shared indices and shows the category itself).
    std::function<void(int category, int loft)> selectLoftAndCategory;
    QLabel* loftCountLabel = nullptr;       // the main window's label 1187
    QLabel* categoryCountLabel = nullptr;   // the main window's label 1188: "(rows)"

    // 0 while preview tab 1 (the short panel) is shown, 1 while one of tabs 2 to 5 is.
    int previewExpanded = 0;
    // The configured column codes in display order (list column i+1 shows columnCodes[i]) and
    // the width of each code.
    std::vector<std::int32_t> columnCodes;
    std::map<std::int32_t, std::int32_t> columnWidths;
    // Which bird each row shows, and the membership row that puts it there.
    std::map<int, int> rowPigeonIds;
    std::map<int, int> rowMembershipIds;
    // The ring number to find (edit 1036).
    Text searchRingText;
    // The five preview tabs, made by the page when it starts and living as long as it does.
    CPanelPodgladuTab1* previewTab1 = nullptr;
    CPanelPodgladuTab2* previewTab2 = nullptr;
    CPanelPodgladuTab3* previewTab3 = nullptr;
    CPanelPodgladuTab4* previewTab4 = nullptr;
    CPanelPodgladuTab5* previewTab5 = nullptr;

    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    ListView* PigeonList() const;
    CPictureBox* PhotoBox() const;

    // ---- the list ---------------------------------------------------------------------------
    // Reads rows.dat and makes the list's columns: "..." first, then one per code.
    void ReadColumnLayout();
    // Fills the list with the birds of one category, in membership order; loft index and
    // category id both -1 leave it empty. Always returns -1.
    int ShowCategory(int loftIndex, int categoryId);
    // Writes one bird's row; row -1 appends a row. Returns the row.
    int SetPigeonRow(int row, const PigeonRecord& pigeon);
    // Empties the list and forgets its rows, so no command can act on a bird that is no longer
    // shown; the photo and every preview tab show no bird.
    void EmptyList();
    // The text of one cell: the bird of that id in the data store, under that column code.
    Text GetCellText(int pigeonId, int columnCode) const;
    static Text CellText(const PigeonRecord& pigeon, int columnCode);

    // The selected bird's id; 0 when no row is selected.
    int SelectedPigeonId() const;
    // What selecting a row does: the photo and the preview follow the list's selection.
    void OnSelectPigeon();
    void OnDoubleClickPigeon();

    // ---- layout, painting and clicks --------------------------------------------------------
    // Fit the page to its size (the main window calls these when it is sized).
    void ComputeLayout();
    void MoveControls();
    Rect ListRect() const { return previewExpanded ? listShortRect_ : listTallRect_; }
    // Shows preview tab 1..5: tab 1 under the taller list, tabs 2 to 5 under the shorter one.
    void ShowPreviewTab(int tab);
    // The bird each preview tab was last told to show (-1 none); tab 1..5.
    int PreviewPigeonId(int tab) const { return previewPigeonIds_[tab - 1]; }
    // Preview tab 1..5; null before the page started.
    Dialog* PreviewTab(int tab) const;
    // Each preview tab shows its bird again as the data store now holds it (after a write
    // elsewhere changed what they show, such as a bird's flight figures).
    void RefreshPreview();

    // The painted links down the left side and what a click in each runs.
    // A link of the left panel and the command it runs. The command is a plain function rather
    // than an index into a table of member-function pointers, which GCC 12's bounds sanitizer
    // miscompiles.
    struct Link {
        const char16_t* text;
        int top;
        int bottom;
        void (*run)(CZakladkaListaPsow& page);
    };
    static const std::vector<Link>& Links();
    static constexpr Rect kPhotoArea{5, 410, 210, 620};

    // ---- commands ---------------------------------------------------------------------------
    void AddPigeon();
    void EditPigeon();
    void DeletePigeon();
    void MovePigeon();
    void MoveUp();
    void MoveDown();
    void FindByRing();
    void AddRingSeries();
    void EditRoofDate();
    void AddToIld();
    void RemoveFromIld();
    void PrintCategory();
    void PrintIld();
    void PrintPedigree();
    void ShowFamilyTree();
    void ShowPhotos();
    void SetupColumns();

    bool PreTranslateKey(QWidget* target, QKeyEvent* event) override;

protected:
    void OnEraseBkgnd(Dc& dc) override;
    void OnLButtonDown(const QPoint& point) override;

private:
    void ShowDefaultPhoto();
    void TellPreviewTab(int tab, int pigeonId);
    // The photo and every preview tab show no bird (the pedigree included).
    void ClearPreview();
    void ShowCurrentCategory();
    // Swaps the birds of rows a and b, in the list and in the stored order, in one transaction.
    bool SwapRows(int a, int b);
    bool HasSelection() const;
    // The same, telling the user to choose a bird when none is chosen.
    bool HasSelectionOrSay();

    QPixmap defaultPhoto_;
    QFont listFont_;
    std::array<int, kPreviewTabCount> previewPigeonIds_{-1, -1, -1, -1, -1};
    Rect listTallRect_;
    Rect listShortRect_;
    Rect previewTab1Rect_;
    Rect previewTabsRect_;
    Rect tabStripRect_;
    Rect upRect_;
    Rect downRect_;
};
