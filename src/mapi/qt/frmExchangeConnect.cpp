#include "mapi/qt/frmExchangeConnect.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "mapi/ExchangeWindowGeometry.h"
#include "platform/AppInfo.h"
#include "platform/WindowPlacement.h"
#include "platform/qt/WindowTopmost.h"

namespace {

constexpr int kFrameMilliseconds = 100;

double twipsPerPixel(const QWidget& window) {
    const QScreen* screen = window.screen();
    return platform::twipsPerPixel(screen ? screen->logicalDotsPerInch() : 96.0);
}

}  // namespace

frmExchangeConnect::frmExchangeConnect(QWidget& mainWindow)
    // A window of its own rather than a child of the main window, which is disabled while
    // the browser opens and would grey it out.
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("frmExchangeConnect");
    setWindowTitle(QString::fromLatin1(platform::kApplicationTitle));
    setAttribute(Qt::WA_ShowWithoutActivating);

    Frame1 = new QFrame(this);
    Frame1->setObjectName("Frame1");
    Frame1->setFrameShape(QFrame::StyledPanel);
    Image1 = new QLabel(Frame1);
    Image1->setObjectName("Image1");
    Image1->setFixedSize(16, 16);
    lblMessageA = new QLabel(Frame1);
    lblMessageA->setObjectName("lblMessageA");
    lblMessageA->setWordWrap(true);
    // The size is fixed when the window opens, before the message is put in: room for four
    // lines of it.
    lblMessageA->setFixedSize(300, lblMessageA->fontMetrics().lineSpacing() * 4);
    lblMessageA->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* row = new QHBoxLayout(Frame1);
    row->addWidget(Image1, 0, Qt::AlignVCenter);
    row->addSpacing(8);
    row->addWidget(lblMessageA, 1);
    auto* window = new QVBoxLayout(this);
    window->addWidget(Frame1);
    setFixedSize(sizeHint());

    for (int i = 0; i < mapiqt::kSleepFrames; ++i) {
        SleepIcon[i] = mapiqt::SleepFrame(i, devicePixelRatioF());
    }
    Image1->setPixmap(SleepIcon[0]);
    Form_Load(mainWindow);
}

frmExchangeConnect::~frmExchangeConnect() {
    Form_Unload();
}

void frmExchangeConnect::Form_Load(QWidget& mainWindow) {
    mainWindow_ = &mainWindow;
    centreOver(mainWindow);
    IconTimer = new QTimer(this);
    connect(IconTimer, &QTimer::timeout, this, [this] { IconTimer_ThatTime(); });
    IconTimer->start(kFrameMilliseconds);
    platform::setWindowTopmost(*this, true);
    // Kept above the main window by the window system too.
    winId();
    if (mainWindow.window()->windowHandle()) {
        windowHandle()->setTransientParent(mainWindow.window()->windowHandle());
    }
}

void frmExchangeConnect::centreOver(QWidget& mainWindow) {
    const double scale = twipsPerPixel(mainWindow);
    const QRect main = mainWindow.window()->frameGeometry();
    const QSize own = frameGeometry().size();
    const auto twips = [scale](int pixels) { return static_cast<float>(pixels * scale); };
    const mapi::TwipsRect place = mapi::CentredOver(
        {twips(main.x()), twips(main.y()), twips(main.width()), twips(main.height())},
        twips(own.width()), twips(own.height()));
    move(static_cast<int>(std::lround(place.left / scale)),
         static_cast<int>(std::lround(place.top / scale)));
}

void frmExchangeConnect::IconTimer_ThatTime() {
    if (FrameIndex > mapiqt::kSleepFrames - 1) {
        FrameIndex = 0;
    }
    Image1->setPixmap(SleepIcon[FrameIndex]);
    ++FrameIndex;
}

void frmExchangeConnect::refresh() {
    repaint();
    // The window system maps and paints the window, and the timer's ticks due meanwhile
    // arrive; the user's input waits for the browser.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmExchangeConnect::dismiss() {
    Form_Unload();
    hide();
}

void frmExchangeConnect::paintEvent(QPaintEvent* event) {
    // The window system adds the frame when it first shows the window (X11: only then),
    // which moves the window off the centre by the frame's size: centred again by its frame.
    if (!framed_ && mainWindow_) {
        framed_ = true;
        centreOver(*mainWindow_);
    }
    QWidget::paintEvent(event);
}

void frmExchangeConnect::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void frmExchangeConnect::Form_Unload() {
    if (IconTimer == nullptr) {
        return;
    }
    IconTimer->stop();
    delete IconTimer;
    IconTimer = nullptr;
    platform::setWindowTopmost(*this, false);
}
