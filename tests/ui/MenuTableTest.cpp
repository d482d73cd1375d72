// The main menu: structure and exact captions of the table, and the menu bar built from it.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "images/ImageCatalog.h"
#include "menu/MainMenu.h"
#include "menu/MenuBuilder.h"

namespace {

QString Q(const char16_t* text) {
    return QString::fromUtf16(text);
}

// A popup's items in one line: ids, "-" for a separator, "[caption: ...]" for a submenu.
std::string Signature(const std::vector<MenuItemDef>& items) {
    std::string out;
    for (const MenuItemDef& item : items) {
        if (!out.empty()) out += ' ';
        switch (item.kind) {
        case MenuItemKind::Command: out += std::to_string(item.id); break;
        case MenuItemKind::Separator: out += '-'; break;
        case MenuItemKind::Popup:
            out += '[' + Q(item.caption).toStdString() + ": " + Signature(item.children) + ']';
            break;
        }
    }
    return out;
}

}  // namespace

TEST(MainMenuTable, ElevenPopupsInMenuBarOrder) {
    const std::vector<const char16_t*> expected = {
        u"Baza Danych", u"Gołębniki i Kategorie", u"Lista Gołębi", u"Parowanie", u"Loty",
        u"Transakcje", u"Klienci", u"Wydruki", u"Narzędzia", u"Konfiguracja", u"Pomoc"};
    const auto& menu = MainMenu();
    ASSERT_EQ(menu.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(menu[i].kind, MenuItemKind::Popup);
        EXPECT_EQ(Q(menu[i].caption), Q(expected[i])) << "popup " << i;
    }
}

TEST(MainMenuTable, ItemsSeparatorsAndSubmenusInOrder) {
    const std::map<std::u16string, std::string> expected = {
        {u"Baza Danych",
         "32771 32772 - [Zaawansowane: 32852 - 32859 - 32864] - 32773"},
        {u"Gołębniki i Kategorie",
         "32795 - 32787 - 32776 - 32777 32778 - 32779 - 32780 32781 - 32863"},
        {u"Lista Gołębi",
         "32774 - 32796 32797 32834 - 32856 - "
         "[Indywidualna lista druku(ILD): 32818 - 32819 32835 32855] - 32799 - 32801 - 32858 - 32860"},
        {u"Parowanie",
         "32805 - 32806 32807 - 32803 - [Aktualny sezon lęgowy: 32826] - 32808 - 32809 32810 - "
         "32831 - 32861"},
        {u"Loty", "32840 - 32841 32842 - 32843 32844 32845 - 32862"},
        {u"Transakcje", "32786 - 32812 32814 - 32815"},
        {u"Klienci", "32784 - 32785"},
        {u"Wydruki", "32821 - 32822 - 32823 - 32846 - 32847 - 32848 - 32849"},
        {u"Narzędzia", "32836 - 32838 - 32839 - 32850 - 32853 - 32854 -"},
        {u"Konfiguracja", "32790 - 32791 - 32828 - 32857"},
        {u"Pomoc", "32816 - 32817 - 32829 - 32830 - 32832"},
    };
    for (const MenuItemDef& popup : MainMenu()) {
        const auto it = expected.find(popup.caption);
        ASSERT_NE(it, expected.end()) << Q(popup.caption).toStdString();
        EXPECT_EQ(Signature(popup.children), it->second) << Q(popup.caption).toStdString();
    }
}

TEST(MainMenuTable, CaptionsKeepTheirOddSpellingAndBlanks) {
    const std::map<int, std::u16string> expected = {
        {kCmdBackupDatabase, u"Utwórz kobię zapasową bazy danych"},
        {kCmdVaccinationLog, u"Dziennik szczepień "},
        {kCmdManageColours, u"Zarządzaj kolorami ptaków "},
        {kCmdManageBreeds, u"Zarządzaj rasami ptaków"},
        {kCmdSortPigeonList, u"Sortuj listę  gołębi"},
        {kCmdAddBreedingSeason, u"Dodaj nowy sezon  lęgowy"},
        {kCmdShowPairYoungResults, u"Drukuj wyniki lotowe dla wybranej  pary"},
        {kCmdEditPair, u"Edytuj wybraną pare"},
        {kCmdAddCategory, u"Dodaj nową kategorie"},
        {kCmdAddTransaction, u"Dodaj nową transakcje"},
        {kCmdPrintCategoryList, u"Drukuj listę ptaków(aktualna kategoria)"},
        {kCmdVisitWebPage, u"Odwiedź Strona WWW programu Ornivex"},
        {kCmdLoftWebSite, u"TYLKO TU! Strona Internetowa Twojej Hodowli w 3 Minuty!"},
        {kCmdAbout, u"O Programie..."},
        {kCmdExit, u"Wyjdź z programu"},
    };
    for (const auto& [id, caption] : expected) {
        const MenuItemDef* item = FindMenuCommand(MainMenu(), id);
        ASSERT_NE(item, nullptr) << id;
        EXPECT_EQ(std::u16string(item->caption), caption) << id;
    }
}

TEST(MainMenuTable, EveryCommandIdOnceAndInTheMenuRange) {
    const std::vector<int> ids = MenuCommandIds(MainMenu());
    EXPECT_EQ(ids.size(), 73u);
    std::set<int> unique(ids.begin(), ids.end());
    EXPECT_EQ(unique.size(), ids.size()) << "a command id appears twice";
    for (int id : ids) {
        EXPECT_GE(id, 32771);
        EXPECT_LE(id, 32864);
    }
    // Two pairs share a caption but must stay two commands.
    EXPECT_EQ(std::u16string(FindMenuCommand(MainMenu(), kCmdPrintLitterCard)->caption),
              std::u16string(FindMenuCommand(MainMenu(), kCmdPrintLitterCardFromPrintouts)->caption));
    EXPECT_EQ(FindMenuCommand(MainMenu(), 32770), nullptr);
}

TEST(MainMenuTable, CommandImagesPointAtMenuCommandsAndStripCells) {
    const std::map<int, int> expected = {
        {32832, 0}, {32814, 2}, {32810, 2}, {32797, 2}, {32774, 7},
        {32776, 7}, {32784, 7}, {32805, 7}, {32786, 7}, {32821, 15},
        {32799, 14}, {32771, 1}, {32772, 16}, {32817, 13}, {32785, 9}};
    const auto& images = MainMenuCommandImages();
    ASSERT_EQ(images.size(), expected.size());
    std::map<int, int> got;
    for (const MenuCommandImage& image : images) {
        EXPECT_TRUE(got.emplace(image.commandId, image.imageIndex).second) << image.commandId;
        EXPECT_NE(FindMenuCommand(MainMenu(), image.commandId), nullptr) << image.commandId;
        EXPECT_GE(image.imageIndex, 0);
        EXPECT_LT(image.imageIndex, kCommandStripCells);
    }
    EXPECT_EQ(got, expected);
}

// ---- the menu bar ---------------------------------------------------------------------------

class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<QWidget>();
        bar = BuildMenuBar(MainMenu(), window.get(), [this](int id) { fired.push_back(id); });
    }

    std::unique_ptr<QWidget> window;
    QMenuBar* bar = nullptr;
    std::vector<int> fired;
};

TEST_F(MenuBarTest, PopupsBecomeMenusWithTheTableCaptions) {
    const QList<QAction*> top = bar->actions();
    ASSERT_EQ(top.size(), 11);
    for (int i = 0; i < top.size(); ++i) {
        ASSERT_NE(top[i]->menu(), nullptr);
        EXPECT_EQ(top[i]->text(), Q(MainMenu()[i].caption));
    }
    QMenu* database = top[0]->menu();
    const QList<QAction*> items = database->actions();
    ASSERT_EQ(items.size(), 6);  // two commands, separator, submenu, separator, exit
    EXPECT_TRUE(items[2]->isSeparator());
    ASSERT_NE(items[3]->menu(), nullptr);
    EXPECT_EQ(items[3]->text(), QStringLiteral("Zaawansowane"));
    EXPECT_EQ(items[3]->menu()->actions().size(), 5);
    EXPECT_TRUE(items[4]->isSeparator());
    EXPECT_EQ(items[5]->data().toInt(), kCmdExit);
}

TEST_F(MenuBarTest, EveryActionCarriesAndFiresItsOwnId) {
    for (int id : MenuCommandIds(MainMenu())) {
        QAction* action = FindMenuAction(bar, id);
        ASSERT_NE(action, nullptr) << id;
        EXPECT_EQ(action->text(), Q(FindMenuCommand(MainMenu(), id)->caption)) << id;
        fired.clear();
        action->trigger();
        ASSERT_EQ(fired.size(), 1u) << id;
        EXPECT_EQ(fired[0], id);
    }
}

TEST_F(MenuBarTest, SameCaptionStillFiresTheRightCommand) {
    FindMenuAction(bar, kCmdPrintLitterCardFromPrintouts)->trigger();
    FindMenuAction(bar, kCmdPrintLitterCard)->trigger();
    EXPECT_EQ(fired, (std::vector<int>{kCmdPrintLitterCardFromPrintouts, kCmdPrintLitterCard}));
}

TEST(MenuBuilder, AmpersandStaysTheMnemonicMarker) {
    const std::vector<MenuItemDef> table = {
        {MenuItemKind::Popup, 0, u"&Plik", {{MenuItemKind::Command, 7, u"&Otwórz", {}}}}};
    QWidget window;
    int got = 0;
    QMenuBar* bar = BuildMenuBar(table, &window, [&](int id) { got = id; });
    ASSERT_EQ(bar->actions().size(), 1);
    EXPECT_EQ(bar->actions()[0]->text(), QStringLiteral("&Plik"));
    QAction* open = FindMenuAction(bar, 7);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->text(), QStringLiteral("&Otwórz"));
    open->trigger();
    EXPECT_EQ(got, 7);
}
