#pragma once
// The bridge between Qt's menus and the item painting of MenuXP.h: a style installed on a
// window's menu bar and its menus that sizes every converted item by CMenuXP::MeasureItem and
// paints it by CMenuXP::DrawItem. CMenuXP::AttachToWindowMenus also converts each pop-up before
// it shows and installs the key filter that answers letters typed in an open pop-up through
// CMenuXP::MenuChar (the menu bar's Alt+letter stays Qt's).

#include <QProxyStyle>

class CMenuXPStyle : public QProxyStyle {
    Q_OBJECT
public:
    CMenuXPStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};
