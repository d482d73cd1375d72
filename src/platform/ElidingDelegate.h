#pragma once
// How an item view (a list view's column, a list box) cuts a text too long for its place: by the
// view's own rule when it has one, else at the end with "…" as the style cuts.

#include <QStyledItemDelegate>
#include <functional>

// Given the text, the font's metrics and the width the text has, the text to show.
using TextElider =
    std::function<QString(const QString& text, const QFontMetrics& metrics, int width)>;

class ElidingDelegate : public QStyledItemDelegate {
public:
    // `eliderOf` gives the rule of a column, or null for the style's own cut.
    ElidingDelegate(QAbstractItemView* view, std::function<const TextElider*(int column)> eliderOf);

    // The text as the style draws it in the place `option` gives.
    QString ShownText(const QStyleOptionViewItem& option, const QModelIndex& index) const;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    // The width the style gives the text inside the item's place, less its margins on both sides.
    int TextWidth(const QStyleOptionViewItem& option) const;

    QAbstractItemView* view_;
    std::function<const TextElider*(int column)> eliderOf_;
};
