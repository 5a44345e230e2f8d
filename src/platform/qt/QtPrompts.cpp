#include "platform/qt/QtPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "platform/AppInfo.h"
#include "platform/qt/QtFileFilter.h"

namespace platform {

namespace {

struct BoxButton {
    QMessageBox::StandardButton button;
    int answer;
};

// The button sets of the low four bits of a style, in Windows' order and answer numbers.
std::vector<BoxButton> buttonsOf(int style) {
    using B = QMessageBox;
    switch (style & 0xF) {
        case 1:
            return {{B::Ok, 1}, {B::Cancel, 2}};
        case 2:
            return {{B::Abort, 3}, {B::Retry, 4}, {B::Ignore, 5}};
        case 3:
            return {{B::Yes, 6}, {B::No, 7}, {B::Cancel, 2}};
        case 4:
            return {{B::Yes, 6}, {B::No, 7}};
        case 5:
            return {{B::Retry, 4}, {B::Cancel, 2}};
        default:
            return {{B::Ok, 1}};
    }
}

QMessageBox::Icon iconOf(int style) {
    switch (style & 0xF0) {
        case msgbox::kCritical:
            return QMessageBox::Critical;
        case msgbox::kQuestion:
            return QMessageBox::Question;
        case msgbox::kExclamation:
            return QMessageBox::Warning;
        case 0x40:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// Windows writes line breaks as CR LF, and some texts as LF CR: either pair, and a lone
// CR or LF, is one break.
QString withLineBreaks(const std::string& text) {
    const QString source = QString::fromStdString(text);
    QString result;
    result.reserve(source.size());
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar c = source[i];
        if (c != u'\r' && c != u'\n') {
            result += c;
            continue;
        }
        result += u'\n';
        const QChar partner = c == u'\r' ? u'\n' : u'\r';
        if (i + 1 < source.size() && source[i + 1] == partner) {
            ++i;
        }
    }
    return result;
}

}  // namespace

int QtPrompts::messageBox(const std::string& text, int style, const std::string& title) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QString::fromStdString(title.empty() ? kApplicationTitle : title));
    box.setTextFormat(Qt::PlainText);
    box.setText(withLineBreaks(text));
    box.setIcon(iconOf(style));
    const std::vector<BoxButton> buttons = buttonsOf(style);
    std::vector<QAbstractButton*> shown;
    for (const BoxButton& entry : buttons) {
        shown.push_back(box.addButton(entry.button));
    }
    // Bits 8 and 9 number the default button; one past the last falls back to the first.
    const auto defaultIndex = static_cast<std::size_t>((style >> 8) & 0x3);
    box.setDefaultButton(
        static_cast<QPushButton*>(shown[defaultIndex < shown.size() ? defaultIndex : 0]));
    box.exec();
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (box.clickedButton() == shown[i]) {
            return buttons[i].answer;
        }
    }
    // Esc and the close box count as a click on Qt's escape button (Cancel, else No, else
    // the only button); a box ended from outside answers as its last button would.
    return buttons.size() == 1 ? buttons.front().answer : buttons.back().answer;
}

std::optional<std::string> QtPrompts::openFile(const std::string& title,
                                               const std::string& filter) {
    QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(title), QString(),
                       QString::fromStdString(toQtFileFilter(filter)));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(chosen.first()).toStdString();
}

}  // namespace platform
