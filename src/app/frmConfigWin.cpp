// Construction of the main window: its controls, their layout, the tab sequence, and the
// keyboard and focus events that the Qt widgets do not turn into signals themselves.

#include "app/frmConfigWin.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "app/AsteriskPasswordStyle.h"
#include "app/ElidingComboBox.h"
#include "app/OptionButton.h"
#include "app/ToolIcons.h"

namespace {

// The design caption of every label and captioned control; the texts a user reads are
// put on by ApplyMessages before the window is shown.
const QString kPlaceholder = QStringLiteral("?");

QLabel* makeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(kPlaceholder, parent);
    label->setObjectName(name);
    return label;
}

QLineEdit* makeField(QWidget* parent, const char* name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    // No field has a length limit: Qt's default of 32767 would cut a longer stored value.
    field->setMaxLength(std::numeric_limits<int>::max());
    return field;
}

QCheckBox* makeCheckBox(QWidget* parent, const char* name) {
    auto* box = new QCheckBox(kPlaceholder, parent);
    box->setObjectName(name);
    return box;
}

QComboBox* makeList(QWidget* parent, const char* name) {
    auto* list = new ElidingComboBox(parent);
    list->setObjectName(name);
    list->setEditable(false);
    return list;
}

bool leavesTheControl(const QFocusEvent* event) {
    return event->reason() != Qt::PopupFocusReason &&
           event->reason() != Qt::ActiveWindowFocusReason;
}

QGroupBox* makeBlock(QWidget* parent, const char* name) {
    auto* block = new QGroupBox(parent);
    block->setObjectName(name);
    return block;
}

// A row of a field with the icon buttons that belong to it.
QHBoxLayout* fieldRow(QWidget* field, std::initializer_list<QWidget*> buttons) {
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    row->addWidget(field, 1);
    for (QWidget* button : buttons) {
        row->addWidget(button);
    }
    return row;
}

}  // namespace

frmConfigWin::frmConfigWin(QWidget* parent) : QWidget(parent) {
    setObjectName("frmConfigWin");
    setWindowTitle(kPlaceholder);
    createControls();
    layOutControls();
    setTabOrder();
    connectHandlers();
    watchKeysAndFocus();
}

frmConfigWin::~frmConfigWin() = default;

QToolButton* frmConfigWin::iconButton(const char* name, int standardIcon, const char* themeIcon) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    const QIcon fallback = style()->standardIcon(static_cast<QStyle::StandardPixmap>(standardIcon));
    button->setIcon(QIcon::fromTheme(QString::fromLatin1(themeIcon), fallback));
    // A click takes the focus, as it does on a push button: leaving a field by clicking a
    // button must run that field's checks first.
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoRaise(false);
    return button;
}

void frmConfigWin::createControls() {
    lblConfNumber = makeLabel(this, "lblConfNumber");
    cbConfNum = makeList(this, "cbConfNum");
    keyNewConf = iconButton("keyNewConf", QStyle::SP_FileIcon, "list-add");
    keyDelConf = iconButton("keyDelConf", QStyle::SP_TrashIcon, "list-remove");
    // The style's own page and bin are drawn so pale that they look disabled.
    keyNewConf->setIcon(QIcon::fromTheme("list-add", ToolIcons::newItem(palette())));
    keyDelConf->setIcon(QIcon::fromTheme("list-remove", ToolIcons::deleteItem(palette())));
    keyStopConfig = iconButton("keyStopConfig", QStyle::SP_MediaPause, "media-playback-pause");
    // Pressed while the configuration is paused.
    keyStopConfig->setCheckable(true);

    lblConfName = makeLabel(this, "lblConfName");
    txtConfName = makeField(this, "txtConfName");
    lblEServType = makeLabel(this, "lblEServType");
    cbEServType = makeList(this, "cbEServType");
    lblUserName = makeLabel(this, "lblUserName");
    txtUserName = makeField(this, "txtUserName");
    keySelectProf = iconButton("keySelectProf", QStyle::SP_ComputerIcon, "system-users");
    keyDefProf = iconButton("keyDefProf", QStyle::SP_DialogApplyButton, "emblem-default");
    lblUserPassword = makeLabel(this, "lblUserPassword");
    txtUserPassword = makeField(this, "txtUserPassword");
    txtUserPassword->setEchoMode(QLineEdit::Password);
    auto* asterisks = new AsteriskPasswordStyle;
    asterisks->setParent(txtUserPassword);
    txtUserPassword->setStyle(asterisks);
    lblInetServer = makeLabel(this, "lblInetServer");
    txtINetServer = makeField(this, "txtINetServer");
    lblINetPort = makeLabel(this, "lblINetPort");
    txtINetPort = makeField(this, "txtINetPort");

    lblExFolder = makeLabel(this, "lblExFolder");
    txtExFolder = makeField(this, "txtExFolder");
    // Only the folder browser and loading put a folder name here.
    txtExFolder->setReadOnly(true);
    QPalette buttonFace = txtExFolder->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        buttonFace.setColor(group, QPalette::Base, buttonFace.color(group, QPalette::Button));
    }
    txtExFolder->setPalette(buttonFace);
    keyExFolder = iconButton("keyExFolder", QStyle::SP_DirOpenIcon, "folder-open");
    lblEClient = makeLabel(this, "lblEClient");
    txtEClient = makeField(this, "txtEClient");
    keyEClient = iconButton("keyEClient", QStyle::SP_DirOpenIcon, "folder-open");
    lblWhTime = makeLabel(this, "lblWhTime");
    txtWhTime = makeField(this, "txtWhTime");

    cbAlarm = makeCheckBox(this, "cbAlarm");
    for (int i = 0; i < 2; ++i) {
        auto* option = new OptionButton(this);
        option->setText(kPlaceholder);
        option->setObjectName("obSoundOption");
        option->setProperty("index", i);
        obSoundOption[i] = option;
    }
    lblWavFile = makeLabel(this, "lblWavFile");
    txtWavName = makeField(this, "txtWavName");
    keySelectWav = iconButton("keySelectWav", QStyle::SP_DirOpenIcon, "folder-open");
    keyPlayWav = iconButton("keyPlayWav", QStyle::SP_MediaPlay, "media-playback-start");

    cbPopupWin = makeCheckBox(this, "cbPopupWin");
    cbRunEClient = makeCheckBox(this, "cbRunEClient");
    cbWaitEClient = makeCheckBox(this, "cbWaitEClient");

    lblExternLang = makeLabel(this, "lblExternLang");
    cbExternLang = makeList(this, "cbExternLang");
    cbExternLang->setMinimumContentsLength(12);
    cbExternLang->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbRunAtStartup = makeCheckBox(this, "cbRunAtStartup");
    keyHelp = new QPushButton(kPlaceholder, this);
    keyHelp->setObjectName("keyHelp");
    keyOk = new QPushButton(kPlaceholder, this);
    keyOk->setObjectName("keyOk");
}

void frmConfigWin::layOutControls() {
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(lblConfNumber);
    listRow->addLayout(fieldRow(cbConfNum, {keyNewConf, keyDelConf, keyStopConfig}), 1);

    auto* account = makeBlock(this, "frmAccount");
    auto* accountGrid = new QGridLayout(account);
    accountGrid->addWidget(lblConfName, 0, 0);
    accountGrid->addWidget(txtConfName, 0, 1);
    accountGrid->addWidget(lblEServType, 1, 0);
    accountGrid->addWidget(cbEServType, 1, 1);
    accountGrid->addWidget(lblUserName, 2, 0);
    accountGrid->addLayout(fieldRow(txtUserName, {keySelectProf, keyDefProf}), 2, 1);
    accountGrid->addWidget(lblUserPassword, 3, 0);
    accountGrid->addWidget(txtUserPassword, 3, 1);
    accountGrid->addWidget(lblInetServer, 4, 0);
    auto* serverRow = new QHBoxLayout;
    serverRow->addWidget(txtINetServer, 1);
    serverRow->addSpacing(8);
    serverRow->addWidget(lblINetPort);
    serverRow->addWidget(txtINetPort);
    txtINetPort->setMaximumWidth(
        txtINetPort->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 8 + 12);
    accountGrid->addLayout(serverRow, 4, 1);
    accountGrid->setColumnStretch(1, 1);
    // Room for a path or a server name without scrolling at once.
    txtConfName->setMinimumWidth(txtConfName->fontMetrics().averageCharWidth() * 50);

    auto* client = makeBlock(this, "frmClient");
    auto* clientGrid = new QGridLayout(client);
    clientGrid->addWidget(lblExFolder, 0, 0);
    clientGrid->addLayout(fieldRow(txtExFolder, {keyExFolder}), 0, 1);
    clientGrid->addWidget(lblEClient, 1, 0);
    clientGrid->addLayout(fieldRow(txtEClient, {keyEClient}), 1, 1);
    clientGrid->addWidget(lblWhTime, 2, 0);
    auto* frequencyRow = new QHBoxLayout;
    frequencyRow->addWidget(txtWhTime);
    frequencyRow->addStretch(1);
    txtWhTime->setMaximumWidth(txtWhTime->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 8 +
                               12);
    clientGrid->addLayout(frequencyRow, 2, 1);
    clientGrid->setColumnStretch(1, 1);

    auto* alarm = makeBlock(this, "frmAlarm");
    auto* alarmGrid = new QGridLayout(alarm);
    alarmGrid->addWidget(cbAlarm, 0, 0, 1, 2);
    auto* optionRow = new QHBoxLayout;
    optionRow->addSpacing(20);
    optionRow->addWidget(obSoundOption[0]);
    optionRow->addSpacing(16);
    optionRow->addWidget(obSoundOption[1]);
    optionRow->addStretch(1);
    alarmGrid->addLayout(optionRow, 1, 0, 1, 2);
    alarmGrid->addWidget(lblWavFile, 2, 0);
    alarmGrid->addLayout(fieldRow(txtWavName, {keySelectWav, keyPlayWav}), 2, 1);
    alarmGrid->setColumnStretch(1, 1);

    auto* reactions = makeBlock(this, "frmReactions");
    auto* reactionList = new QVBoxLayout(reactions);
    reactionList->addWidget(cbPopupWin);
    reactionList->addWidget(cbRunEClient);
    reactionList->addWidget(cbWaitEClient);

    auto* options = new QGridLayout;
    options->addWidget(lblExternLang, 0, 0);
    options->addWidget(cbExternLang, 0, 1);
    options->addWidget(cbRunAtStartup, 1, 0, 1, 2);
    options->setColumnStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(keyHelp);
    buttons->addWidget(keyOk);

    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);

    auto* window = new QVBoxLayout(this);
    window->addLayout(listRow);
    window->addWidget(account);
    window->addWidget(client);
    window->addWidget(alarm);
    window->addWidget(reactions);
    window->addLayout(options);
    window->addWidget(separator);
    window->addLayout(buttons);
    // The window is as large as its texts need; a language with longer texts widens it.
    window->setSizeConstraint(QLayout::SetFixedSize);

    labelGrids = {accountGrid, clientGrid, alarmGrid};

    // Each label names its field, for screen readers and a click on the label.
    const std::pair<QLabel*, QWidget*> buddies[] = {
        {lblConfNumber, cbConfNum},         {lblConfName, txtConfName},
        {lblEServType, cbEServType},        {lblUserName, txtUserName},
        {lblUserPassword, txtUserPassword}, {lblInetServer, txtINetServer},
        {lblINetPort, txtINetPort},         {lblExFolder, txtExFolder},
        {lblEClient, txtEClient},           {lblWhTime, txtWhTime},
        {lblWavFile, txtWavName},           {lblExternLang, cbExternLang}};
    for (const auto& [label, field] : buddies) {
        label->setBuddy(field);
    }
}

void frmConfigWin::alignLabelColumns() {
    // The label columns of the blocks line up, so that the fields start at one edge.
    int widest = 0;
    for (QLabel* label : {lblConfName, lblEServType, lblUserName, lblUserPassword, lblInetServer,
                          lblExFolder, lblEClient, lblWhTime, lblWavFile}) {
        widest = std::max(widest, label->sizeHint().width());
    }
    for (QGridLayout* grid : labelGrids) {
        grid->setColumnMinimumWidth(0, widest);
    }
}

void frmConfigWin::setTabOrder() {
    const std::array<QWidget*, 29> order = {
        cbConfNum,     keyNewConf,   keyDelConf,     keyStopConfig,    txtConfName,
        cbEServType,   txtUserName,  keySelectProf,  keyDefProf,       txtUserPassword,
        txtINetServer, txtINetPort,  txtExFolder,    keyExFolder,      txtEClient,
        keyEClient,    txtWhTime,    cbAlarm,        obSoundOption[0], obSoundOption[1],
        txtWavName,    keySelectWav, keyPlayWav,     cbPopupWin,       cbRunEClient,
        cbWaitEClient, cbExternLang, cbRunAtStartup, keyHelp};
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
    QWidget::setTabOrder(keyHelp, keyOk);
}

void frmConfigWin::connectHandlers() {
    // Value signals rather than clicked(): a value set by code must run the same reaction
    // as the user's change, as loading a configuration relies on.
    connect(cbConfNum, &QComboBox::currentIndexChanged, this, [this] { cbConfNum_Click(); });
    connect(keyNewConf, &QToolButton::clicked, this, [this] { keyNewConf_Click(); });
    connect(keyDelConf, &QToolButton::clicked, this, [this] { keyDelConf_Click(); });
    connect(keyStopConfig, &QToolButton::clicked, this, [this] { keyStopConfig_Click(); });
    connect(txtConfName, &QLineEdit::textChanged, this, [this] { txtConfName_Change(); });
    connect(txtWhTime, &QLineEdit::textEdited, this, [this] { whTimeUnchecked = true; });
    connect(cbEServType, &QComboBox::currentIndexChanged, this, [this] { cbEServType_Click(); });
    connect(keySelectProf, &QToolButton::clicked, this, [this] { keySelectProf_Click(); });
    connect(keyDefProf, &QToolButton::clicked, this, [this] { keyDefProf_Click(); });
    connect(cbAlarm, &QCheckBox::toggled, this, [this] { cbAlarm_Click(); });
    for (int i = 0; i < 2; ++i) {
        // An element turned off raises nothing, as with option buttons: only the element
        // that comes on clears the others.
        connect(obSoundOption[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) {
                obSoundOption_Click(i);
            }
        });
    }
    connect(cbPopupWin, &QCheckBox::toggled, this, [this] { cbPopupWin_Click(); });
    connect(cbRunEClient, &QCheckBox::toggled, this, [this] { cbRunEClient_Click(); });
    connect(cbWaitEClient, &QCheckBox::toggled, this, [this] { cbWaitEClient_Click(); });
    connect(keyEClient, &QToolButton::clicked, this, [this] { keyEClient_Click(); });
    connect(keyExFolder, &QToolButton::clicked, this, [this] { keyExFolder_Click(); });
    connect(keySelectWav, &QToolButton::clicked, this, [this] { keySelectWav_Click(); });
    connect(keyPlayWav, &QToolButton::clicked, this, [this] { keyPlayWav_Click(); });
    connect(cbExternLang, &QComboBox::currentIndexChanged, this, [this] {
        languageChangeSeen = true;
        // Forgotten once the event that changed the entry is done.
        QTimer::singleShot(0, this, [this] { languageChangeSeen = false; });
        cbExternLang_Click();
    });
    // Choosing the entry that is already selected changes nothing in the list, yet it is
    // the user's choice of that language and runs it again (a file named like the entry
    // for no language is only loaded that way).
    connect(cbExternLang, &QComboBox::activated, this, [this] {
        if (!languageChangeSeen) {
            rechooseLanguage();
        }
        languageChangeSeen = false;
    });
    connect(keyHelp, &QPushButton::clicked, this, [this] { keyHelp_Click(); });
    connect(keyOk, &QPushButton::clicked, this, [this] { close(); });
}

void frmConfigWin::watchKeysAndFocus() {
    // Esc closes the window from every control that can hold the focus; keyExFolder
    // too, so that the key behaves the same wherever the user is.
    // A drop-down's popup list is a window of its own, where Esc closes only the list.
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->focusPolicy() != Qt::NoFocus && child->window() == this) {
            child->installEventFilter(this);
        }
    }
}

bool frmConfigWin::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            const auto* widget = qobject_cast<QWidget*>(watched);
            if (key == Qt::Key_Escape && widget && widget->window() == this) {
                close();
                return true;
            }
            if (key == Qt::Key_F1) {
                showHelpForFocus();
                return true;
            }
            break;
        }
        case QEvent::FocusIn:
            // The focus coming back from the list's own drop-down is no new arrival.
            if (watched == cbConfNum &&
                static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
                cbConfNum_GotFocus();
            }
            break;
        case QEvent::FocusOut:
            // Switching to another program, or a context menu, does not leave the field:
            // a half-typed number must not be replaced meanwhile.
            if (watched == txtWhTime && leavesTheControl(static_cast<QFocusEvent*>(event))) {
                txtWhTime_LostFocus();
            }
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void frmConfigWin::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    if (event->key() == Qt::Key_F1) {
        showHelpForFocus();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmConfigWin::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The window is as large as its texts. Once placed, it keeps its bottom right corner
    // when another language makes it larger or smaller, rather than growing off the screen.
    if (placed && event->oldSize().isValid()) {
        move(pos() - QPoint(event->size().width() - event->oldSize().width(),
                            event->size().height() - event->oldSize().height()));
    }
}

void frmConfigWin::closeEvent(QCloseEvent* event) {
    // There is no cancel: however the window is closed, the settings are saved.
    if (!closed) {
        closed = true;
        Form_Unload();
    }
    event->accept();
}
