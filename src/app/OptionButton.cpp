#include "app/OptionButton.h"

OptionButton::OptionButton(QWidget* parent) : QRadioButton(parent) {
    // A button group would refuse the state with every element off.
    setAutoExclusive(false);
}

void OptionButton::nextCheckState() {
    if (!isChecked()) {
        setChecked(true);
    }
}
