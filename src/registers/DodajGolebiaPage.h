#pragma once
// One page of the bird editor (CDodajGolebia). Every page edits the editor's one record: pages
// that change it at once (parents, photos, documents, treatments) hold a reference to it, and
// pages that keep their own copies of texts take them when the editor opens and hand them back
// when the user confirms.
//
// Enter and Escape on a page close nothing and never reach the editor (the platform stops them
// at every page).

#include "Dialog.h"
#include "Records.h"

class CDodajGolebiaPage : public Dialog {
    Q_OBJECT
public:
    CDodajGolebiaPage(int templateId, PigeonRecord& record, QWidget* parent = nullptr);

    // The editor opens: the page shows what it shows of the record. Runs after the page was
    // created; `editMode` false is a new bird.
    virtual void ShowRecord(bool editMode) {}
    // The user confirmed: the page puts what it holds into `target`. False when something the
    // user typed cannot be stored; the page has told the user and nothing may be written then.
    virtual bool CollectInto(PigeonRecord& target) { return true; }
    // The editor's record became another bird (a bird was added and the window stays open):
    // pages that list the record's photos, documents or treatments list them again.
    virtual void RecordReplaced() {}

    void OnOK() override {}
    void OnCancel() override {}

protected:
    // The loft that attachments and treatments added here belong to: the current loft, or the
    // bird's own when no loft is chosen.
    int AttachmentLoftId() const;

    PigeonRecord& record_;
};
