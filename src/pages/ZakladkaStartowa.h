#pragma once
// The start page ("Witamy!"): the first page of the main window. Its pictures carry shortcut
// links (add a bird, a pair, a transaction or a client, write a note, open the help, visit web
// pages), which the page hit-tests itself; on wide screens a month calendar; and a search box
// for the union's branch directory.

#include <QFont>
#include <array>
#include <string>

#include "Dialog.h"

class CZakladkaListaPsow;
class CZakladkaEdycjaPtaka;
class CZakladkaTransakcje;
class CZakladkaNotatnik;

class CZakladkaStartowa : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 156;
    static constexpr int kPhotoTipLabel = 1097;
    static constexpr int kBranchLabel = 1182;
    static constexpr int kBranchEdit = 1036;
    static constexpr int kSearchBranch = 1101;
    static constexpr int kPrevious = 1100;
    static constexpr int kNext = 1099;
    static constexpr int kCalendarPicture = 1132;
    static constexpr int kCalendar = 1222;
    // The calendar is shown only on pages wider than this.
    static constexpr int kCalendarMinWidth = 1280;

    // The links, in the order they are hit-tested.
    enum Link {
        kAddBird,
        kAddPair,
        kAddTransaction,
        kAddClient,
        kNewNote,
        kIntroduction,
        kProgramWebPage,
        kAllHelpTopics,
        kWebSitePage,
        kAuctionSite,
        kLinkCount
    };

    explicit CZakladkaStartowa(QWidget* parent = nullptr);

    // The pages its links lead to, set by the main window.
    CZakladkaListaPsow* birdListPage = nullptr;
    CZakladkaEdycjaPtaka* pairingPage = nullptr;
    CZakladkaTransakcje* transactionsPage = nullptr;
    CZakladkaNotatnik* notebookPage = nullptr;

    // The text searched for in the branch directory (edit 1036).
    std::u16string branchSearchText;

    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    // Fits the page to its size (called by the main window on every resize): the calendar and
    // the link areas.
    void LayoutControls();
    Rect LinkRect(int link) const { return links_[link]; }
    // The link under a point of the page, -1 for none.
    int LinkAt(const QPoint& point) const;

    // Runs what the link under the point leads to; a point off every link does nothing.
    void OnLinkClick(const QPoint& point);
    void RunLink(int link);
    // Button 1101: the branch directory, searching for the text typed.
    void SearchBranch();

protected:
    void OnEraseBkgnd(Dc& dc) override;
    void OnLButtonDown(const QPoint& point) override;

private:
    QFont boldFont_;
    QFont textFont_;
    std::array<Rect, kLinkCount> links_{};
};
