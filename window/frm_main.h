#pragma once

#include <array>
#include <filesystem>
#include <string_view>

#include <QMainWindow>

#include "engine/clean_settings.h"
#include "engine/cleanup_log.h"
#include "engine/file_system.h"
#include "engine/run_state.h"
#include "engine/user_interface.h"
#include "window/window_interface.h"

class QAction;
class QCheckBox;
class QCloseEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace klarwell::progressbar {
class ProgressBarWidget;
}

namespace klarwell::window {

class Dialogs;
class FileListBox;

// The program's one window: its controls and their handlers. It holds the run state a clean run
// shares and the engine's user interface on its controls.
class frmMain : public QMainWindow {
public:
    frmMain(Dialogs& dialogs, engine::FileSystem& fs, engine::CleanupLog& log,
            QWidget* parent = nullptr);
    ~frmMain() override;

    // Places the window in the middle of its screen.
    void CenterOnScreen();

    // The option values as the controls stand, for one clean run.
    [[nodiscard]] engine::CleanSettings TakeSettings();

    // Handlers, under the names of the controls and events they serve.
    void Form_Load();
    void Form_Unload();
    void mnuAbout_Click();
    void mnuExit_Click();
    void cmdBrowse_Click();
    void cmdRemove_Click();
    void btnLeadingZerosUp_Click();
    void btnLeadingZerosDn_Click();
    void txtFirstIndex_Change();
    void txtFirstIndex_LostFocus();
    void chkAddPrefix_Click();
    void chkAddSuffix_Click();
    void chkRemoveOriginalName_Click();
    void txtPrefix_Change();
    void txtSuffix_Change();
    void txtReplace_Change(int index);
    void txtWith_Change(int index);

    // Shows the index controls while a ticked prefix or suffix holds "#", then applies
    // SetOptionsForRemoveName.
    void UpdateIndexControls();
    // Disables the name-editing controls while the original names are discarded.
    void SetOptionsForRemoveName();

    // Public variables of the window: the run state a clean run shares, and the folder choice.
    engine::RunState Run;
    std::filesystem::path strresfolder;  // result of the last folder choice
    std::filesystem::path Path;          // the chosen source folder; empty when none

    // Controls; each objectName is the member's name, "name(i)" for a member of an array.
    QFrame* Frame2 = nullptr;
    QLabel* Image1 = nullptr;
    std::array<QLabel*, 3> Label1{};  // members 0 and 2 exist
    QLabel* Label4 = nullptr;
    QLabel* lblFilePath = nullptr;
    FileListBox* File1 = nullptr;
    QCheckBox* ChkRemoveDigits = nullptr;
    QCheckBox* ChkRemovePostDigits = nullptr;
    std::array<QRadioButton*, 4> optUnderscore{};
    QGroupBox* Frame3 = nullptr;
    QLabel* Label2 = nullptr;
    std::array<QCheckBox*, engine::kReplacementCount> chkReplace{};
    std::array<QLineEdit*, engine::kReplacementCount> txtReplace{};
    std::array<QLineEdit*, engine::kReplacementCount> txtWith{};
    QLabel* Label3 = nullptr;
    QCheckBox* chkAddPrefix = nullptr;
    QLineEdit* txtPrefix = nullptr;
    QCheckBox* chkAddSuffix = nullptr;
    QLineEdit* txtSuffix = nullptr;
    QLabel* lblLeadingZeros = nullptr;
    QLabel* lblNumLeadingZeros = nullptr;
    QPushButton* btnLeadingZerosUp = nullptr;
    QPushButton* btnLeadingZerosDn = nullptr;
    QLabel* lblFirstIndex = nullptr;
    QLineEdit* txtFirstIndex = nullptr;
    QCheckBox* chkRemoveOriginalName = nullptr;
    QFrame* Frame1 = nullptr;
    QLabel* lblProgress = nullptr;
    progressbar::ProgressBarWidget* ProgressBar1 = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QPushButton* cmdRemove = nullptr;
    QLabel* StatusBar1 = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuAbout = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class WindowInterface;  // reports a folder that can no longer be listed

    void CreateControls();
    void ConnectHandlers();
    void SetTabOrder();
    // The no-folder state after a cancelled or failed choice; the status line is the caller's, so
    // that a list that cannot be re-read after a run keeps the count of renamed files.
    void ClearFolder();
    // Tells the user a folder cannot be listed and falls back to the no-folder state.
    void ReportUnlistableFolder(const std::filesystem::path& folder, const std::error_code& error);
    // The check of a prefix, suffix or With field: tells of forbidden characters, then removes
    // them.
    void CheckFieldText(QLineEdit* field, bool allowHash);
    void SetTextFieldEnabled(QLineEdit* field, bool enabled);
    engine::Answer ShowMessage(std::string_view text, std::string_view title,
                               engine::Buttons buttons, engine::Icon icon);

    Dialogs& m_Dialogs;
    engine::FileSystem& m_FileSystem;
    engine::CleanupLog& m_Log;
    // The values of the last take, kept for the digit count and first index while hidden.
    engine::CleanSettings m_LastSettings;
    WindowInterface m_Interface{*this, m_Dialogs};
    bool m_Running = false;
};

}  // namespace klarwell::window
