#pragma once
// The about box: the program's banner, picture and a few words about the program. It has no
// buttons; its close box (or Escape) closes it.

#include <QFont>

#include "Dialog.h"

class COprogramie : public Dialog {
    Q_OBJECT
public:
    enum { IDD = 176 };
    static constexpr int kText = 1270;
    static constexpr const char16_t* kTitle = u"O programie Ornivex 6";

    explicit COprogramie(QWidget* parent = nullptr);

    bool OnInitDialog() override;

protected:
    void OnEraseBkgnd(Dc& dc) override;

private:
    QFont textFont_;
    QFont nameFont_;
};
