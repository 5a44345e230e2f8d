#include "mapi/qt/frmMSExFolderSelect.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>
#include <cmath>

#include "lang/modMessages.h"
#include "mapi/ExchangeFolderWalk.h"
#include "mapi/ExchangeWindowGeometry.h"
#include "mapi/RandomKey.h"
#include "mapi/qt/QtFolderTree.h"
#include "mapi/qt/frmExchangeConnect.h"
#include "mapi/qt/modWndHook.h"
#include "platform/Help.h"
#include "platform/Prompts.h"
#include "platform/WindowPlacement.h"
#include "platform/qt/WindowTopmost.h"

using modMessages::Message;

namespace {

// The property that holds a window's or control's help topic, as the main window's have.
constexpr const char* kHelpContextID = "HelpContextID";
constexpr int kHelpContext = 21140;
// The size the browser opens at: its client area above the status bar, in twips.
constexpr double kStartWidthTwips = 5400;
constexpr double kStartHeightTwips = 5700;

QString text(modMessages::MessageKey key) {
    return QString::fromStdString(Message(key));
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

}  // namespace

frmMSExFolderSelect::frmMSExFolderSelect(const ExFolderTarget& target)
    // Not a child of the main window, which is disabled while the browser is open.
    : QDialog(nullptr), target_(target) {
    setObjectName("frmMSExFolderSelect");
    createControls();
}

frmMSExFolderSelect::~frmMSExFolderSelect() {
    Form_Unload();
}

std::string frmMSExFolderSelect::strRandomKey() {
    return mapi::strRandomKey();
}

void frmMSExFolderSelect::createControls() {
    clientArea = new QWidget(this);
    clientArea->setObjectName("clientArea");
    tvExchangeFoldersList = new QTreeWidget(clientArea);
    tvExchangeFoldersList->setObjectName("tvExchangeFoldersList");
    tvExchangeFoldersList->setHeaderHidden(true);
    tvExchangeFoldersList->setColumnCount(1);
    tvExchangeFoldersList->setIconSize(QSize(16, 16));
    tvExchangeFoldersList->setRootIsDecorated(true);
    keySelect = new QPushButton(clientArea);
    keySelect->setObjectName("keySelect");
    keySelect->setDefault(true);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(clientArea, 1);
    layout->addWidget(StatusBar1);
    setTabOrder(tvExchangeFoldersList, keySelect);
    clientArea->installEventFilter(this);

    connect(tvExchangeFoldersList, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node) { tvExchangeFoldersList_NodeClick(node); });
    // A click on the node that is current already changes nothing, and is a click still.
    connect(tvExchangeFoldersList, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { tvExchangeFoldersList_NodeClick(node); });
    connect(tvExchangeFoldersList, &QTreeWidget::itemDoubleClicked, this,
            [this] { tvExchangeFoldersList_DblClick(); });
    connect(keySelect, &QPushButton::clicked, this, [this] { keySelect_Click(); });

    const double twipsPerPixel = platform::twipsPerPixel(screen()->logicalDotsPerInch());
    resize(static_cast<int>(std::lround(kStartWidthTwips / twipsPerPixel)),
           static_cast<int>(std::lround(kStartHeightTwips / twipsPerPixel)) +
               StatusBar1->sizeHint().height());
}

void frmMSExFolderSelect::applyTexts() {
    setWindowTitle(text("strToolBar"));
    keySelect->setText(text("strSelect"));
}

bool frmMSExFolderSelect::Form_Load() {
    setProperty(kHelpContextID, kHelpContext);
    SelectedKey = "Root";
    applyTexts();
    if (target_.txtUserName->text().isEmpty()) {
        platform::prompts().messageBox(Message("strNoProfile"), platform::msgbox::kExclamation, "");
        Form_Unload();
        return false;
    }
    showProgress();

    modWndHook::MinTrackSize = {300, 300};
    modWndHook::MaxTrackSize = {2000, 2000};
    modWndHook::HookedWindow = this;
    modWndHook::InstallSizeHook();

    mapiqt::QtFolderTree tree(*tvExchangeFoldersList, ExhangeFolderIcons);
    mapi::ExchangeFolderWalk walk(tree, *progress);
    const auto outcome = walk.Open(target_.txtUserName->text().toStdString());
    progress.reset();
    switch (outcome) {
        case mapi::ExchangeFolderWalk::Outcome::Ready:
            platform::setWindowTopmost(*this, true);
            keySelect->setEnabled(true);
            return true;
        case mapi::ExchangeFolderWalk::Outcome::Stopped:
            return true;
        case mapi::ExchangeFolderWalk::Outcome::Closed:
            break;
    }
    Form_Unload();
    return false;
}

void frmMSExFolderSelect::showProgress() {
    progress = std::make_unique<frmExchangeConnect>(*target_.window);
    keySelect->setEnabled(false);
    progress->lblMessageA->setText(text("strWhiteLabelConnectA"));
    progress->show();
    progress->refresh();
    // Above the main window, as a dialog of it, for the window system too.
    winId();
    if (QWindow* main = target_.window->window()->windowHandle()) {
        windowHandle()->setTransientParent(main);
    }
}

bool frmMSExFolderSelect::eventFilter(QObject* watched, QEvent* event) {
    if (watched == clientArea && event->type() == QEvent::Resize) {
        Form_Resize();
    }
    return QDialog::eventFilter(watched, event);
}

void frmMSExFolderSelect::Form_Resize() {
    const double twipsPerPixel = platform::twipsPerPixel(screen()->logicalDotsPerInch());
    const auto pixels = [twipsPerPixel](const mapi::TwipsRect& twips) {
        const auto round = [twipsPerPixel](float value) {
            return static_cast<int>(std::lround(value / twipsPerPixel));
        };
        return QRect(round(twips.left), round(twips.top), round(twips.width), round(twips.height));
    };
    const mapi::FolderSelectLayout layout =
        mapi::FolderSelectLayoutFor(static_cast<float>(clientArea->width() * twipsPerPixel),
                                    static_cast<float>(clientArea->height() * twipsPerPixel));
    keySelect->setGeometry(pixels(layout.keySelect));
    if (layout.tree) {
        tvExchangeFoldersList->setGeometry(pixels(*layout.tree));
    }
}

void frmMSExFolderSelect::tvExchangeFoldersList_NodeClick(QTreeWidgetItem* node) {
    if (node == nullptr) {
        return;
    }
    SelectedKey = node->data(0, mapiqt::kKeyRole).toString().toStdString();
    SelectedText = node->text(0).toStdString();
}

void frmMSExFolderSelect::tvExchangeFoldersList_DblClick() {
    // Where the opening stopped short, no folder may be taken, by the button or otherwise.
    if (keySelect->isEnabled()) {
        keySelect_Click();
    }
}

void frmMSExFolderSelect::keySelect_Click() {
    if (startsWith(SelectedKey, mapi::kRootPrefix)) {
        platform::prompts().messageBox(Message("strWarning"), platform::msgbox::kExclamation, "");
        return;
    }
    if (startsWith(SelectedKey, mapi::kUnavailablePrefix)) {
        platform::prompts().messageBox(Message("strUnavailableWarning"),
                                       platform::msgbox::kExclamation, "");
        return;
    }
    target_.txtExFolder->setText(QString::fromStdString(SelectedText));
    *target_.strExFolderID = SelectedKey;
    accept();
}

void frmMSExFolderSelect::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        platform::help().showTopic(target_.helpFilePath, property(kHelpContextID).toInt(),
                                   static_cast<std::uintptr_t>(winId()));
        return;
    }
    // Esc closes the dialog from the tree and the button too: neither takes the key.
    QDialog::keyPressEvent(event);
}

void frmMSExFolderSelect::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

void frmMSExFolderSelect::Form_Unload() {
    if (modWndHook::IsHooked(*this)) {
        modWndHook::RemoveSizeHook();
    }
}
