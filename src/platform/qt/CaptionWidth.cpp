#include "platform/qt/CaptionWidth.h"

#include <QFontMetrics>
#include <QWidget>
#include <algorithm>

namespace platform {

void fitWidthToCaption(QWidget& window) {
    // Title bars commonly draw in a bold face of the application font; the buttons and the
    // icon take about one line height each.
    QFont titleFont = window.font();
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    constexpr int kTitleBarButtons = 6;
    const int needed =
        metrics.horizontalAdvance(window.windowTitle()) + kTitleBarButtons * metrics.height();
    window.setMinimumWidth(std::max(window.minimumWidth(), needed));
}

}  // namespace platform
