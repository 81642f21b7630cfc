#pragma once

#include <QProxyStyle>

// The menus' style: a disabled entry can still be highlighted, as in the
// original toolkit, so that its hint shows in the status bar.
class MenuStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};
