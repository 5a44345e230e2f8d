#include "app/OptionButton.h"

#include <QKeyEvent>

OptionButton::OptionButton(QWidget* parent) : QRadioButton(parent) {
    // A button group would refuse the state with every element off.
    setAutoExclusive(false);
    connect(this, &QAbstractButton::toggled, this, [this] { updateTabStop(); });
}

void OptionButton::nextCheckState() {
    if (!isChecked()) {
        setChecked(true);
    }
}

QList<OptionButton*> OptionButton::group() const {
    if (parentWidget() == nullptr) {
        return {const_cast<OptionButton*>(this)};
    }
    return parentWidget()->findChildren<OptionButton*>(objectName(), Qt::FindDirectChildrenOnly);
}

void OptionButton::updateTabStop() const {
    const QList<OptionButton*> elements = group();
    OptionButton* stop = elements.isEmpty() ? nullptr : elements.front();
    for (OptionButton* element : elements) {
        if (element->isChecked()) {
            stop = element;
            break;
        }
    }
    for (OptionButton* element : elements) {
        element->setFocusPolicy(element == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void OptionButton::keyPressEvent(QKeyEvent* event) {
    int step = 0;
    switch (event->key()) {
        case Qt::Key_Right:
        case Qt::Key_Down:
            step = 1;
            break;
        case Qt::Key_Left:
        case Qt::Key_Up:
            step = -1;
            break;
        default:
            QRadioButton::keyPressEvent(event);
            return;
    }
    const QList<OptionButton*> elements = group();
    const auto count = elements.size();
    const auto at = elements.indexOf(this);
    for (qsizetype i = 1; i < count; ++i) {
        OptionButton* next = elements[((at + step * i) % count + count) % count];
        if (next->isEnabled() && next->isVisible()) {
            next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            next->click();
            return;
        }
    }
}
