#pragma once
// The start page ("Witamy!"): the first page of the main window, with shortcut links into the
// other pages. This first form carries what the main window needs of it; the links, the
// calendar and the branch search are added with the help windows.

#include "Dialog.h"

class CZakladkaListaPsow;
class CZakladkaEdycjaPtaka;
class CZakladkaTransakcje;
class CZakladkaNotatnik;

class CZakladkaStartowa : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 156;

    explicit CZakladkaStartowa(QWidget* parent = nullptr);

    // The pages its links lead to, set by the main window.
    CZakladkaListaPsow* birdListPage = nullptr;
    CZakladkaEdycjaPtaka* pairingPage = nullptr;
    CZakladkaTransakcje* transactionsPage = nullptr;
    CZakladkaNotatnik* notebookPage = nullptr;

    void OnOK() override {}
    void OnCancel() override {}

    // Fits the page to its size (called by the main window on every resize).
    void LayoutControls() {}
};
