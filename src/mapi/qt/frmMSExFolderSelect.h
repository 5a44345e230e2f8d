#pragma once
// The Exchange folder browser: logs on to the MAPI profile named in the main window, reads
// every store and folder of it into a tree while the progress window is up, logs off, and
// lets the user take a folder. The folder's name goes to the main window's folder field,
// its identifier (folder ID ":" store ID) to the main window's strExFolderID.

#include <QDialog>
#include <memory>
#include <string>

#include "mapi/qt/ExchangeFolderIcons.h"

class QLineEdit;
class QPushButton;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;
class frmExchangeConnect;

// What the browser reads from and writes into the main window.
struct ExFolderTarget {
    QWidget* window = nullptr;
    const QLineEdit* txtUserName = nullptr;
    QLineEdit* txtExFolder = nullptr;
    std::string* strExFolderID = nullptr;
    // The help file that F1 opens.
    std::string helpFilePath;
};

class frmMSExFolderSelect final : public QDialog {
    Q_OBJECT

public:
    explicit frmMSExFolderSelect(const ExFolderTarget& target);
    ~frmMSExFolderSelect() override;

    // The opening: fills the tree, or shows why it cannot and closes the dialog. True when
    // the dialog is to be shown.
    bool Form_Load();

    // Fifteen random decimal digits: the key of an unavailable folder follows "Err->".
    static std::string strRandomKey();

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void applyTexts();
    void showProgress();
    void Form_Resize();
    void Form_Unload();
    void keySelect_Click();
    void tvExchangeFoldersList_NodeClick(QTreeWidgetItem* node);
    void tvExchangeFoldersList_DblClick();

    ExFolderTarget target_;
    QWidget* clientArea = nullptr;
    QTreeWidget* tvExchangeFoldersList = nullptr;
    mapiqt::ExhangeFolderIcons ExhangeFolderIcons;
    QPushButton* keySelect = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    std::unique_ptr<frmExchangeConnect> progress;
    std::string SelectedKey = "Root";
    std::string SelectedText;
};
