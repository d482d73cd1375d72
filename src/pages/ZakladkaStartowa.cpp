#include "ZakladkaStartowa.h"

#include <QCalendarWidget>
#include <QTextCharFormat>

#include "DataStore.h"
#include "DodajEdytujKlienta.h"
#include "Globals.h"
#include "Pomoc.h"
#include "SpisOddzialow.h"
#include "TransparentStatic.h"
#include "WebAddresses.h"
#include "WindowHelpers.h"
#include "ZakladkaEdycjaPtaka.h"
#include "ZakladkaListaPsow.h"
#include "ZakladkaNotatnik.h"
#include "ZakladkaTransakcje.h"

namespace {

constexpr COLORREF kBlueText = RGB(42, 130, 198);
constexpr COLORREF kCalendarTitle = RGB(75, 150, 251);

// Where each link lies on the pictures (page pixels), in Link order.
constexpr Rect kLinkRects[CZakladkaStartowa::kLinkCount] = {
    {40, 100, 350, 130},  // add bird
    {40, 130, 350, 160},  // add pair
    {40, 160, 350, 190},  // add transaction
    {40, 190, 350, 220},  // add client
    {40, 220, 350, 250},  // new note
    {40, 325, 350, 355},  // introduction
    {40, 385, 350, 415},  // the program's web page
    {40, 355, 350, 385},  // all help topics
    {40, 415, 350, 445},  // the web site's page
    {40, 475, 500, 695},  // the auction site
};

void SetLabelLook(QWidget* widget, const QFont& font, COLORREF color) {
    if (!widget) return;
    widget->setFont(font);
    if (auto* label = qobject_cast<CTransparentStatic*>(widget)) label->textColor = color;
}

void SetCalendarLook(QCalendarWidget* calendar) {
    if (!calendar) return;
    QTextCharFormat days;
    days.setForeground(ToQColor(kBlueText));
    for (int day = Qt::Monday; day <= Qt::Sunday; ++day)
        calendar->setWeekdayTextFormat(static_cast<Qt::DayOfWeek>(day), days);
    QTextCharFormat header = days;
    calendar->setHeaderTextFormat(header);
    const QColor title = ToQColor(kCalendarTitle);
    calendar->setStyleSheet(
        QStringLiteral("QCalendarWidget QWidget#qt_calendar_navigationbar { background-color: %1; }"
                       "QCalendarWidget QToolButton { color: white; background-color: %1; }")
            .arg(title.name()));
}

}  // namespace

CZakladkaStartowa::CZakladkaStartowa(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kSearchBranch, [this] { SearchBranch(); });
    // The two stepping buttons under the photo tip have never done anything.
    OnClicked(kPrevious, [] {});
    OnClicked(kNext, [] {});
    for (int link = 0; link < kLinkCount; ++link) links_[link] = kLinkRects[link];
}

bool CZakladkaStartowa::OnInitDialog() {
    Dialog::OnInitDialog();
    boldFont_ = Font(QStringLiteral("Tahoma"), 16, FW_BOLD);
    textFont_ = Font(QStringLiteral("Verdana"), 16, 500);
    SetLabelLook(Item(kBranchLabel), textFont_, RGB(0, 0, 0));
    SetLabelLook(Item(kPhotoTipLabel), boldFont_, kBlueText);
    SetCalendarLook(Calendar(kCalendar));
    return true;
}

void CZakladkaStartowa::LayoutControls() {
    const Rect client = GetClientRect();
    if (QWidget* calendar = Item(kCalendar)) {
        calendar->setGeometry(960, 100, std::max(0, client.Width() - 970),
                              std::max(0, client.Height() - 140));
        calendar->update();
    }
    const bool wide = client.Width() > kCalendarMinWidth;
    ShowItem(kCalendarPicture, wide);
    ShowItem(kCalendar, wide);
    EnableItem(kCalendar, wide);
    for (int link = 0; link < kLinkCount; ++link) links_[link] = kLinkRects[link];
}

int CZakladkaStartowa::LinkAt(const QPoint& point) const {
    for (int link = 0; link < kLinkCount; ++link) {
        if (links_[link].Contains(point)) return link;
    }
    return -1;
}

void CZakladkaStartowa::OnLButtonDown(const QPoint& point) {
    OnLinkClick(point);
    Dialog::OnLButtonDown(point);
}

void CZakladkaStartowa::OnLinkClick(const QPoint& point) {
    const int link = LinkAt(point);
    if (link >= 0) RunLink(link);
}

// The add links work on their pages as the menu commands do; they do not switch the page shown.
void CZakladkaStartowa::RunLink(int link) {
    switch (link) {
    case kAddBird:
        if (birdListPage) birdListPage->AddPigeon();
        break;
    case kAddPair:
        if (pairingPage) pairingPage->AddPair();
        break;
    case kAddTransaction:
        if (transactionsPage) transactionsPage->AddTransaction();
        break;
    case kAddClient: {
        // A client belongs to a loft: the menu's command says the same.
        if (!CurrentLoft()) {
            MessageBox(this, std::u16string(kNoLoftText));
            break;
        }
        CDodajEdytujKlienta editor;
        editor.mode = EditorMode::Add;
        editor.DoModal();
        break;
    }
    case kNewNote:
        if (notebookPage) notebookPage->NewNote();
        break;
    case kIntroduction:
        CPomoc::ShowPage(u"intro.html");
        break;
    case kAllHelpTopics:
        CPomoc::ShowPage(u"help.html");
        break;
    case kProgramWebPage:
        OpenWebAddress(this, web::kProgramWebPage);
        break;
    case kWebSitePage:
        OpenWebAddress(this, web::kStartPageSitePage);
        break;
    case kAuctionSite:
        OpenWebAddress(this, web::kAuctionWebSite);
        break;
    default:
        break;
    }
}

void CZakladkaStartowa::SearchBranch() {
    branchSearchText = ItemText(kBranchEdit);
    CSpisOddzialow directory;
    directory.presetSearch = branchSearchText;
    directory.DoModal();
}

// Only the panel behind the photo tip and the branch search is painted; the rest of the page is
// the pictures and the main window's background.
void CZakladkaStartowa::OnEraseBkgnd(Dc& dc) {
    dc.FillSolidRect(Rect(600, 140, 912, 534), RGB(255, 255, 255));
}
