#include "WindowTest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <fstream>

#include "WriteLog.h"
#include "editor/FieldRules.h"
#include "platform/Prompts.h"
#include "platform/qt/WindowTopmost.h"
#include "registry/modRegistryAccess.h"
#include "store/GlobalSettings.h"
#include "store/ProfileList.h"
#include "store/ProfileStore.h"
#include "store/SettingsSchema.h"

namespace apptest {

namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "qb_test_app";
    static char* argv[] = {name, nullptr};
    static auto* app = new QApplication(argc, argv);
    return *app;
}

std::string readText(modRegistryAccess::RootHive hive, const std::string& path,
                     const std::string& name) {
    const auto value = modRegistryAccess::ReadRegValue(hive, path, name);
    if (modRegistryAccess::isEmpty(value)) {
        return "<missing>";
    }
    return modRegistryAccess::toText(value);
}

}  // namespace

int TopmostPrompts::messageBox(const std::string& text, int style, const std::string& title) {
    topmostAtBox.push_back(window && platform::isWindowTopmost(*window));
    return RecordingPrompts::messageBox(text, style, title);
}

std::optional<std::string> TopmostPrompts::openFile(const std::string& title,
                                                    const std::string& filter) {
    topmostAtDialog.push_back(window && platform::isWindowTopmost(*window));
    return RecordingPrompts::openFile(title, filter);
}

void SteppingClock::processEvents() {
    QCoreApplication::processEvents();
    ++rounds;
    now += 0.25;
    if (now >= 86400.0) {
        now -= 86400.0;
    }
}

WindowTest::WindowTest() : home(scopedRegistry.scratchDir() / "qbhome") {
    application();
    std::filesystem::create_directories(home);
    auto logged = std::make_unique<WriteLog>(platform::createPlatformRegistry());
    log = logged.get();
    platform::installRegistry(std::move(logged));
    auto scripted = std::make_unique<TopmostPrompts>();
    prompts = scripted.get();
    platform::installPrompts(std::move(scripted));
    auto stepping = std::make_unique<SteppingClock>();
    clock = stepping.get();
    editor::installEventWait(std::move(stepping));
}

WindowTest::~WindowTest() {
    window.reset();
    editor::installEventWait(nullptr);
    platform::installPrompts(nullptr);
}

void WindowTest::installMachineValues() {
    using modRegistryAccess::RootHive;
    const auto hive = RootHive::HKEY_LOCAL_MACHINE;
    modRegistryAccess::CreateRegKey(hive, store::schema::kMachineKey);
    const auto write = [&](const std::string& name, const std::string& text) {
        modRegistryAccess::WriteRegValue(hive, store::schema::kMachineKey, name, text,
                                         modRegistryAccess::kRegSz);
    };
    write("HomeDir", home.string() + "/");
    write("WorkMode0", "Exchange folder");
    write("WorkMode1", "Exchange profile");
    write("WorkMode2", "Exchange with password");
    write("WorkMode3", "Internet mail (POP3)");
}

void WindowTest::storeConfigurations(const std::vector<store::Configuration>& records) {
    store::createUserKeys();
    for (std::size_t slot = 0; slot < records.size(); ++slot) {
        store::writeConfiguration(static_cast<int>(slot), records[slot]);
    }
    store::writeConfNumber(static_cast<int>(records.size()));
}

store::Configuration WindowTest::record(const std::string& name, std::int32_t id) {
    store::Configuration r = store::newConfigurationDefaults(name, "Inbox");
    r.ProfileID = id;
    return r;
}

void WindowTest::writeLanguageFile(const std::string& fileName, const std::string& bytes) {
    std::ofstream out(home / fileName, std::ios::binary);
    out << bytes;
}

frmConfigWin& WindowTest::open() {
    window = std::make_unique<frmConfigWin>();
    prompts->window = window.get();
    window->Form_Load();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QCoreApplication::processEvents();
    return *window;
}

void WindowTest::closeWindow() {
    window->close();
    QCoreApplication::processEvents();
}

QRadioButton* WindowTest::option(int index) const {
    for (QRadioButton* button : window->findChildren<QRadioButton*>("obSoundOption")) {
        if (button->property("index").toInt() == index) {
            return button;
        }
    }
    ADD_FAILURE() << "obSoundOption " << index;
    return nullptr;
}

std::vector<QWidget*> WindowTest::focusableControls() const {
    std::vector<QWidget*> controls;
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->focusPolicy() != Qt::NoFocus && !child->objectName().isEmpty() &&
            child->parentWidget() != nullptr && !child->objectName().startsWith("qt_")) {
            controls.push_back(child);
        }
    }
    return controls;
}

void WindowTest::focus(QWidget* widget) {
    widget->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents();
}

void WindowTest::focus(const char* name) {
    focus(control<QWidget>(name));
}

void WindowTest::click(QAbstractButton* button) {
    ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    focus(button);
    button->click();
    QCoreApplication::processEvents();
}

void WindowTest::click(const char* name) {
    click(control<QAbstractButton>(name));
}

void WindowTest::typeInto(const char* name, const QString& text) {
    auto* field = control<QLineEdit>(name);
    ASSERT_TRUE(field->isEnabled()) << name;
    focus(field);
    field->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(field, Qt::Key_Delete);
    } else {
        QTest::keyClicks(field, text);
    }
}

void WindowTest::pressKey(QWidget* widget, int key) {
    QTest::keyClick(widget, static_cast<Qt::Key>(key));
    QCoreApplication::processEvents();
}

void WindowTest::chooseConfiguration(int entry) {
    auto* list = control<QComboBox>("cbConfNum");
    focus(list);
    list->setCurrentIndex(entry);
    QCoreApplication::processEvents();
}

void WindowTest::chooseServerType(int type) {
    auto* list = control<QComboBox>("cbEServType");
    focus(list);
    list->setCurrentIndex(type);
}

void WindowTest::chooseLanguage(const QString& name) {
    auto* list = control<QComboBox>("cbExternLang");
    focus(list);
    const int entry = list->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_GE(entry, 0) << name.toStdString();
    // What the list does when the user picks an entry: select it, then report the choice.
    list->setCurrentIndex(entry);
    emit list->activated(entry);
    QCoreApplication::processEvents();
}

void WindowTest::expectRuleTable(bool configurationEnabled, int line) {
    SCOPED_TRACE(testing::Message() << "rule table checked at line " << line);
    editor::RuleInputs in;
    in.enabled = configurationEnabled;
    in.serverType = control<QComboBox>("cbEServType")->currentIndex();
    in.alarm = control<QCheckBox>("cbAlarm")->isChecked();
    in.soundCard = option(1)->isChecked();
    in.popupWin = control<QCheckBox>("cbPopupWin")->isChecked();
    in.runEClient = control<QCheckBox>("cbRunEClient")->isChecked();
    const editor::FieldEnabling f = editor::EnabledFields(in);
    const auto expect = [&](std::initializer_list<const char*> names, bool enabled) {
        for (const char* name : names) {
            EXPECT_EQ(control<QWidget>(name)->isEnabled(), enabled) << name;
        }
    };
    expect({"lblConfName", "txtConfName", "lblEServType", "cbEServType", "lblUserName",
            "txtUserName", "lblEClient", "txtEClient", "keyEClient", "lblWhTime", "txtWhTime",
            "cbAlarm", "cbWaitEClient"},
           f.general);
    expect({"keySelectProf", "keyDefProf"}, f.profileButtons);
    expect({"lblUserPassword", "txtUserPassword"}, f.password);
    expect({"lblInetServer", "txtINetServer", "lblINetPort", "txtINetPort"}, f.internetServer);
    expect({"lblExFolder", "txtExFolder", "keyExFolder"}, f.exchangeFolder);
    EXPECT_EQ(option(0)->isEnabled(), f.soundOptions) << "obSoundOption 0";
    EXPECT_EQ(option(1)->isEnabled(), f.soundOptions) << "obSoundOption 1";
    expect({"lblWavFile", "txtWavName", "keySelectWav", "keyPlayWav"}, f.wavFields);
    expect({"cbPopupWin"}, f.popupWin);
    expect({"cbRunEClient"}, f.runEClient);
    // The list and the global options are never governed.
    expect({"cbConfNum", "keyNewConf", "keyDelConf", "keyStopConfig", "cbExternLang",
            "cbRunAtStartup", "keyHelp", "keyOk"},
           true);
}

std::string WindowTest::profileValue(const std::string& name) {
    return readText(modRegistryAccess::RootHive::HKEY_CURRENT_USER, store::schema::kProfilesKey,
                    name);
}

std::string WindowTest::userValue(const std::string& name) {
    return readText(modRegistryAccess::RootHive::HKEY_CURRENT_USER, store::schema::kProductKey,
                    name);
}

std::string WindowTest::machineValue(const std::string& name) {
    return readText(modRegistryAccess::RootHive::HKEY_LOCAL_MACHINE, store::schema::kMachineKey,
                    name);
}

std::vector<QString> WindowTest::listEntries() const {
    std::vector<QString> entries;
    auto* list = control<QComboBox>("cbConfNum");
    for (int i = 0; i < list->count(); ++i) {
        entries.push_back(list->itemText(i));
    }
    return entries;
}

}  // namespace apptest
