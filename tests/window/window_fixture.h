#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <QMessageBox>
#include <QString>

#include "engine/cleanup_log.h"
#include "engine/posix_file_system.h"
#include "tests/support/program_texts.h"
#include "tests/support/temp_folder.h"
#include "window/dialogs.h"
#include "window/frm_main.h"

namespace klarwell::testing {

inline QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct ShownBox {
    QString Text;
    QString Title;
    QMessageBox::StandardButtons Buttons;
    QMessageBox::StandardButton Default = QMessageBox::NoButton;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    Qt::TextFormat Format = Qt::AutoText;
};

// The real message boxes, answered as a user does: once a box runs, it is recorded, and from its
// own event loop the next button of Answers is pressed (NoButton: its close box is used). A box
// with no answer left fails the test and is closed. The folder chooser answers from Folders.
class ScriptedDialogs : public window::QtDialogs {
public:
    QMessageBox::StandardButton RunMessageBox(QMessageBox& box) override;
    std::filesystem::path ChooseFolder(QWidget* owner, std::string_view title) override;

    std::deque<QMessageBox::StandardButton> Answers;
    std::deque<std::filesystem::path> Folders;
    std::vector<ShownBox> Boxes;
    std::vector<std::string> ChooserTitles;
    // Runs while each box is open, as a user acting on the window behind it would.
    std::function<void()> WhileBoxOpen;
};

// The real window over the real file system, its log in a folder of its own, shown offscreen.
struct WindowUnderTest {
    WindowUnderTest();
    // Creates the files in the music folder and chooses it with Browse.
    void ChooseMusic(const std::vector<std::string>& files = {});

    TempFolder Music;
    TempFolder ProgramFolder;
    ScriptedDialogs Dialogs;
    engine::PosixFileSystem FileSystem;
    engine::CleanupLog Log{ProgramFolder.Path(), ProgramFolder.Path() / "fallback"};
    window::frmMain Form{Dialogs, FileSystem, Log};
};

// The names "s0.mp3" to "s<count-1>.mp3".
std::vector<std::string> Songs(int count);

}  // namespace klarwell::testing
