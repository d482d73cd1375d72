#pragma once
// The bird editor's documents: the list of the bird's stored documents, adding one (the file is
// copied under the documents folder), deleting one (row and file) and opening one with the
// desktop's program for it. Additions and deletions are stored at once. Row i of the list is
// document i of the record.

#include "DodajGolebiaPage.h"

class ListView;

class CDodajGolebiaTab4 : public CDodajGolebiaPage {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 212;
    static constexpr int kDocumentList = 1037;
    static constexpr int kAddDocument = 1061;
    static constexpr int kDeleteDocument = 1062;
    static constexpr int kOpenDocument = 1147;

    static const char16_t* const kOpenFilter;

    explicit CDodajGolebiaTab4(PigeonRecord& record, QWidget* parent = nullptr);

    // The document chosen in the list; -1 none.
    int selectedDocument = -1;

    ListView* DocumentList() const;

    bool OnInitDialog() override;
    void RecordReplaced() override;

    void OnAddDocument();
    void OnDeleteDocument();
    void OnOpenDocument();

private:
    void OnSelectDocument();
    void FillList();
    void AppendRow(const DocumentRecord& document);
};
