#pragma once
// The main window: the list of mail-check configurations, the editor of the one chosen,
// the global options and the language choice. The program lives as long as this window.
//
// The window holds no collection of configurations: cbConfNum holds only the list texts,
// the editor controls and lProfileID, strExFolderID and CurProfileEnabled hold the one
// configuration being edited, and the store holds the rest. Setting a control from code
// raises the same reaction as the user's change; the Skip flags keep those reactions
// from running where loading and list rebuilding must not trigger them.

#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "lang/MessageCatalogue.h"
#include "store/Configuration.h"
#include "store/ProfileStore.h"

class QCheckBox;
class QGridLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

class frmConfigWin : public QWidget {
    Q_OBJECT

public:
    explicit frmConfigWin(QWidget* parent = nullptr);
    ~frmConfigWin() override;

    // Opens the window: state, server types, list, texts and language, help file, first
    // configuration, placement, topmost, show, focus on the list.
    void Form_Load();

    // The operations that move a configuration between the editor and a store slot.
    enum ProfileOperation : std::int16_t {
        SaveProfile = 0,
        LoadProfile = 1,
        DeleteProfile = 2,
        NewProfileDefaults = 3,
        LoadProfileList = 4,
        ClearProfile = 5,
    };
    void ProfileIO(std::int16_t operation, std::int16_t slot);

    // Read and set by the Exchange dialogs: the identifier of the configuration in the
    // editor, and the identifier of its Exchange folder (no control shows it).
    std::int32_t lProfileID = 0;
    std::string strExFolderID;

    // The help file the F1 key opens; set while opening and by every language choice.
    const std::string& helpFilePath() const { return HelpFilePath; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction (frmConfigWin.cpp).
    void createControls();
    void layOutControls();
    void setTabOrder();
    void connectHandlers();
    void watchKeysAndFocus();
    void alignLabelColumns();
    QToolButton* iconButton(const char* name, int standardIcon, const char* themeIcon);

    // Opening and closing (frmConfigWinOpening.cpp).
    void fillServerTypeList();
    void Form_Unload();

    // The list of configurations (frmConfigWinProfiles.cpp).
    store::Configuration editorRecord() const;
    void showRecord(const store::Configuration& record);
    void showPathStarts();
    void saveProfile(int slot);
    void loadProfile(int slot);
    void newProfileDefaults();
    void loadProfileList(int slot);
    void clearProfile();
    void appendListEntry(const QString& text);
    void removeLastListEntry();
    void cbConfNum_GotFocus();
    void cbConfNum_Click();
    void keyNewConf_Click();
    void keyDelConf_Click();
    void keyStopConfig_Click();
    void showPauseState();
    void txtConfName_Change();

    // The field rules (frmConfigWinRules.cpp).
    void ApplyServerTypeRules(int serverType);
    void SetEditorEnabled(bool enabled);
    void ApplyAlarmRules(bool alarmOn);
    void SetWavFieldsEnabled(bool enabled);
    void cbEServType_Click();
    void cbAlarm_Click();
    void obSoundOption_Click(int index);
    void cbPopupWin_Click();
    void cbRunEClient_Click();
    void cbWaitEClient_Click();
    void setTopmost(bool topmost);

    // Typed input, the pickers and the play button (frmConfigWinInput.cpp).
    void txtWhTime_LostFocus();
    void keyEClient_Click();
    void keySelectWav_Click();
    void keyPlayWav_Click();
    void pickFileInto(QLineEdit* field, modMessages::MessageKey titleKey,
                      modMessages::MessageKey filterKey);

    // The MAPI profile buttons (frmConfigWinMapiProfile.cpp).
    void keySelectProf_Click();
    void keyDefProf_Click();

    // The Exchange folder browser (frmConfigWinExFolder.cpp).
    void keyExFolder_Click();

    // Texts, the language choice and help (frmConfigWinLanguage.cpp).
    void ApplyMessages(const std::string& language);
    void FillLanguageList(const std::string& language);
    void cbExternLang_Click();
    void rechooseLanguage();
    void setHelpFile();
    void keyHelp_Click();
    void showHelpForFocus();

public:
    // The file name without the extension, found from the end without regard to case.
    static std::string CutExtension(const std::string& fileName, const std::string& extension);

private:
    // Controls, in the order of the tab sequence where they take the focus.
    QLabel* lblConfNumber = nullptr;
    QComboBox* cbConfNum = nullptr;
    QToolButton* keyNewConf = nullptr;
    QToolButton* keyDelConf = nullptr;
    QToolButton* keyStopConfig = nullptr;
    QLabel* lblConfName = nullptr;
    QLineEdit* txtConfName = nullptr;
    QLabel* lblEServType = nullptr;
    QComboBox* cbEServType = nullptr;
    QLabel* lblUserName = nullptr;
    QLineEdit* txtUserName = nullptr;
    QToolButton* keySelectProf = nullptr;
    QToolButton* keyDefProf = nullptr;
    QLabel* lblUserPassword = nullptr;
    QLineEdit* txtUserPassword = nullptr;
    QLabel* lblInetServer = nullptr;
    QLineEdit* txtINetServer = nullptr;
    QLabel* lblINetPort = nullptr;
    QLineEdit* txtINetPort = nullptr;
    QLabel* lblExFolder = nullptr;
    QLineEdit* txtExFolder = nullptr;
    QToolButton* keyExFolder = nullptr;
    QLabel* lblEClient = nullptr;
    QLineEdit* txtEClient = nullptr;
    QToolButton* keyEClient = nullptr;
    QLabel* lblWhTime = nullptr;
    QLineEdit* txtWhTime = nullptr;
    QCheckBox* cbAlarm = nullptr;
    std::array<QRadioButton*, 2> obSoundOption{};
    QLabel* lblWavFile = nullptr;
    QLineEdit* txtWavName = nullptr;
    QToolButton* keySelectWav = nullptr;
    QToolButton* keyPlayWav = nullptr;
    QCheckBox* cbPopupWin = nullptr;
    QCheckBox* cbRunEClient = nullptr;
    QCheckBox* cbWaitEClient = nullptr;
    QLabel* lblExternLang = nullptr;
    QComboBox* cbExternLang = nullptr;
    QCheckBox* cbRunAtStartup = nullptr;
    QPushButton* keyHelp = nullptr;
    QPushButton* keyOk = nullptr;

    // Window state besides the controls.
    std::string HelpFilePath;
    bool CurProfileEnabled = false;
    bool SkipWaitWarning = true;
    bool SkipNameSync = false;
    bool SkipListClick = false;
    bool InLangSwitch = false;

    // A stored server type the list cannot show, kept so that saving the configuration
    // unchanged writes it back rather than a type the user never chose.
    std::optional<std::int16_t> unlistedServerType;
    // The configuration as read from the store and as the editor showed it then: a save
    // writes the fields the user left as shown back exactly as they were read.
    store::LoadedProfile storedProfile;
    store::Configuration shownRecord;
    bool shownRunAtStartup = false;
    // Typed into since its check last ran: the check is owed before the value is saved.
    bool whTimeUnchecked = false;
    bool closed = false;
    bool languageChangeSeen = false;
    bool placed = false;
    std::array<QGridLayout*, 3> labelGrids{};
};
