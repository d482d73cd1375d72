#pragma once
// The application: refuses to run a second copy, lays out the install folder, connects the
// data store to it, and runs the main window until the user leaves the program.

#include <memory>

#include "SingleInstance.h"

class CMainApp {
public:
    CMainApp() = default;

    // Runs the program and returns the process's exit code: 0 when the main window was closed
    // and also when another copy is running (after telling the user so), 1 when the install
    // folder cannot be made or written, its disk has too little room to start, or a restore
    // cut short cannot be finished.
    int InitInstance();

private:
    // Held for as long as the program runs: one in the user's runtime folder, one in the db
    // folder of the install folder (taken once that folder is known).
    SingleInstance instance_;
    std::unique_ptr<SingleInstance> dataFolderLock_;
};
