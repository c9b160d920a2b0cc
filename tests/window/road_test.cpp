#include <algorithm>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "progressbar/progress_bar_widget.h"
#include "tests/support/qt_printers.h"
#include "tests/window/window_fixture.h"
#include "window/file_list_box.h"

// Browse and Clean from the buttons to the disk and back to the controls.
namespace klarwell::testing {
namespace {

using Names = std::vector<std::string>;
using namespace texts::engine;
using namespace texts::window;
constexpr auto Yes = QMessageBox::Yes;
constexpr auto No = QMessageBox::No;
constexpr auto Ok = QMessageBox::Ok;

TEST(CmdBrowseClick, ListsTheAudioFilesShowsTheFolderAsTextAndRaisesTheDigitCount) {
    WindowUnderTest w;
    // "%2" and markup in the folder's name stay text; a name that is not UTF-8 keeps its bytes.
    const std::string folder = "x%2y <b>z";
    w.Music.CreateFolder(folder);
    for (const std::string& name : Songs(9)) {
        w.Music.CreateFile(folder + "/" + name);
    }
    w.Music.CreateFile(folder + "/caf\xE9.mp3");
    w.Music.CreateFile(folder + "/notes.txt");
    w.Dialogs.Folders = {w.Music.Path() / folder};
    w.Form.cmdBrowse->click();
    EXPECT_EQ(w.Dialogs.ChooserTitles, Names{kBrowseTitle});
    const Names& names = w.Form.File1->Names();
    ASSERT_EQ(names.size(), 10U);
    const auto cafe = std::find(names.begin(), names.end(), "caf\xE9.mp3") - names.begin();
    EXPECT_EQ(w.Form.File1->model()->index(static_cast<int>(cafe), 0).data().toString(),
              QStringLiteral("caf\\xE9.mp3"));
    EXPECT_FALSE(w.Form.File1->isHidden());
    EXPECT_TRUE(w.Form.TakeSettings().FolderChosen);
    const std::string shown = (w.Music.Path() / folder).native();
    EXPECT_EQ(w.Form.Path, shown);
    EXPECT_EQ(w.Form.lblFilePath->text(), Q(shown));
    EXPECT_EQ(w.Form.StatusBar1->text(), Q(FolderStatus(shown, 10)));
    EXPECT_EQ(w.Form.StatusBar1->textFormat(), Qt::PlainText);
    EXPECT_EQ(w.Form.lblFilePath->textFormat(), Qt::PlainText);
    EXPECT_EQ(w.Form.lblNumLeadingZeros->text(), QStringLiteral("2"));  // two digits in 10
}

TEST(CmdBrowseClick, CancelOrAnUnreadableFolderLeavesNoFolderChosen) {
    for (const char* chosen : {"", "gone"}) {
        SCOPED_TRACE(*chosen ? "folder gone since it was chosen" : "chooser cancelled");
        WindowUnderTest w;
        w.ChooseMusic({"song.mp3"});
        w.Form.lblNumLeadingZeros->setText(QStringLiteral("4"));
        const std::filesystem::path folder = *chosen ? w.Music.Path() / chosen : "";
        w.Dialogs.Folders = {folder};
        w.Dialogs.Answers.assign(*chosen ? 1 : 0, Ok);
        w.Form.cmdBrowse_Click();
        ASSERT_EQ(w.Dialogs.Boxes.size(), *chosen ? 1U : 0U);
        if (*chosen) {
            EXPECT_EQ(w.Dialogs.Boxes[0].Text,
                      Q(FolderUnreadable(folder, "No such file or directory")));
        }
        EXPECT_TRUE(w.Form.File1->isHidden());
        EXPECT_TRUE(w.Form.Path.empty());
        EXPECT_TRUE(w.Form.Run.CancelProcess);
        EXPECT_EQ(w.Form.lblFilePath->text(), Q(kNoPathCaption));
        EXPECT_EQ(w.Form.StatusBar1->text(), Q(kNoPathStatus));
        EXPECT_EQ(w.Form.lblNumLeadingZeros->text(), QStringLiteral("4"));
    }
}

TEST(CmdRemoveClick, WithoutAFolderAsksForOneFirst) {
    for (const bool chosen : {false, true}) {
        SCOPED_TRACE(chosen ? "folder chosen: on to the backup warning" : "chooser cancelled");
        WindowUnderTest w;
        w.Music.CreateFile("a b.mp3");
        w.Dialogs.Folders = {chosen ? w.Music.Path() : std::filesystem::path()};
        w.Dialogs.Answers = {Ok, No};
        w.Form.cmdRemove->click();
        ASSERT_EQ(w.Dialogs.Boxes.size(), chosen ? 2U : 1U);
        EXPECT_EQ(w.Dialogs.Boxes[0].Text, Q(kChoosePath));
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
    EXPECT_EQ(backup.Title, Q(kTitle));  // the engine gives no title of its own
    EXPECT_EQ(backup.Buttons, Yes | No);
    EXPECT_EQ(backup.Default, Yes);
    EXPECT_EQ(backup.Icon, QMessageBox::NoIcon);
    EXPECT_EQ(backup.Format, Qt::PlainText);  // names may hold "<" and "&"
    EXPECT_EQ(w.Dialogs.Boxes[2].Text, Q(Finished(2)));
    // "&" becomes "and", the apostrophe goes, spaces become underscores; the list is read anew.
    EXPECT_EQ(w.Form.File1->Names(), (Names{"01_Intro.mp3", "clean.mp3", "Rock_and_Rolls.wav"}));
    EXPECT_EQ(w.Form.StatusBar1->text(), QStringLiteral("2 cleaned"));
    EXPECT_TRUE(w.Form.ProgressBar1->isHidden() && w.Form.lblProgress->isHidden());
    EXPECT_EQ(w.Form.ProgressBar1->Value(), 100);
}

TEST(CmdRemoveClick, ADigitCountTooSmallIsRefusedAndFocusGoesToTheFirstIndex) {
    WindowUnderTest w;
    w.ChooseMusic(Songs(10));
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
    w.ChooseMusic({"a b.mp3", "c d.mp3", "c_d.mp3"});
    int opened = 0;
    // The folder is moved away while the conflict box of the second file is open.
    w.Dialogs.WhileBoxOpen = [&] {
        if (++opened == 3) {
            std::filesystem::rename(w.Music.Path(), w.ProgramFolder.Path() / "moved");
        }
    };
    w.Dialogs.Answers = {Yes, Yes, No, Ok, Ok};
    w.Form.cmdRemove_Click();
    ASSERT_EQ(w.Dialogs.Boxes.size(), 5U);
    EXPECT_EQ(w.Dialogs.Boxes[3].Text,
              Q(FolderUnreadable(w.Music.Path(), "No such file or directory")));
    EXPECT_EQ(w.Dialogs.Boxes[4].Text, Q(Finished(1)));
    EXPECT_EQ(w.Form.StatusBar1->text(), QStringLiteral("1 cleaned"));
    EXPECT_TRUE(w.Form.File1->isHidden());
    EXPECT_EQ(w.Form.File1->ListCount(), 0);  // never the names of a folder no longer read
    EXPECT_EQ(w.ProgramFolder.Read("moved/a_b.mp3"), "a b.mp3");
    EXPECT_EQ(w.ProgramFolder.Read("moved/c d.mp3"), "c d.mp3");
}

TEST(CmdRemoveClick, AClosedBoxAnswersNoOrCancelWithTheEntryShownSelected) {
    struct Row {
        const char* why;
        std::deque<QMessageBox::StandardButton> answers;  // NoButton: the close box
        std::vector<int> selected;                        // while each box is open
        const char* status;
    };
    const Row rows[] = {
        {"the backup warning closed answers No", {QMessageBox::NoButton}, {-1}, kCancelledStatus},
        {"the conflict box closed answers Cancel and stops the run",
         {Yes, Yes, QMessageBox::NoButton, Ok},
         {-1, -1, 0, -1},
         nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        w.ChooseMusic({"a b.mp3", "a_b.mp3", "c d.mp3"});
        std::vector<int> selected;
        w.Dialogs.WhileBoxOpen = [&] { selected.push_back(w.Form.File1->ListIndex()); };
        w.Dialogs.Answers = row.answers;
        w.Form.cmdRemove_Click();
        EXPECT_EQ(selected, row.selected);
        EXPECT_EQ(w.Music.Names(), (Names{"a b.mp3", "a_b.mp3", "c d.mp3"}));
        EXPECT_EQ(w.Music.Read("a_b.mp3"), "a_b.mp3");
        if (row.status != nullptr) {
            EXPECT_EQ(w.Form.StatusBar1->text(), Q(row.status));
        } else {
            EXPECT_EQ(w.Dialogs.Boxes.back().Text, Q(Finished(0)));
        }
    }
}

}  // namespace
}  // namespace klarwell::testing
