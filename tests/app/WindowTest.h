#pragma once
// The main window on the real settings store in a temporary home, with scripted answers
// at message boxes and file dialogs, a sound device that records, a recording help
// viewer and a clock that moves only while the window handles events.

#include <gtest/gtest.h>

#include <QString>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/frmConfigWin.h"
#include "editor/EventWait.h"
#include "store/Configuration.h"
#include "support/FakeHelp.h"
#include "support/FakeSound.h"
#include "support/RecordingPrompts.h"
#include "support/TestRegistry.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace apptest {

class WriteLog;

// Records, for every box and dialog, whether the main window was on top at that moment.
class TopmostPrompts final : public testsupport::RecordingPrompts {
public:
    int messageBox(const std::string& text, int style, const std::string& title) override;
    std::optional<std::string> openFile(const std::string& title,
                                        const std::string& filter) override;

    const QWidget* window = nullptr;
    std::vector<bool> topmostAtBox;
    std::vector<bool> topmostAtDialog;
};

// A second of the clock passes every four rounds of event handling.
class SteppingClock final : public editor::EventWait {
public:
    double secondsOfDay() override { return now; }
    void processEvents() override;

    double now = 36000.0;
    int rounds = 0;
};

class WindowTest : public testing::Test {
protected:
    WindowTest();
    ~WindowTest() override;

    // The installation's values: HomeDir (the scratch home, with a separator at the end)
    // and the four server type names.
    void installMachineValues();
    // Stores configurations in slots 0, 1, ... and their count, as earlier runs left them.
    void storeConfigurations(const std::vector<store::Configuration>& records);
    static store::Configuration record(const std::string& name, std::int32_t id);
    // Writes a language file into the home directory, in the given bytes.
    void writeLanguageFile(const std::string& fileName, const std::string& bytes);

    // Creates and opens the window, and waits until it is active (the list has the focus).
    frmConfigWin& open();
    // Closes it as the close box does.
    void closeWindow();

    template <class T>
    T* control(const char* name) const {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QRadioButton* option(int index) const;
    std::vector<QWidget*> focusableControls() const;

    // What a user does.
    void focus(QWidget* widget);
    void focus(const char* name);
    void click(const char* name);
    void click(QAbstractButton* button);
    void typeInto(const char* name, const QString& text);
    void pressKey(QWidget* widget, int key);
    void chooseConfiguration(int entry);
    void chooseServerType(int type);
    void chooseLanguage(const QString& name);

    // The enabled state of every governed control matches the rule table for the shown
    // values and the given enabled state of the configuration.
    void expectRuleTable(bool configurationEnabled, int line);

    // Stored texts; "<missing>" for a value that does not exist.
    static std::string profileValue(const std::string& name);
    static std::string userValue(const std::string& name);
    static std::string machineValue(const std::string& name);
    std::vector<QString> listEntries() const;

    testsupport::ScopedTestRegistry scopedRegistry;
    std::filesystem::path home;
    WriteLog* log = nullptr;
    TopmostPrompts* prompts = nullptr;
    testsupport::ScopedFakeSound sound;
    testsupport::ScopedFakeHelp help;
    SteppingClock* clock = nullptr;
    std::unique_ptr<frmConfigWin> window;
};

#define EXPECT_RULE_TABLE(enabled) expectRuleTable(enabled, __LINE__)

}  // namespace apptest
