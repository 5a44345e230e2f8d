#pragma once
// A drop-down list whose width does not follow its entries: a long entry is cut short with
// "..." in the closed list, and the open list is as wide as its longest entry needs, within
// the screen; an entry longer than the screen is wide shows whole in its tool tip. A
// configuration name of any length then cannot push the window off the screen.

#include <QComboBox>

class ElidingComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit ElidingComboBox(QWidget* parent = nullptr);

    void showPopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
