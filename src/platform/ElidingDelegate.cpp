#include "ElidingDelegate.h"

#include <QAbstractItemView>
#include <QStyle>

ElidingDelegate::ElidingDelegate(QAbstractItemView* view,
                                 std::function<const TextElider*(int column)> eliderOf)
    : QStyledItemDelegate(view), view_(view), eliderOf_(std::move(eliderOf)) {}

QString ElidingDelegate::ShownText(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    return item.fontMetrics.elidedText(item.text, item.textElideMode, TextWidth(item));
}

void ElidingDelegate::initStyleOption(QStyleOptionViewItem* option,
                                      const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // Only an item being drawn has its place; measuring takes the whole text.
    const TextElider* elider = eliderOf_ ? eliderOf_(index.column()) : nullptr;
    if (!elider || !*elider || !option->rect.isValid()) return;
    option->text = (*elider)(option->text, option->fontMetrics, TextWidth(*option));
}

int ElidingDelegate::TextWidth(const QStyleOptionViewItem& option) const {
    const QStyle* style = view_->style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view_) + 1;
    return style->subElementRect(QStyle::SE_ItemViewItemText, &option, view_).width() -
           2 * margin;
}
