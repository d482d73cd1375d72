#include "ImageCatalog.h"

const std::vector<BitmapInfo>& BitmapCatalog() {
    static const std::vector<BitmapInfo> catalog = {
        {133, 2005, 65, "header band of the dialogs, title written over it"},
        {141, 2005, 72, "main window's background band"},
        {142, 16, 16, "transactions page: beside the two add links"},
        {145, 2, 240, "vertical separator between columns of controls"},
        {147, 148, 1, "rule under headings"},
        {157, 187, 32, "notebook page: heading at the top left"},
        {158, 530, 327, "splash shown at start-up"},
        {159, 67, 66, "breeders and clients windows: top-left picture"},
        {160, 67, 66, "bird editor: top-left picture"},
        {161, 67, 66, "statuses and colour windows: top-left picture"},
        {162, 67, 66, "transaction editor: top-left picture"},
        {163, 187, 32, "transactions page: heading of the transaction links"},
        {164, 187, 32, "transactions page: heading of the client links"},
        {165, 516, 206, "start page: the five add links (rows of 30 px from y 54, x 40 to 350)"},
        {166, 516, 206, "start page: help and web links (rows of 30 px from y 69, x 40 to 350)"},
        {167, 367, 60, "start page: welcome heading"},
        {169, 365, 47, "start page: heading above the calendar"},
        {177, 67, 66, "about window: top-left picture"},
        {178, 67, 66, "help window: top-left picture"},
        {182, 16, 16, "pedigree: beside a father's button (male sign)"},
        {183, 16, 16, "pedigree: beside a mother's button (female sign)"},
        {185, 278, 16, "menu command images, 17 cells of 16 x 16 on RGB(192,192,192)"},
        {187, 16, 16, "transactions page: beside the delete link"},
        {188, 16, 16, "transactions page: beside the report link"},
        {189, 16, 16, "transactions page: beside the clients link"},
        {192, 303, 231, "no photo placeholder (bird editor, pairs, flights)"},
        {193, 214, 148, "no photo placeholder (bird list)"},
        {200, 48, 48, "preview tab 1: the bird"},
        {201, 48, 48, "preview tab 1: the parents"},
        {223, 48, 48, "preview tab 1: results and speed"},
        {227, 48, 48, "preview tab 3: partners and young"},
        {228, 48, 48, "preview tab 2: family tree"},
        {230, 48, 48, "preview tab 4: brothers and sisters"},
        {233, 48, 48, "preview tab 5: flights"},
        {234, 350, 40, "start page: heading of the branch search"},
        {251, 520, 86, "start page: auction link banner"},
        {253, 30, 365, "pair editor: vertical tabs, 105, 130 and 130 px, open to the left"},
        {12900, 187, 32, "bird list page: heading over the links"},
        {12901, 16, 16, "bird list page: beside the edit link"},
        {12902, 16, 16, "bird list page: beside the move link"},
        {12903, 16, 16, "bird list page: beside the family tree link"},
        {12904, 16, 16, "bird list page: beside the pedigree link"},
    };
    return catalog;
}

const std::vector<NamedBitmapInfo>& NamedBitmapCatalog() {
    static const std::vector<NamedBitmapInfo> catalog = {
        {"tabs-1151", 718, 22,
         "bird list: preview tab strip of control 1151; tabs 110, 180, 165, 130, 133 px"},
    };
    return catalog;
}

const std::vector<int>& ProgramIconSizes() {
    static const std::vector<int> sizes = {16, 32, 48, 256};
    return sizes;
}
