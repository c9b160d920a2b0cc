#include <algorithm>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "progressbar/progress_bar_widget.h"
#include "tests/support/qt_printers.h"
#include "tests/window/window_fixture.h"
#include "window/file_list_box.h"

namespace klarwell::testing {
namespace {

using Names = std::vector<std::string>;
using namespace texts::engine;
using texts::window::FolderUnreadable;
constexpr auto Yes = QMessageBox::Yes;
constexpr auto No = QMessageBox::No;
constexpr auto Ok = QMessageBox::Ok;

TEST(CmdRemoveClick, WithoutAFolderAsksForOneFirst) {
    for (const bool chosen : {false, true}) {
        SCOPED_TRACE(chosen ? "folder chosen: on to the backup warning" : "chooser cancelled");
        WindowUnderTest w;
        w.Music.CreateFile("a b.mp3");
        w.Dialogs.Folders = {chosen ? w.Music.Path() : std::filesystem::path()};
        w.Dialogs.Answers = {Ok, No};
        w.Form.cmdRemove->click();
        ASSERT_EQ(w.Dialogs.Boxes.size(), chosen ? 2U : 1U);
        EXPECT_EQ(w.Dialogs.Boxes[0].Text, Q(texts::window::kChoosePath));
        EXPECT_EQ(w.Dialogs.Boxes[0].Buttons, Ok);
        EXPECT_EQ(w.Dialogs.Boxes.back().Buttons, chosen ? Yes | No : Ok);
        EXPECT_EQ(w.Form.StatusBar1->text(), Q(kCancelledStatus));
        EXPECT_EQ(w.Music.Names(), Names{"a b.mp3"});
    }
}

TEST(CmdRemoveClick, RunsTheWholeRoadInAFolderBeyond260CharactersAndLogsEachRename) {
    WindowUnderTest w;
    const std::string deep = std::string(200, 'a') + "/" + std::string(200, 'b');
    std::filesystem::create_directories(w.Music.Path() / deep);
    for (const char* name : {"01 Intro.mp3", "Rock & Roll's.wav", "clean.mp3", "notes.txt"}) {
        w.Music.CreateFile(deep + "/" + name, name);
    }
    const std::string folder = (w.Music.Path() / deep).native();
    w.Dialogs.Folders = {folder};
    w.Form.cmdBrowse_Click();
    w.Dialogs.Answers = {Yes, Yes, Ok};
    w.Form.cmdRemove->click();

    ASSERT_EQ(w.Dialogs.Boxes.size(), 3U);
    const ShownBox& backup = w.Dialogs.Boxes[0];
    EXPECT_EQ(backup.Title, Q(texts::window::kTitle));  // the engine gives no title of its own
    EXPECT_EQ(backup.Buttons, Yes | No);
    EXPECT_EQ(backup.Default, Yes);
    EXPECT_EQ(backup.Icon, QMessageBox::NoIcon);
    EXPECT_EQ(backup.Format, Qt::PlainText);  // names may hold "<" and "&"
    EXPECT_EQ(w.Dialogs.Boxes[2].Text, Q(Finished(2)));
    // "&" becomes "and", the apostrophe goes, spaces become underscores.
    Names onDisk;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        onDisk.push_back(entry.path().filename());
    }
    std::sort(onDisk.begin(), onDisk.end());
    EXPECT_EQ(onDisk, (Names{"01_Intro.mp3", "Rock_and_Rolls.wav", "clean.mp3", "notes.txt"}));
    EXPECT_EQ(w.Music.Read(deep + "/Rock_and_Rolls.wav"), "Rock & Roll's.wav");
    EXPECT_EQ(w.ProgramFolder.Read("cleanup.log"),
              "Re-named" + folder + "/01 Intro.mp3 as " + folder + "/01_Intro.mp3\r\nRe-named" +
                  folder + "/Rock & Roll's.wav as " + folder + "/Rock_and_Rolls.wav\r\n");
    EXPECT_EQ(w.Form.File1->Names(), (Names{"01_Intro.mp3", "clean.mp3", "Rock_and_Rolls.wav"}));
    EXPECT_EQ(w.Form.StatusBar1->text(), QStringLiteral("2 cleaned"));
    EXPECT_TRUE(w.Form.ProgressBar1->isHidden() && w.Form.lblProgress->isHidden());
    EXPECT_EQ(w.Form.ProgressBar1->Value(), 100);
}

TEST(CmdRemoveClick, ADigitCountTooSmallIsRefusedAndFocusGoesToTheFirstIndex) {
    WindowUnderTest w;
    for (int i = 0; i < 10; ++i) {
        w.Music.CreateFile("s" + std::to_string(i) + ".mp3");
    }
    w.ChooseMusic();
    w.Form.txtPrefix->setText(QStringLiteral("#"));
    w.Form.txtFirstIndex->setText(QStringLiteral("95"));
    w.Form.cmdRemove->setFocus();
    w.Dialogs.Answers = {Yes, Ok};
    w.Form.cmdRemove_Click();
    ASSERT_EQ(w.Dialogs.Boxes.size(), 2U);
    EXPECT_EQ(w.Dialogs.Boxes[1].Text, Q(DigitCountMessage(3, 10, 95)));
    EXPECT_EQ(w.Form.focusWidget(), w.Form.txtFirstIndex);
    EXPECT_EQ(w.Form.StatusBar1->text(), Q(kCancelledStatus));
}

TEST(CmdRemoveClick, AFolderGoneAfterARenameKeepsTheCountInTheStatusLine) {
    WindowUnderTest w;
    const std::filesystem::path folder = w.Music.Path() / "album";
    w.Music.CreateFolder("album");
    for (const char* name : {"album/a b.mp3", "album/c d.mp3", "album/c_d.mp3"}) {
        w.Music.CreateFile(name, name);
    }
    w.Dialogs.Folders = {folder};
    w.Form.cmdBrowse_Click();
    int opened = 0;
    // The folder is moved away while the conflict box of the second file is open.
    w.Dialogs.WhileBoxOpen = [&] {
        if (++opened == 3) {
            std::filesystem::rename(folder, w.Music.Path() / "moved");
        }
    };
    w.Dialogs.Answers = {Yes, Yes, No, Ok, Ok};
    w.Form.cmdRemove_Click();
    ASSERT_EQ(w.Dialogs.Boxes.size(), 5U);
    EXPECT_EQ(w.Dialogs.Boxes[2].Title, Q(kConflictTitle));
    EXPECT_EQ(w.Dialogs.Boxes[3].Text, Q(FolderUnreadable(folder, "No such file or directory")));
    EXPECT_EQ(w.Dialogs.Boxes[4].Text, Q(Finished(1)));
    EXPECT_EQ(w.Form.StatusBar1->text(), QStringLiteral("1 cleaned"));
    EXPECT_TRUE(w.Form.File1->isHidden());
    EXPECT_EQ(w.Music.Read("moved/a_b.mp3"), "album/a b.mp3");
    EXPECT_EQ(w.Music.Read("moved/c d.mp3"), "album/c d.mp3");
}

TEST(CmdRemoveClick, ClosingTheConflictBoxStopsTheRunWithTheEntryShownSelected) {
    WindowUnderTest w;
    w.Music.CreateFile("a b.mp3", "new");
    w.Music.CreateFile("a_b.mp3", "old");
    w.Music.CreateFile("c d.mp3");
    w.ChooseMusic();
    std::vector<int> selected;
    w.Dialogs.WhileBoxOpen = [&] { selected.push_back(w.Form.File1->ListIndex()); };
    w.Dialogs.Answers = {Yes, Yes, QMessageBox::NoButton, Ok};
    w.Form.cmdRemove_Click();
    ASSERT_EQ(w.Dialogs.Boxes.size(), 4U);
    EXPECT_EQ(w.Dialogs.Boxes[2].Title, Q(kConflictTitle));
    EXPECT_EQ(w.Dialogs.Boxes[3].Text, Q(Finished(0)));
    EXPECT_EQ(selected, (std::vector<int>{-1, -1, 0, -1}));
    EXPECT_EQ(w.Music.Names(), (Names{"a b.mp3", "a_b.mp3", "c d.mp3"}));
    EXPECT_EQ(w.Music.Read("a_b.mp3"), "old");
}

}  // namespace
}  // namespace klarwell::testing
