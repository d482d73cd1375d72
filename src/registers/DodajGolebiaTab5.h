#pragma once
// The bird editor's treatments, vaccinations and supplements: the list of the bird's
// treatments and adding, changing and deleting one. The treatment editor stores additions and
// changes itself; deletions are stored here; all of them at once. Row i of the list is
// treatment i of the record.

#include "DodajGolebiaPage.h"

class ListView;

class CDodajGolebiaTab5 : public CDodajGolebiaPage {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 213;
    static constexpr int kTreatmentList = 1048;
    static constexpr int kAdd = 1013;
    static constexpr int kEdit = 1014;
    static constexpr int kDelete = 1015;

    explicit CDodajGolebiaTab5(PigeonRecord& record, QWidget* parent = nullptr);

    // The treatment chosen in the list; -1 none.
    int selectedTreatment = -1;

    ListView* TreatmentList() const;

    bool OnInitDialog() override;
    void RecordReplaced() override;

    // Writes one row: -1 appends.
    void SetTreatmentRow(int row, const TreatmentRecord& treatment);
    void OnAddTreatment();
    void OnEditTreatment();
    void OnDeleteTreatment();

private:
    void OnSelectTreatment();
};
