#include "window/MenuStyle.h"

int MenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const {
    if (hint == SH_Menu_AllowActiveAndDisabled)
        return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
