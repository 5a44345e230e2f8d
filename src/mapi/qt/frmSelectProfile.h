#pragma once
// The modal list of the user's MAPI profiles, with the default profile shown beside it.
// It is created anew at every opening, so the profiles are read anew each time, and it
// hands the profile taken back to whoever opened it.

#include <QDialog>
#include <optional>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

class frmSelectProfile : public QDialog {
    Q_OBJECT

public:
    explicit frmSelectProfile(QWidget* parent = nullptr);

    // Opens a new dialog modally over `parent` and returns the profile the user took, or
    // nothing when the dialog was closed without one.
    static std::optional<QString> SelectProfile(QWidget* parent);

    // The opening sequence: on top, the texts, then the profiles and the default profile.
    // Registry failures are reported here, before the dialog is shown.
    void Form_Load();

    // The profile taken by keySelect or a double click; nothing until then.
    const std::optional<QString>& chosenProfile() const { return chosen; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void keySelect_Click();

    QGroupBox* frmProfiles = nullptr;
    QListWidget* lstProfiles = nullptr;
    QLabel* lblStdProftext = nullptr;
    QLabel* lblStdProf = nullptr;
    QPushButton* keySelect = nullptr;
    QPushButton* keyCancel = nullptr;

    std::optional<QString> chosen;
};
