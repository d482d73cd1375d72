#pragma once
// The loft and category edits that the main window and the loft manager share: each asks with
// its editor, writes through the data store and changes the store's lofts only when the database
// accepted the change. Each returns true when something was written; the caller then brings its
// own lists in step.

#include <string>

#include "Records.h"

class QWidget;

// A new loft; the data store appends it to its lofts. `added` receives it.
bool AddLoftWithEditor(QWidget* parent, const std::u16string& title, LoftRecord& added);
// The loft at `loftIndex` renamed or described anew.
bool EditLoftWithEditor(QWidget* parent, const std::u16string& title, int loftIndex);
// A new category of the loft at `loftIndex`, appended to that loft's categories.
bool AddCategoryWithEditor(QWidget* parent, const std::u16string& title, int loftIndex,
                           CategoryRecord& added);
// The category at `categoryIndex` of the loft at `loftIndex` renamed or described anew.
bool EditCategoryWithEditor(QWidget* parent, const std::u16string& title, int loftIndex,
                            int categoryIndex);
// Deletes the category (with its membership rows) and removes it from its loft's categories.
bool DeleteCategoryAt(int loftIndex, int categoryIndex);

// Birds that belong to the loft (by id), counted in the data store's birds, so the count follows
// every add, delete and move at once.
int PigeonCountOfLoft(int loftId);

// The questions asked before a loft or a category is deleted (Yes and No, No the default); each
// says how many birds would lose their place. True when the user said yes.
bool ConfirmLoftDelete(QWidget* parent, int loftIndex);
bool ConfirmCategoryDelete(QWidget* parent, int loftIndex, int categoryIndex);
