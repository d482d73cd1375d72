#pragma once
// The bird editor: a new bird, or a change to a stored one, on six tab pages that all edit the
// editor's one record. On OK the pages hand their fields to the record and the record is written
// through to the bird file; a new bird also gets a row on the bird list page and a place in the
// current category.
//
// The opener constructs it, sets the mode members (and `onBirdAdded` when adding, `record` when
// editing), runs it modally and destroys it.

#include <functional>
#include <string>

#include "Dialog.h"
#include "Records.h"
#include "WindowHelpers.h"

class CDodajGolebiaTab1;
class CDodajGolebiaTabCtrl;

class CDodajGolebia : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 171;
    static constexpr int kTabControl = 1245;
    static constexpr int kKeepOpenBox = 1055;
    static constexpr int kKeepOpenLabel = 1270;
    static constexpr int kHelpButton = 1114;

    explicit CDodajGolebia(QWidget* parent = nullptr);

    // Called with each bird added (add mode only): the bird list page gives it a row.
    std::function<void(const PigeonRecord&)> onBirdAdded;
    // The bird being edited. A new bird: as constructed. A change: a copy of the stored bird.
    PigeonRecord record;
    // 1 shows the box that keeps the window open after each bird added.
    int showKeepOpenBox = 0;
    // Adds a bird, or changes the bird in `record`.
    EditorMode mode = EditorMode::Add;

    CDodajGolebiaTabCtrl* TabCtrl() const;
    CDodajGolebiaTab1* Tab1() const;
    // The title painted in the header band.
    std::u16string HeaderTitle() const;

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

protected:
    void OnEraseBkgnd(Dc& dc) override;

private:
    bool HeaderNamesBird() const;
    // Every page's fields into `bird`, in page order; false when a page refused.
    bool CollectPages(PigeonRecord& bird);
    bool AddBird();
    bool SaveChanges();
    // False when another bird of the loft wears the bird's whole ring and the user, asked,
    // does not want it saved.
    bool RingMayBeSaved(const PigeonRecord& bird);

    CDodajGolebiaTabCtrl* tabCtrl_ = nullptr;
};
