#pragma once
// The web browser as an editor: design mode, the formatting commands of the notebook, saving the
// document under a name the user picks, and the document's HTML read back as text.
//
// Every operation works on the document shown at the moment it is called (waiting for a
// navigation still under way to finish); after a failed navigation nothing is edited or read.

#include "HtmlTextStream.h"
#include "WebBrowser2.h"

class CHtmlEditBrowser : public CWebBrowser2 {
    Q_OBJECT
public:
    explicit CHtmlEditBrowser(QWidget* parent = nullptr);

    // True when a document is shown and can be edited or read.
    bool AcquireDocument();

    // Text encoding assumed for documents that do not declare their own (the notebook asks for
    // "UTF-8").
    void SetCharset(const Text& charset);

    // Saves the document shown, as it stands with its edits, to a file chosen in the save dialog.
    // True when a file was written.
    bool SaveAs();

    // The document's HTML as it stands now. False, with `html` untouched, when there is no
    // document or it could not be read.
    bool GetHtmlText(Text& html);
};
