#pragma once
// The editor of one transaction ("Nowa transakcja" / "Edycja transakcji"): its kind, the client
// and the bird (each found by a search box over its own list), or a free-text subject instead
// of a bird, the amount with its currency, the date and notes.
//
// The caller sets the edit flag and, to edit, the record; runs the window modally; after OK the
// record holds what was written (a new transaction's id included).

#include <QFont>
#include <string>
#include <vector>

#include "Dialog.h"
#include "Records.h"
#include "WindowHelpers.h"

class CDodajZmienTransakcje : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 150;
    // Controls.
    static constexpr int kKindCombo = 1047;
    static constexpr int kClientSearch = 1043;
    static constexpr int kClientList = 1021;
    static constexpr int kBirdSearch = 1191;
    static constexpr int kBirdList = 1000;
    static constexpr int kClientName = 1270;
    static constexpr int kClientAddress = 1262;
    static constexpr int kBirdName = 1253;
    static constexpr int kBirdColour = 1263;
    static constexpr int kAmount = 1048;
    static constexpr int kCurrencyCombo = 1049;
    static constexpr int kSubjectCombo = 1051;
    static constexpr int kOtherSubject = 1052;
    static constexpr int kNotes = 1050;
    static constexpr int kDay = 1053;
    static constexpr int kMonth = 1054;
    static constexpr int kYear = 1055;
    static constexpr int kPickDate = 1045;
    static constexpr int kSave = 1027;

    explicit CDodajZmienTransakcje(QWidget* parent = nullptr);

    EditorMode mode = EditorMode::Add;
    TransactionRecord record;      // the transaction edited; after OK, what was written
    int chosenClientId = -1;       // -1 none
    int chosenBirdId = -1;         // -1 none
    // The time of day kept with the date (not shown): the editor's opening time for a new
    // transaction, the stored one when editing.
    int hour = 0, minute = 0, second = 0;

    bool OnInitDialog() override;
    // Every way of confirming the window saves; none closes it as saved without saving.
    void OnOK() override;

    void OnClientSearchChanged();
    void OnBirdSearchChanged();
    void OnSelectClient();
    void OnSelectBird();
    void OnSubjectKindChanged();
    void OnPickDate();
    // Reads the fields, writes the transaction and closes with OK; a refused field or date
    // writes nothing and keeps the window open.
    void SaveTransaction();

    // What the list boxes show, in order.
    const std::vector<PersonRecord>& ShownClients() const { return shownClients_; }
    const std::vector<PigeonRecord>& ShownBirds() const { return shownBirds_; }

protected:
    void OnEraseBkgnd(Dc& dc) override;

private:
    void FillClientList();
    void FillBirdList();
    // Highlights the line of the list and scrolls to it.
    void ChooseLine(int listId, int line);
    // The client or bird chosen, shown beside its list; or none, the label asking for one.
    void ShowClient(const PersonRecord& client);
    void ShowNoClient();
    void ShowBird(const PigeonRecord& bird);
    void ShowNoBird();

    std::vector<PigeonRecord> allBirds_, shownBirds_;
    std::vector<PersonRecord> allClients_, shownClients_;
    QFont captionFont_;
    std::u16string noClientText_, noBirdText_;
    bool saving_ = false;
};
