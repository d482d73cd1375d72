#pragma once
// The common form of the statuses window and the dictionary window: a list of every name of one
// dictionary of the data store, in ascending id order, with a field and "Dodaj" to add a name
// and "Usuń z listy" to remove the chosen one. Row i of the list is the i-th entry of the
// dictionary's name map; row 0 is the map's blank entry (id 0) and is never removed.
//
// Names are shared by all lofts; a new one is stored with the current loft's id (without a
// current loft the user is told to choose one). A name the dictionary already holds is refused
// by the database and nothing changes. Enter adds, as "Dodaj" does; the window stays open.

#include <string>

#include "DataStore.h"
#include "Dialog.h"

class ListBoxControl;

class NameDictionaryDialog : public Dialog {
    Q_OBJECT
public:
    std::u16string newName;  // the field beside "Dodaj"

    void OnAdd();
    void OnRemove();

    ListBoxControl* NameList() const;
    // Id of the map entry shown in `row`; -1 when there is no such row.
    int EntryIdAtRow(int row) const;

    bool OnInitDialog() override;

protected:
    struct Ids {
        int edit, list, add, remove;
    };
    NameDictionaryDialog(int templateId, Ids ids, std::u16string headerTitle, QWidget* parent);

    // The dictionary this window manages.
    virtual const NameMap& Names() const = 0;
    virtual bool AddName(int loftId, const Text& name) = 0;
    virtual bool DeleteName(int id) = 0;

    void FillList();
    void OnEraseBkgnd(Dc& dc) override;

private:
    Ids ids_;
    std::u16string headerTitle_;
};
