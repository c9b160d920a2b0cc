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
constexpr auto Yes = QMessageBox::Yes;
constexpr auto No = QMessageBox::No;
constexpr auto Ok = QMessageBox::Ok;

const QString kBackupWarning = QStringLiteral(
    "Since this process can not be reversed, it is recomended that \r\n"
    "you make a backup of your source directory before proceeding.\r\n\r\n"
    "Are you sure you want to continue?");
const QString kCancelled = QStringLiteral("File Clean process canceled.");

TEST(CmdRemoveClick, WithoutAFolderAsksForOneFirst) {
    struct Row {
        const char* why;
        bool chosen;
        std::size_t boxes;
    };
    const Row rows[] = {{"chooser cancelled: no backup warning", false, 1},
                        {"folder chosen: straight on to the backup warning", true, 2}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        w.Music.CreateFile("a b.mp3");
        w.Dialogs.Folders = {row.chosen ? w.Music.Path() : std::filesystem::path()};
        w.Dialogs.Answers = {Ok, No};
        w.Form.cmdRemove->click();
        ASSERT_EQ(w.Dialogs.Boxes.size(), row.boxes);
        EXPECT_EQ(w.Dialogs.Boxes[0].Text,
                  QStringLiteral("You must choose a path before proceeding"));
        EXPECT_EQ(w.Dialogs.Boxes[0].Buttons, Ok);
        EXPECT_EQ(w.Dialogs.Boxes.back().Text,
                  row.chosen ? kBackupWarning : w.Dialogs.Boxes[0].Text);
        EXPECT_EQ(w.Form.StatusBar1->text(), kCancelled);
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
    EXPECT_EQ(w.Dialogs.Boxes[0].Text, kBackupWarning);
    EXPECT_EQ(w.Dialogs.Boxes[0].Title, QStringLiteral("Klarwell"));
    EXPECT_EQ(w.Dialogs.Boxes[0].Buttons, Yes | No);
    EXPECT_EQ(w.Dialogs.Boxes[0].Default, Yes);
    EXPECT_EQ(w.Dialogs.Boxes[0].Icon, QMessageBox::NoIcon);
    EXPECT_EQ(w.Dialogs.Boxes[0].Format, Qt::PlainText);  // names may hold "<" and "&"
    EXPECT_EQ(w.Dialogs.Boxes[1].Title, QStringLiteral("Klarwell Task Confirmation"));
    EXPECT_EQ(w.Dialogs.Boxes[2].Text, QStringLiteral("Finished!\r\n2 file(s) cleaned"));
    EXPECT_EQ(w.Dialogs.Boxes[2].Buttons, Ok);
    // "&" becomes "and", the apostrophe goes, spaces become underscores.
    const Names cleaned = {"01_Intro.mp3", "Rock_and_Rolls.wav", "clean.mp3", "notes.txt"};
    Names onDisk;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        onDisk.push_back(entry.path().filename());
    }
    std::sort(onDisk.begin(), onDisk.end());
    EXPECT_EQ(onDisk, cleaned);
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
    struct Row {
        const char* why;
        int files;
        const char* digitCount;
        const char* firstIndex;
        QMessageBox::StandardButton backupAnswer;
        const char* message;
    };
    const Row rows[] = {
        {"12 files need two digits", 12, "1", "1", Yes,
         "There must be at least 2 digits in the index number since your selected folder "
         "contains 12 files."},
        {"10 files from 95 reach 104", 10, "2", "95", Yes,
         "There must be at least 3 digits in the index number since your selected folder "
         "contains 10 files in addition to a start index of 95."},
        {"both messages after the backup warning answered No", 12, "1", "1", No,
         "There must be at least 2 digits in the index number since your selected folder "
         "contains 12 files."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        for (int i = 0; i < row.files; ++i) {
            w.Music.CreateFile("s" + std::to_string(i) + ".mp3");
        }
        w.ChooseMusic();
        w.Form.txtPrefix->setText(QStringLiteral("#"));
        w.Form.lblNumLeadingZeros->setText(QLatin1String(row.digitCount));
        w.Form.txtFirstIndex->setText(QLatin1String(row.firstIndex));
        w.Form.cmdRemove->setFocus();
        w.Dialogs.Answers = {row.backupAnswer, Ok};
        w.Form.cmdRemove_Click();
        ASSERT_EQ(w.Dialogs.Boxes.size(), 2U);
        EXPECT_EQ(w.Dialogs.Boxes[1].Text, QLatin1String(row.message));
        EXPECT_EQ(w.Form.focusWidget(), w.Form.txtFirstIndex);
        EXPECT_EQ(w.Form.StatusBar1->text(), kCancelled);
    }
}

TEST(CmdRemoveClick, AFolderRemovedAfterBrowseIsReportedAndNothingIsLost) {
    WindowUnderTest w;
    const std::filesystem::path folder = w.Music.Path() / "album";
    w.Music.CreateFolder("album");
    w.Music.CreateFile("album/a b.mp3");
    w.Dialogs.Folders = {folder};
    w.Form.cmdBrowse_Click();
    std::filesystem::rename(folder, w.Music.Path() / "moved");
    w.Dialogs.Answers = {Yes, Yes, Ok, Ok, Ok};
    w.Form.cmdRemove_Click();
    ASSERT_EQ(w.Dialogs.Boxes.size(), 5U);
    EXPECT_TRUE(w.Dialogs.Boxes[2].Text.startsWith(
        QStringLiteral("Could not rename a b.mp3 to a_b.mp3: No such file or directory")));
    EXPECT_EQ(w.Dialogs.Boxes[3].Text,
              QStringLiteral("The folder ") + QString::fromStdString(folder) +
                  QStringLiteral(" can not be read: No such file or directory"));
    EXPECT_EQ(w.Dialogs.Boxes[4].Text, QStringLiteral("Finished!\r\n0 file(s) cleaned"));
    EXPECT_TRUE(w.Form.File1->isHidden());
    EXPECT_EQ(w.Music.Names(), Names{"moved"});
    EXPECT_EQ(w.Music.Read("moved/a b.mp3"), "");
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
    EXPECT_EQ(w.Dialogs.Boxes[2].Title, QStringLiteral("File Name Conflict"));
    EXPECT_EQ(w.Dialogs.Boxes[3].Text,
              QStringLiteral("The folder ") + QString::fromStdString(folder) +
                  QStringLiteral(" can not be read: No such file or directory"));
    EXPECT_EQ(w.Dialogs.Boxes[4].Text, QStringLiteral("Finished!\r\n1 file(s) cleaned"));
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
    EXPECT_EQ(w.Dialogs.Boxes[2].Title, QStringLiteral("File Name Conflict"));
    EXPECT_EQ(w.Dialogs.Boxes[3].Text, QStringLiteral("Finished!\r\n0 file(s) cleaned"));
    EXPECT_EQ(selected, (std::vector<int>{-1, -1, 0, -1}));
    EXPECT_EQ(w.Music.Names(), (Names{"a b.mp3", "a_b.mp3", "c d.mp3"}));
    EXPECT_EQ(w.Music.Read("a_b.mp3"), "old");
}

}  // namespace
}  // namespace klarwell::testing
