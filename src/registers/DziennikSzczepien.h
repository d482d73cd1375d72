#pragma once
// The flock's treatment log: the treatments, vaccinations and supplements given to the whole
// flock, with adding, changing and deleting. Row i shows element i of the data store's flock
// treatments, which this window keeps in step with the database.

#include "Dialog.h"

class ListView;

class CDziennikSzczepien : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 260;
    static constexpr int kList = 1048;
    static constexpr int kAdd = 1013;
    static constexpr int kEdit = 1014;
    static constexpr int kDelete = 1015;

    explicit CDziennikSzczepien(QWidget* parent = nullptr);

    // The row the commands act on; -1 none.
    int selectedRow = -1;

    ListView* TreatmentList() const;

    bool OnInitDialog() override;
    void OnAdd();
    void OnEdit();
    void OnDelete();

private:
    void OnSelectRow();
};
