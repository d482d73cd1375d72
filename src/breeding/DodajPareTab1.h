#pragma once
// The pair editor's summary panel of one bird: its breeder, breed, line, colour and short
// description.

#include <QFont>

#include "Dialog.h"

class CDodajPareTab1 : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 252;
    static constexpr int kBreed = 1207;
    static constexpr int kDescription = 1208;
    static constexpr int kLine = 1209;
    static constexpr int kColour = 1210;
    static constexpr int kBreeder = 1212;

    explicit CDodajPareTab1(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void ShowPigeon(int id);

protected:
    // The panel lies on the editor's white face and paints no background of its own.
    void OnEraseBkgnd(Dc&) override {}

private:
    QFont font_;
};
