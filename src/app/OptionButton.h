#pragma once
// One element of an array of option buttons whose elements the window keeps apart itself:
// choosing one clears the others, and both may be off (a configuration stored with
// neither). A click turns an element on and never off again, as with linked radio
// buttons; only code turns it off.

#include <QRadioButton>

class OptionButton : public QRadioButton {
    Q_OBJECT

public:
    explicit OptionButton(QWidget* parent = nullptr);

protected:
    void nextCheckState() override;
};
