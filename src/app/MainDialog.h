#pragma once
// The program's one top-level window: the menu bar, the loft and category choosers, the painted
// strip of six page headers and the six pages under it. It keeps the current loft and category
// (Globals.h) in step with the choosers and with the lofts and categories of the data store.

#include <array>
#include <memory>
#include <string>

#include "Dialog.h"

class ComboBox;
class CQXToolTip;
class QLabel;
class QMenuBar;
class CZakladkaStartowa;
class CZakladkaListaPsow;
class CZakladkaEdycjaPtaka;
class CZakladkaTransakcje;
class CZakladkaLotyGolebi;
class CZakladkaNotatnik;

class CMainDialog : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 102;
    static constexpr int kLoftCombo = 1006;
    static constexpr int kCategoryCombo = 1007;
    static constexpr int kLoftCountLabel = 1187;
    static constexpr int kCategoryCountLabel = 1188;

    enum Page {
        kStartPage,
        kBirdListPage,
        kPairingPage,
        kTransactionsPage,
        kFlightsPage,
        kNotebookPage,
        kPageCount
    };

    explicit CMainDialog(QWidget* parent = nullptr);
    ~CMainDialog() override;

    // The constructor holds still for 700 ms so the splash is seen; tests switch that off.
    // The environment variable ORNIVEX_NO_STARTUP_PAUSE does the same for a whole process.
    static void EnableStartupPause(bool on);

    bool OnInitDialog() override;
    // Closing the window (the exit command, the close box) saves the note being edited.
    void OnOK() override;
    void OnCancel() override;

    // Loads one loft's data from both database files and refreshes the pages that show it.
    void ReloadLoft(int loftId);
    // Loads both files for the loft; the path of the file that could not be read, else empty.
    std::u16string LoadLoftFiles(int loftId);
    // Fills the pages from what memory holds for the current loft.
    void ShowLoadedLoft();
    // Chooses a loft and one of its categories as the user would and shows that category.
    void SelectLoftAndCategory(int categoryIndex, int loftIndex);
    void OnLoftChanged();
    void OnCategoryChanged();

    // The page strip, in client coordinates (the area under the menu bar).
    void LayoutPageStrip();
    void PaintPageStrip(Dc& dc);
    void OnPageStripClick(const QPoint& clientPoint);
    int ActivePage() const { return activePage_; }
    Rect HeaderRect(int page) const { return headers_[page]; }
    Rect PageArea() const { return pageArea_; }
    // The client area: the window below its menu bar, with (0, 0) at its top left.
    Rect ClientRect() const;
    int ClientTop() const { return clientTop_; }
    QMenuBar* MenuBar() const { return menuBar_; }
    CQXToolTip* ToolTip() const { return tooltip_.get(); }

    // Button 1004: back from the pairing page to the bird list.
    void ShowListPage();

    // Loft and category commands.
    void AddLoft();
    void EditLoft();
    void DeleteLoft();
    void AddCategory();
    void EditCategory();
    void DeleteCategory();
    void ManageLoftsAndCategories();
    void SortPigeonList();
    // Refills both choosers from the database after the lofts were managed elsewhere.
    void ReloadLoftsAndCategories();
    // Whether a loft (and a category of it) is current; when not, the user is told so.
    bool HasCurrentLoft();
    bool HasCurrentCategory();

    // Database maintenance (MainDialogMaintenance.cpp).
    void BackupDatabase();
    void RestoreDatabase();
    void ImportVersion5();
    void OpenSqlConsole();
    void ManagePigeonDatabase();
    // Loads the lofts and a loft's data anew after the files changed behind the data store's
    // back, choosing the loft and category with those ids again when they are still there
    // (else the first ones).
    struct Place {
        int loftId = 0;
        int categoryId = 0;
    };
    void ReloadAfterFilesChanged(const Place& place);

    Dialog* PageWindow(int page) const;
    CZakladkaStartowa* StartPage() const { return startPage_; }
    CZakladkaListaPsow* BirdListPage() const { return birdListPage_; }
    CZakladkaEdycjaPtaka* PairingPage() const { return pairingPage_; }
    CZakladkaTransakcje* TransactionsPage() const { return transactionsPage_; }
    CZakladkaLotyGolebi* FlightsPage() const { return flightsPage_; }
    CZakladkaNotatnik* NotebookPage() const { return notebookPage_; }
    ComboBox* LoftCombo() const;
    ComboBox* CategoryCombo() const;

    bool PreTranslateKey(QWidget* target, QKeyEvent* event) override;

protected:
    void OnEraseBkgnd(Dc& dc) override;
    void OnPaint(Dc& dc) override;
    void OnSize(int type, int width, int height) override;
    void OnLButtonDown(const QPoint& point) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateMenuBar();
    void BindCommands();
    void CreatePages();
    void ActivatePage(int page);
    void PlacePages();
    void FillLoftCombo();
    void FillCategoryCombo();
    void SelectFirstLoftAndCategory();
    void ShowCurrentCategory();
    void SetLoftCountLabel();
    void FillSeasonCombos();
    QWidget* ClientItem(int id) const;
    // Reads the lofts and the first loft's data (the start does it while the splash is up);
    // the path of the file that could not be read, else empty.
    std::u16string LoadFirstLoft();

    static bool startupPause_;
    bool firstLoftLoaded_ = false;

    QMenuBar* menuBar_ = nullptr;
    std::unique_ptr<CQXToolTip> tooltip_;
    int clientTop_ = 0;
    int activePage_ = kStartPage;
    QFont labelFont_;
    Rect pageArea_;
    std::array<Rect, kPageCount> headers_{};

    CZakladkaStartowa* startPage_ = nullptr;
    CZakladkaListaPsow* birdListPage_ = nullptr;
    CZakladkaEdycjaPtaka* pairingPage_ = nullptr;
    CZakladkaTransakcje* transactionsPage_ = nullptr;
    CZakladkaLotyGolebi* flightsPage_ = nullptr;
    CZakladkaNotatnik* notebookPage_ = nullptr;
};
