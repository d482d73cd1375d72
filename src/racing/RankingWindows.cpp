#include "RankingWindows.h"

#include "ListView.h"
#include "PictureBox.h"
#include "Resources.h"
#include "WindowHelpers.h"

QPixmap RankingDefaultPhoto() {
    const QPixmap bitmap = LoadBitmap(192);
    if (bitmap.isNull()) return bitmap;
    return bitmap.scaled(214, 148, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void ShowFirstPhoto(CPictureBox* picture, const PigeonRecord& bird, const QPixmap& fallback) {
    if (!picture) return;
    picture->displayMode = CPictureBox::kStretched;
    if (bird.photos.empty()) {
        picture->SetBitmap(fallback);
    } else {
        PhotoRecord photo = bird.photos.front();  // the path is built into the record
        picture->LoadFromFile(photo.GetEscapedFilePath());
    }
    picture->update();
}

void SetUpRankingList(ListView* list, const QFont& font, std::initializer_list<RankingColumn> columns,
                      bool plainText) {
    if (!list) return;
    list->setFont(font);
    list->SetGridLines(true);
    list->SetFullRowSelect(true);
    if (!plainText) list->SetTextColor(kRankingListTextColour);
    int index = 0;
    for (const RankingColumn& column : columns) {
        list->InsertColumn(index, column.heading, ListView::AlignLeft, column.width);
        if (column.bird) {
            list->SetColumnFit(index, ListView::ColumnFit::WhenRoom);
            list->SetColumnElider(index, ElideBirdText);
        }
        ++index;
    }
}
