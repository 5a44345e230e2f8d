#pragma once
// One element of an array of option buttons whose elements the window keeps apart itself:
// choosing one clears the others, and both may be off (a configuration stored with
// neither). A click turns an element on and never off again, as with linked radio
// buttons; only code turns it off.
//
// The elements with the same name under one parent form one group for the keyboard, as
// desktop users expect of radio buttons: one Tab stop (the element that is on, else the
// first), and the arrow keys move to the next or previous element and turn it on.

#include <QList>
#include <QRadioButton>

class OptionButton : public QRadioButton {
    Q_OBJECT

public:
    explicit OptionButton(QWidget* parent = nullptr);

protected:
    void nextCheckState() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QList<OptionButton*> group() const;
    void updateTabStop() const;
};
