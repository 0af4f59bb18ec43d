#pragma once

#include <QProxyStyle>

// The tool's lists run long (995 override times, 105 dimmer levels, 256 light levels). Styles
// that open a list over its current entry ignore the visible-row limit and show a list as tall
// as the screen; this one opens every list below its box, about twenty rows high, scrolled.
class ListPopupStyle : public QProxyStyle
{
public:
    static constexpr int VisibleRows = 20;

    using QProxyStyle::QProxyStyle;
    // Becomes the application's style around the one it would use: the desktop's, or the one
    // that -style or QT_STYLE_OVERRIDE names.
    static void install();
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr,
                  const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    void polish(QWidget *widget) override;
    using QProxyStyle::polish;
};
