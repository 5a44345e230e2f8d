#pragma once
// The main window on the real store in a temporary home, scripted prompts and a stepping clock.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/frmConfigWin.h"
#include "editor/EventWait.h"
#include "platform/qt/WindowTopmost.h"
#include "registry/modRegistryAccess.h"
#include "store/Configuration.h"
#include "store/GlobalSettings.h"
#include "store/ProfileList.h"
#include "store/ProfileStore.h"
#include "store/SettingsSchema.h"
#include "support/FakeHelp.h"
#include "support/FakeSound.h"
#include "support/RecordingPrompts.h"
#include "support/RecordingRegistry.h"
#include "support/TestRegistry.h"

namespace apptest {

using Entries = std::vector<std::string>;
using modRegistryAccess::RootHive;
using platform::msgbox::kAnswerNo;
using platform::msgbox::kAnswerYes;

// A second of the clock passes every four rounds of event handling.
class SteppingClock final : public editor::EventWait {
    double now = 36000.0;
    double secondsOfDay() override { return now; }
    void processEvents() override {
        QCoreApplication::processEvents();
        now += 0.25;
    }
};

class WindowTest : public testing::Test {
protected:
    WindowTest() : home(scopedRegistry.scratchDir() / "qbhome") {
        static int argc = 1;
        static char name[] = "qb_test_app";
        static char* argv[] = {name, nullptr};
        [[maybe_unused]] static auto* application = new QApplication(argc, argv);
        std::filesystem::create_directories(home);
        auto logged = std::make_unique<testsupport::RecordingRegistry>(false);
        log = logged.get();
        platform::installRegistry(std::move(logged));
        prompts->setTopmostProbe([this] { return window && topmost(); });
        editor::installEventWait(std::make_unique<SteppingClock>());
        for (const auto& [name, text] :
             {std::pair<std::string, std::string>{"HomeDir", home.string() + "/"},
              {"WorkMode0", "Exchange folder"},
              {"WorkMode1", "Exchange profile"},
              {"WorkMode2", "Exchange with password"},
              {"WorkMode3", "Internet mail (POP3)"}}) {
            writeText(RootHive::HKEY_LOCAL_MACHINE, store::schema::kMachineKey, name, text);
        }
    }
    ~WindowTest() override {
        window.reset();
        editor::installEventWait(nullptr);
    }

    static void storeConfigurations(const std::vector<store::Configuration>& records) {
        store::createUserKeys();
        for (std::size_t slot = 0; slot < records.size(); ++slot) {
            store::writeConfiguration(static_cast<int>(slot), records[slot]);
        }
        store::writeConfNumber(static_cast<int>(records.size()));
    }
    static store::Configuration record(const std::string& name, std::int32_t id) {
        store::Configuration r = store::newConfigurationDefaults(name, "Inbox");
        r.ProfileID = id;
        return r;
    }
    void writeLanguageFile(const std::string& fileName, const std::string& bytes) const {
        std::ofstream(home / fileName, std::ios::binary) << bytes;
    }
    static void writeUserValue(const std::string& name, const std::string& text) {
        writeText(RootHive::HKEY_CURRENT_USER, store::schema::kProductKey, name, text);
    }

    void open() {
        window.reset();
        window = std::make_unique<frmConfigWin>();
        window->Form_Load();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QCoreApplication::processEvents();
    }
    void closeWindow() {
        window->close();
        QCoreApplication::processEvents();
    }

    template <class T = QWidget>
    T* control(const char* name) const {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QRadioButton* option(int index) const {
        return window->findChildren<QRadioButton*>("obSoundOption").value(index);
    }
    bool topmost() const { return platform::isWindowTopmost(*window); }
    std::string text(const char* name) const {
        return control(name)->property("text").toString().toStdString();
    }
    bool checked(const char* name) const { return control<QCheckBox>(name)->isChecked(); }

    void focus(QWidget* widget) {
        widget->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
    }
    void click(QAbstractButton* button) {
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        focus(button);
        button->click();
        QCoreApplication::processEvents();
    }
    void click(const char* name) { click(control<QAbstractButton>(name)); }
    void typeInto(const char* name, const QString& text) {
        auto* field = control<QLineEdit>(name);
        ASSERT_TRUE(field->isEnabled()) << name;
        focus(field);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }
    void pressKey(QWidget* widget, int key) {
        QTest::keyClick(widget, static_cast<Qt::Key>(key));
        QCoreApplication::processEvents();
    }
    void pressKey(const char* name, int key) { pressKey(control(name), key); }
    void choose(const char* listName, int entry) {
        focus(control(listName));
        control<QComboBox>(listName)->setCurrentIndex(entry);
        QCoreApplication::processEvents();
    }
    void chooseLanguage(const QString& name) {
        auto* list = control<QComboBox>("cbExternLang");
        focus(list);
        const int entry = list->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
        ASSERT_GE(entry, 0) << name.toStdString();
        // What the list does when the user picks an entry: select it, then report the choice.
        list->setCurrentIndex(entry);
        emit list->activated(entry);
        QCoreApplication::processEvents();
    }

    void expectRuleTable(bool on, int line) {
        SCOPED_TRACE(testing::Message() << "rule table checked at line " << line);
        // Without a listed type the type-dependent controls stay as the editor's switch set them.
        const int type = control<QComboBox>("cbEServType")->currentIndex();
        const auto typeIs = [&](std::initializer_list<int> types) {
            return on && (type < 0 || type > 3 ||
                          std::find(types.begin(), types.end(), type) != types.end());
        };
        const auto expect = [&](std::initializer_list<const char*> names, bool enabled) {
            for (const char* name : names) {
                EXPECT_EQ(control(name)->isEnabled(), enabled) << name;
            }
        };
        expect({"lblConfName", "txtConfName", "lblEServType", "cbEServType", "lblUserName",
                "txtUserName", "lblEClient", "txtEClient", "keyEClient", "lblWhTime", "txtWhTime",
                "cbAlarm", "cbWaitEClient"},
               on);
        expect({"keySelectProf", "keyDefProf"}, typeIs({0, 1, 2}));
        expect({"lblUserPassword", "txtUserPassword"}, typeIs({2, 3}));
        expect({"lblInetServer", "txtINetServer", "lblINetPort", "txtINetPort"}, typeIs({3}));
        expect({"lblExFolder", "txtExFolder", "keyExFolder"}, typeIs({0}));
        const bool alarm = on && checked("cbAlarm");
        EXPECT_EQ(option(0)->isEnabled(), alarm) << "obSoundOption 0";
        EXPECT_EQ(option(1)->isEnabled(), alarm) << "obSoundOption 1";
        expect({"lblWavFile", "txtWavName", "keySelectWav", "keyPlayWav"},
               alarm && option(1)->isChecked());
        expect({"cbPopupWin"}, on && !checked("cbRunEClient"));
        expect({"cbRunEClient"}, on && !checked("cbPopupWin"));
        // The list and the global options are never governed.
        expect({"cbConfNum", "keyNewConf", "keyDelConf", "keyStopConfig", "cbExternLang",
                "cbRunAtStartup", "keyHelp", "keyOk"},
               true);
    }

    // Stored texts; "<missing>" for a value that does not exist.
    static std::string profileValue(const std::string& name) {
        return readText(RootHive::HKEY_CURRENT_USER, store::schema::kProfilesKey, name);
    }
    static std::string userValue(const std::string& name) {
        return readText(RootHive::HKEY_CURRENT_USER, store::schema::kProductKey, name);
    }
    std::string entries(const char* name) const {
        auto* list = control<QComboBox>(name);
        std::string all;
        for (int i = 0; i < list->count(); ++i) {
            all += list->itemText(i).toStdString() + "|";
        }
        return all;
    }

    testsupport::ScopedTestRegistry scopedRegistry;
    std::filesystem::path home;
    testsupport::RecordingRegistry* log = nullptr;
    testsupport::ScopedRecordingPrompts prompts;
    testsupport::ScopedFakeSound sound;
    testsupport::ScopedFakeHelp help;
    std::unique_ptr<frmConfigWin> window;

    static void writeText(RootHive hive, const char* path, const std::string& name,
                          const std::string& text) {
        modRegistryAccess::CreateRegKey(hive, path);
        modRegistryAccess::WriteRegValue(hive, path, name, text, modRegistryAccess::kRegSz);
    }
    static std::string readText(RootHive hive, const char* path, const std::string& name) {
        const auto value = modRegistryAccess::ReadRegValue(hive, path, name);
        return modRegistryAccess::isEmpty(value) ? "<missing>" : modRegistryAccess::toText(value);
    }
};

#define EXPECT_RULE_TABLE(enabled) expectRuleTable(enabled, __LINE__)

}  // namespace apptest
