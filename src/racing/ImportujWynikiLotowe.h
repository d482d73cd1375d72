#pragma once
// The window for importing a flight's results from a contest-list file ("Import wyników z listy
// konkursowej"). Reading such files is not built: a chosen file is answered with the request to
// save it as UNICODE, and the results list stays empty.

#include "Dialog.h"

class CImportujWynikiLotowe : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 259;
    static constexpr int kFileEdit = 1036;
    static constexpr int kChooseFileButton = 1226;
    static constexpr int kProcessButton = 1100;
    static constexpr int kResultList = 1227;
    static constexpr int kAddToFlightButton = 1225;

    explicit CImportujWynikiLotowe(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void OnChooseFile();
};
