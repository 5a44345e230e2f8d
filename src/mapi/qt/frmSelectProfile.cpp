#include "mapi/qt/frmSelectProfile.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "lang/modMessages.h"
#include "mapi/ProfileDiscovery.h"
#include "platform/qt/CaptionWidth.h"
#include "platform/qt/WindowTopmost.h"

namespace {

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

template <class Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

}  // namespace

frmSelectProfile::frmSelectProfile(QWidget* parent) : QDialog(parent) {
    setObjectName("frmSelectProfile");
    frmProfiles = named(new QGroupBox(this), "frmProfiles");
    lstProfiles = named(new QListWidget(frmProfiles), "lstProfiles");
    lstProfiles->setSelectionMode(QAbstractItemView::SingleSelection);
    lblStdProftext = named(new QLabel(frmProfiles), "lblStdProftext");
    lblStdProf = named(new QLabel(frmProfiles), "lblStdProf");
    lblStdProf->setTextFormat(Qt::PlainText);
    keySelect = named(new QPushButton(this), "keySelect");
    keySelect->setDefault(true);
    keyCancel = named(new QPushButton(this), "keyCancel");

    auto* defaultRow = new QHBoxLayout;
    defaultRow->addWidget(lblStdProftext);
    defaultRow->addWidget(lblStdProf, 1);
    auto* frame = new QVBoxLayout(frmProfiles);
    frame->addWidget(lstProfiles);
    frame->addLayout(defaultRow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(keySelect);
    buttons->addWidget(keyCancel);
    auto* window = new QVBoxLayout(this);
    window->addWidget(frmProfiles);
    window->addLayout(buttons);
    lstProfiles->setMinimumWidth(lstProfiles->fontMetrics().averageCharWidth() * 40);

    connect(keySelect, &QPushButton::clicked, this, [this] { keySelect_Click(); });
    connect(keyCancel, &QPushButton::clicked, this, [this] { reject(); });
    // A double click anywhere in the list, as on an entry, is a press of keySelect. Esc
    // needs no filter: the list and the buttons leave it to the dialog, which rejects.
    lstProfiles->viewport()->installEventFilter(this);
}

std::optional<QString> frmSelectProfile::SelectProfile(QWidget* parent) {
    frmSelectProfile dialog(parent);
    dialog.Form_Load();
    dialog.exec();
    return dialog.chosenProfile();
}

void frmSelectProfile::Form_Load() {
    platform::setWindowTopmost(*this, true);
    using modMessages::Message;
    setWindowTitle(text(Message("SelectProfile_WinCaption")));
    platform::fitWidthToCaption(*this);
    lblStdProftext->setText(text(Message("SelectProfile_StdProftext")));
    keySelect->setText(text(Message("SelectProfile_Select")));
    keyCancel->setText(text(Message("SelectProfile_Cancel")));

    std::vector<std::string> profiles;
    std::string defaultName;
    mapi::ListProfiles(profiles, defaultName);
    lstProfiles->clear();
    for (const std::string& profile : profiles) {
        lstProfiles->addItem(text(profile));
    }
    lblStdProf->setText(text(defaultName));
    // The default profile is shown, not chosen for the user.
    lstProfiles->setCurrentRow(-1);
    lstProfiles->clearSelection();
}

void frmSelectProfile::keySelect_Click() {
    const QList<QListWidgetItem*> highlighted = lstProfiles->selectedItems();
    const QString profile = highlighted.isEmpty() ? QString() : highlighted.front()->text();
    if (profile.isEmpty()) {
        QApplication::beep();
        return;
    }
    chosen = profile;
    accept();
}

bool frmSelectProfile::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && watched == lstProfiles->viewport()) {
        keySelect_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
