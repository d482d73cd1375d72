#pragma once
// The common form of the breeders manager and the clients manager: every person of the kind in
// a list, with buttons to add, change and delete a person and to close the window.
//
// Rows are mapped to person ids (`rowMap`); the list is rebuilt in ascending id order when the
// window opens and after a delete, a new person's row is appended, a changed one rewritten.
// Only stored persons (id above 0) are listed.

#include <map>
#include <memory>
#include <string>

#include "DataStore.h"
#include "Dialog.h"

class ListView;
class PersonEditor;

class PersonManager : public Dialog {
    Q_OBJECT
public:
    static constexpr int kChangeButton = 1031;
    static constexpr int kCloseButton = 1023;

    int selectedRow = -1;        // the row last clicked, -1 none
    std::map<int, int> rowMap;   // list row -> person id

    bool OnInitDialog() override;
    // Row -1 appends a row for the person; otherwise rewrites that row.
    void SetPersonRow(int row, const PersonRecord& person);
    void OnListClick();
    void AddPerson();
    void EditPerson();
    void DeletePerson();

    ListView* PersonList() const;

protected:
    struct Ids {
        int list, add, remove;
    };
    PersonManager(int templateId, Ids ids, std::u16string headerTitle, QWidget* parent);

    virtual const PersonMap& Persons() const = 0;
    virtual std::unique_ptr<PersonEditor> MakeEditor() = 0;
    virtual bool WritePerson(WriteMode mode, PersonRecord& person) = 0;

    void OnEraseBkgnd(Dc& dc) override;

private:
    void FillList();
    Ids ids_;
    std::u16string headerTitle_;
};
