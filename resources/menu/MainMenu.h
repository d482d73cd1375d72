#pragma once
// Menu 132, the main window's menu bar, as a plain table: eleven popups with
// their commands, separators and submenus in menu order. Captions are kept
// character for character (odd blanks included) because help texts and users'
// habits refer to them.

#include <vector>

// Command ids of menu 132. The main window dispatches on these numbers.
enum MenuCommand : int {
    // "Baza Danych"
    kCmdBackupDatabase = 32771,
    kCmdRestoreDatabase = 32772,
    kCmdImportVersion5 = 32852,
    kCmdSqlConsole = 32859,
    kCmdManagePigeonDatabase = 32864,
    kCmdExit = 32773,
    // "Gołębniki i Kategorie"
    kCmdManageLoftsAndCategories = 32795,
    kCmdManageBreeders = 32787,
    kCmdAddLoft = 32776,
    kCmdEditLoft = 32777,
    kCmdDeleteLoft = 32778,
    kCmdAddCategory = 32779,
    kCmdEditCategory = 32780,
    kCmdDeleteCategory = 32781,
    kCmdVaccinationLog = 32863,
    // "Lista Gołębi"
    kCmdAddPigeon = 32774,
    kCmdEditPigeon = 32796,
    kCmdDeletePigeon = 32797,
    kCmdMovePigeon = 32834,
    kCmdAddRingSeries = 32856,
    kCmdAddToIld = 32818,
    kCmdPrintIld = 32819,
    kCmdRemoveFromIld = 32835,
    kCmdShowIldList = 32855,
    kCmdShowFamilyTree = 32799,
    kCmdPrintCategory = 32801,
    kCmdSortPigeonList = 32858,
    kCmdPrintPigeonSummary = 32860,
    // "Parowanie"
    kCmdAddPair = 32805,
    kCmdEditPair = 32806,
    kCmdDeletePair = 32807,
    kCmdAddBreedingSeason = 32803,
    kCmdDeleteBreedingSeason = 32826,
    kCmdAddYoung = 32808,
    kCmdEditYoung = 32809,
    kCmdDeleteYoung = 32810,
    kCmdPrintLitterCard = 32831,
    kCmdShowPairYoungResults = 32861,
    // "Loty"
    kCmdAddFlight = 32840,
    kCmdEditFlight = 32841,
    kCmdDeleteFlight = 32842,
    kCmdAddFlightResult = 32843,
    kCmdEditFlightResult = 32844,
    kCmdDeleteFlightResult = 32845,
    kCmdImportFlightResults = 32862,
    // "Transakcje"
    kCmdAddTransaction = 32786,
    kCmdEditTransaction = 32812,
    kCmdDeleteTransaction = 32814,
    kCmdMonthlyReport = 32815,
    // "Klienci"
    kCmdAddClient = 32784,
    kCmdManageClients = 32785,
    // "Wydruki"
    kCmdPrintCategoryList = 32821,
    kCmdPrintIldList = 32822,
    kCmdPrintLitterCardFromPrintouts = 32823,
    kCmdPrintPedigree = 32846,
    kCmdPrintOffspring = 32847,
    kCmdPrintSiblings = 32848,
    kCmdPrintFlightResults = 32849,
    // "Narzędzia"
    kCmdCalculator = 32836,
    kCmdSpeedCalculator = 32838,
    kCmdDistanceCalculator = 32839,
    kCmdBranchDirectory = 32850,
    kCmdBestPigeons = 32853,
    kCmdBestPairs = 32854,
    // "Konfiguracja"
    kCmdManageColours = 32790,
    kCmdManageBreeds = 32791,
    kCmdManageStatuses = 32828,
    kCmdSetupListColumns = 32857,
    // "Pomoc"
    kCmdVisitWebPage = 32816,
    kCmdLoftWebSite = 32817,
    kCmdHelpIntroduction = 32829,
    kCmdHelpAllTopics = 32830,
    kCmdAbout = 32832,
};

enum class MenuItemKind { Command, Separator, Popup };

// One entry of a menu: a command (id and caption), a separator, or a popup
// (caption and children). Popups carry id 0.
struct MenuItemDef {
    MenuItemKind kind = MenuItemKind::Separator;
    int id = 0;
    const char16_t* caption = u"";
    std::vector<MenuItemDef> children;
};

// The eleven popups of menu 132, in menu-bar order.
const std::vector<MenuItemDef>& MainMenu();

// Images beside menu commands: the command and its cell in bitmap 185 (the
// 16 x 16 command strip, cells 0 to 16 from the left).
struct MenuCommandImage {
    int commandId;
    int imageIndex;
};
const std::vector<MenuCommandImage>& MainMenuCommandImages();

// Every command id of a table, depth first in menu order (separators and
// popups left out).
std::vector<int> MenuCommandIds(const std::vector<MenuItemDef>& table);

// The command with that id anywhere in the table, or nullptr.
const MenuItemDef* FindMenuCommand(const std::vector<MenuItemDef>& table, int id);
