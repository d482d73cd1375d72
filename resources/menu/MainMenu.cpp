#include "MainMenu.h"

namespace {

MenuItemDef Item(int id, const char16_t* caption) {
    return {MenuItemKind::Command, id, caption, {}};
}

MenuItemDef Separator() {
    return {MenuItemKind::Separator, 0, u"", {}};
}

MenuItemDef Popup(const char16_t* caption, std::vector<MenuItemDef> children) {
    return {MenuItemKind::Popup, 0, caption, std::move(children)};
}

// Captions are exact, including "kobię", the two blanks in "Sortuj listę  gołębi",
// "sezon  lęgowy" and "wybranej  pary", and the trailing blanks of "Dziennik szczepień "
// and "Zarządzaj kolorami ptaków ".
std::vector<MenuItemDef> BuildMainMenu() {
    return {
        Popup(u"Baza Danych", {
            Item(kCmdBackupDatabase, u"Utwórz kobię zapasową bazy danych"),
            Item(kCmdRestoreDatabase, u"Wczytaj kopię bazy danych"),
            Separator(),
            Popup(u"Zaawansowane", {
                Item(kCmdImportVersion5, u"Importuj dane z programu Ornivex 5"),
                Separator(),
                Item(kCmdSqlConsole, u"Konsola SQL"),
                Separator(),
                Item(kCmdManagePigeonDatabase, u"Zarządzaj bazą gołębi pocztowych"),
            }),
            Separator(),
            Item(kCmdExit, u"Wyjdź z programu"),
        }),
        Popup(u"Gołębniki i Kategorie", {
            Item(kCmdManageLoftsAndCategories, u"Zarządzaj Hodowlami i Kategoriami"),
            Separator(),
            Item(kCmdManageBreeders, u"Zarządzaj Hodowcami"),
            Separator(),
            Item(kCmdAddLoft, u"Dodaj nowy gołębnik"),
            Separator(),
            Item(kCmdEditLoft, u"Edytuj aktualny gołębnik"),
            Item(kCmdDeleteLoft, u"Usuń aktualny gołębnik"),
            Separator(),
            Item(kCmdAddCategory, u"Dodaj nową kategorie"),
            Separator(),
            Item(kCmdEditCategory, u"Edytuj aktualną kategorię"),
            Item(kCmdDeleteCategory, u"Usuń aktualną kategorię"),
            Separator(),
            Item(kCmdVaccinationLog, u"Dziennik szczepień "),
        }),
        Popup(u"Lista Gołębi", {
            Item(kCmdAddPigeon, u"Dodaj nowego gołębia"),
            Separator(),
            Item(kCmdEditPigeon, u"Edycja aktualnie zaznaczonego gołębia"),
            Item(kCmdDeletePigeon, u"Usuń aktualnie wybranego gołębia"),
            Item(kCmdMovePigeon, u"Przenieś wybranego gołębia do innej kategorii"),
            Separator(),
            Item(kCmdAddRingSeries, u"Dodaj serię obrączek"),
            Separator(),
            Popup(u"Indywidualna lista druku(ILD)", {
                Item(kCmdAddToIld, u"Dodaj ptaka do listy ILD"),
                Separator(),
                Item(kCmdPrintIld, u"Drukuj ILD"),
                Item(kCmdRemoveFromIld, u"Usuń ptaka z ILD"),
                Item(kCmdShowIldList, u"Pokaż listę gołębi z ILD"),
            }),
            Separator(),
            Item(kCmdShowFamilyTree, u"Pokaż drzewo genealogiczne wybranego gołębia"),
            Separator(),
            Item(kCmdPrintCategory, u"Wydruk/Eksport aktualnej kategorii"),
            Separator(),
            Item(kCmdSortPigeonList, u"Sortuj listę  gołębi"),
            Separator(),
            Item(kCmdPrintPigeonSummary, u"Drukuj podsumowanie aktualnego gołębia"),
        }),
        Popup(u"Parowanie", {
            Item(kCmdAddPair, u"Dodaj nową parę"),
            Separator(),
            Item(kCmdEditPair, u"Edytuj wybraną pare"),
            Item(kCmdDeletePair, u"Usuń wybraną pare"),
            Separator(),
            Item(kCmdAddBreedingSeason, u"Dodaj nowy sezon  lęgowy"),
            Separator(),
            Popup(u"Aktualny sezon lęgowy", {
                Item(kCmdDeleteBreedingSeason, u"Usuń aktualny sezon"),
            }),
            Separator(),
            Item(kCmdAddYoung, u"Dodaj młodego do pary"),
            Separator(),
            Item(kCmdEditYoung, u"Edytuj młodego"),
            Item(kCmdDeleteYoung, u"Usuń młodego"),
            Separator(),
            Item(kCmdPrintLitterCard, u"Drukuj kartę parowania"),
            Separator(),
            Item(kCmdShowPairYoungResults, u"Drukuj wyniki lotowe dla wybranej  pary"),
        }),
        Popup(u"Loty", {
            Item(kCmdAddFlight, u"Dodaj nowy lot"),
            Separator(),
            Item(kCmdEditFlight, u"Edytuj wybrany lot"),
            Item(kCmdDeleteFlight, u"Usuń wybrany lot"),
            Separator(),
            Item(kCmdAddFlightResult, u"Dodaj nowego lotnika do lotu"),
            Item(kCmdEditFlightResult, u"Edytuj wybranego lotnika"),
            Item(kCmdDeleteFlightResult, u"Usuń wybranego lotnika z lotu"),
            Separator(),
            Item(kCmdImportFlightResults, u"Importuj wyniki lotowe z pliku"),
        }),
        Popup(u"Transakcje", {
            Item(kCmdAddTransaction, u"Dodaj nową transakcje"),
            Separator(),
            Item(kCmdEditTransaction, u"Edytuj aktualną transakcje"),
            Item(kCmdDeleteTransaction, u"Usuń aktualną transakcje"),
            Separator(),
            Item(kCmdMonthlyReport, u"Wydruk raportu miesięcznego"),
        }),
        Popup(u"Klienci", {
            Item(kCmdAddClient, u"Dodaj nowego klienta"),
            Separator(),
            Item(kCmdManageClients, u"Zarządzaj listą klientów"),
        }),
        Popup(u"Wydruki", {
            Item(kCmdPrintCategoryList, u"Drukuj listę ptaków(aktualna kategoria)"),
            Separator(),
            Item(kCmdPrintIldList, u"Drukuj indywidualną listę ptaków(ILD)"),
            Separator(),
            Item(kCmdPrintLitterCardFromPrintouts, u"Drukuj kartę parowania"),
            Separator(),
            Item(kCmdPrintPedigree, u"Drukuj rodowód"),
            Separator(),
            Item(kCmdPrintOffspring, u"Drukuj potomstwo wybranego ptaka"),
            Separator(),
            Item(kCmdPrintSiblings, u"Drukuj rodzeństwo wybranego ptaka"),
            Separator(),
            Item(kCmdPrintFlightResults, u"Drukuj wyniki lotowe wybranego ptaka"),
        }),
        Popup(u"Narzędzia", {
            Item(kCmdCalculator, u"Kalkulator liczbowy"),
            Separator(),
            Item(kCmdSpeedCalculator, u"Kalkulator prędkości gołębi"),
            Separator(),
            Item(kCmdDistanceCalculator, u"Kalkulator odległości geograficznej"),
            Separator(),
            Item(kCmdBranchDirectory, u"Spis oddziałów PZHGP"),
            Separator(),
            Item(kCmdBestPigeons, u"Najlepsze gołębie w gołębniku"),
            Separator(),
            Item(kCmdBestPairs, u"Najlepsze pary w gołębniku"),
            Separator(),
        }),
        Popup(u"Konfiguracja", {
            Item(kCmdManageColours, u"Zarządzaj kolorami ptaków "),
            Separator(),
            Item(kCmdManageBreeds, u"Zarządzaj rasami ptaków"),
            Separator(),
            Item(kCmdManageStatuses, u"Zarządzaj statusami"),
            Separator(),
            Item(kCmdSetupListColumns, u"Ustaw kolumny na liście gołębi"),
        }),
        Popup(u"Pomoc", {
            Item(kCmdVisitWebPage, u"Odwiedź Strona WWW programu Ornivex"),
            Separator(),
            Item(kCmdLoftWebSite, u"TYLKO TU! Strona Internetowa Twojej Hodowli w 3 Minuty!"),
            Separator(),
            Item(kCmdHelpIntroduction, u"Wprowadzenie do programu Ornivex"),
            Separator(),
            Item(kCmdHelpAllTopics, u"Wyświetl wszystkie tematy pomocy"),
            Separator(),
            Item(kCmdAbout, u"O Programie..."),
        }),
    };
}

void CollectIds(const std::vector<MenuItemDef>& items, std::vector<int>& ids) {
    for (const MenuItemDef& item : items) {
        if (item.kind == MenuItemKind::Command) ids.push_back(item.id);
        else if (item.kind == MenuItemKind::Popup) CollectIds(item.children, ids);
    }
}

}  // namespace

const std::vector<MenuItemDef>& MainMenu() {
    static const std::vector<MenuItemDef> table = BuildMainMenu();
    return table;
}

const std::vector<MenuCommandImage>& MainMenuCommandImages() {
    // Registered in this order by the main window.
    static const std::vector<MenuCommandImage> images = {
        {kCmdAbout, 0},           {kCmdDeleteTransaction, 2}, {kCmdDeleteYoung, 2},
        {kCmdDeletePigeon, 2},    {kCmdAddPigeon, 7},         {kCmdAddLoft, 7},
        {kCmdAddClient, 7},       {kCmdAddPair, 7},           {kCmdAddTransaction, 7},
        {kCmdPrintCategoryList, 15}, {kCmdShowFamilyTree, 14}, {kCmdBackupDatabase, 1},
        {kCmdRestoreDatabase, 16}, {kCmdLoftWebSite, 13},     {kCmdManageClients, 9},
    };
    return images;
}

std::vector<int> MenuCommandIds(const std::vector<MenuItemDef>& table) {
    std::vector<int> ids;
    CollectIds(table, ids);
    return ids;
}

const MenuItemDef* FindMenuCommand(const std::vector<MenuItemDef>& table, int id) {
    for (const MenuItemDef& item : table) {
        if (item.kind == MenuItemKind::Command && item.id == id) return &item;
        if (item.kind == MenuItemKind::Popup) {
            if (const MenuItemDef* found = FindMenuCommand(item.children, id)) return found;
        }
    }
    return nullptr;
}
