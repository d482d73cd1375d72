#pragma once
// Preview tab 1, under the bird list: the selected bird's ring text and name, its father and
// mother, its short description (changed here with the "..." button), the number of its flight
// results and its average speed.

#include <QFont>
#include <QPointer>
#include <QRect>
#include <utility>
#include <vector>

#include "Dialog.h"
#include "Records.h"

class CPanelPodgladuTab1 : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 180;
    static constexpr int kBirdLabel = 1121;
    static constexpr int kFatherLabel = 1122;
    static constexpr int kMotherLabel = 1123;
    static constexpr int kDescriptionLabel = 1174;
    static constexpr int kSpeedLabel = 1184;
    static constexpr int kFlightCountLabel = 1186;
    static constexpr int kFamilyTreeButton = 1125;
    static constexpr int kEditDescriptionButton = 1127;
    // The "Śr. Prędk" box, in client pixels of the template's width: a click there opens the
    // bird's speed. A wider tab moves it right with the other figures (SpeedBox()).
    static constexpr Rect kSpeedBox{755, 10, 810, 65};
    // Where the figures begin in the template: the "Konkursy" box and all right of it keep to the
    // tab's right edge, while the texts left of them take the room a wider tab gives.
    static constexpr int kFiguresLeft = 688;

    explicit CPanelPodgladuTab1(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    // Shows the bird of that id; -1 shows that no bird is chosen.
    void ShowPigeon(int id);
    int ShownPigeonId() const { return shownPigeonId_; }

    // The speed box where it is now drawn.
    Rect SpeedBox() const;

    // The bird's average speed in whole metres per minute over its loaded results (0 without).
    static int AverageSpeed(const PigeonRecord& bird);

    void OnEditDescription();
    void OnFamilyTree();

protected:
    void OnEraseBkgnd(Dc& dc) override;
    void OnLButtonDown(const QPoint& point) override;
    void OnSize(int type, int width, int height) override;

private:
    // The controls where the template put them, and the template's width.
    std::vector<std::pair<QPointer<QWidget>, QRect>> templatePlaces_;
    int templateWidth_ = 0;
    int extraWidth_ = 0;

    QFont birdFont_;
    QFont parentFont_;
    QFont descriptionFont_;
    QFont numberFont_;
    int shownPigeonId_ = -1;
};
