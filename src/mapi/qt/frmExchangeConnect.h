#pragma once
// The progress window shown while the folder browser logs on and reads the folders: one
// message line and an animated picture, centred over the main window and above all other
// windows while it is open. The browser blocks the user-interface thread meanwhile, so the
// window and its animation move on only when the browser refreshes it.

#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>

#include "mapi/ConnectProgress.h"
#include "mapi/qt/ExchangeFolderIcons.h"

class QFrame;
class QLabel;
class QTimer;

class frmExchangeConnect final : public QWidget, public mapi::ConnectProgress {
    Q_OBJECT

public:
    // Opens the window (Form_Load) centred over `mainWindow`; it is shown by show().
    explicit frmExchangeConnect(QWidget& mainWindow);
    ~frmExchangeConnect() override;

    // Shows the next animation frame: 0, 1, ... 7, 0, 1, ...
    void IconTimer_ThatTime();

    // mapi::ConnectProgress: paints the window now and lets the animation catch up;
    // closing stops the animation and takes the window off the top.
    void refresh() override;
    void dismiss() override;

    QFrame* Frame1 = nullptr;
    QLabel* lblMessageA = nullptr;
    QLabel* Image1 = nullptr;
    std::array<QPixmap, mapiqt::kSleepFrames> SleepIcon;
    // Exists while the window is open.
    QTimer* IconTimer = nullptr;
    std::int16_t FrameIndex = 0;

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load(QWidget& mainWindow);
    void Form_Unload();
    void centreOver(QWidget& mainWindow);

    QPointer<QWidget> mainWindow_;
    bool framed_ = false;
};
