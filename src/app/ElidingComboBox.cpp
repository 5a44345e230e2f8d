#include "app/ElidingComboBox.h"

#include <QAbstractItemView>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <algorithm>

ElidingComboBox::ElidingComboBox(QWidget* parent) : QComboBox(parent) {
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
    view()->setTextElideMode(Qt::ElideNone);
}

void ElidingComboBox::showPopup() {
    // Wide enough for the longest entry, but never wider than the screen.
    const int needed = view()->sizeHintForColumn(0) + 2 * view()->frameWidth() +
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
    const int room = screen() ? screen()->availableGeometry().width() : needed;
    view()->setMinimumWidth(std::min(std::max(needed, width()), room));
    // An entry wider than the screen shows whole in its tool tip.
    for (int i = 0; i < count(); ++i) {
        const bool cut = fontMetrics().horizontalAdvance(itemText(i)) > room - 40;
        setItemData(i, cut ? itemText(i) : QString(), Qt::ToolTipRole);
    }
    QComboBox::showPopup();
}

void ElidingComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect text =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    option.currentText = fontMetrics().elidedText(option.currentText, Qt::ElideRight, text.width());
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}
