#pragma once
// The SQL console: one statement typed by the user, run on the chosen database file. Nothing is
// shown when it succeeds; when SQLite refuses it, SQLite's own message is shown, so a typing
// error never looks like a change that was made. The console writes behind the data store's
// back, so it tells its opener when a statement may have changed a file.

#include <string>

#include "Dialog.h"

class CKonsolaSQL : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 249;
    static constexpr int kFileCombo = 1198;
    static constexpr int kSqlEdit = 1036;
    static constexpr int kRunButton = 1099;

    explicit CKonsolaSQL(QWidget* parent = nullptr);

    std::u16string sql;
    // A statement that writes ran on a file: whoever opened the console loads the files again.
    bool changedFiles = false;

    // The file is chosen by the user every time: no file is chosen when the window opens.
    bool OnInitDialog() override;

    // Button 1099: runs the text on the chosen file; the window stays open.
    void OnRunQuery();
};
