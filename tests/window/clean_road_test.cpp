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

const QString kBackupWarning = QStringLiteral(
    "Since this process can not be reversed, it is recomended that \r\n"
    "you make a backup of your source directory before proceeding.\r\n\r\n"
    "Are you sure you want to continue?");

void ChooseFolder(WindowUnderTest& w) {
    w.Dialogs.Folders = {w.Music.Path()};
    w.Form.cmdBrowse_Click();
}

TEST(CmdRemoveClick, WithoutAFolderAsksForOneFirst) {
    struct Row {
        const char* why;
        bool chooseInChooser;
        QStringList titles;
        QString status;
    };
    const Row rows[] = {
        {"chooser cancelled: no backup warning",
         false,
         {QStringLiteral("Klarwell")},
         QStringLiteral("File Clean process canceled.")},
        {"folder chosen: straight on to the backup warning, answered No",
         true,
         {QStringLiteral("Klarwell"), QStringLiteral("Klarwell")},
         QStringLiteral("File Clean process canceled.")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        w.Music.CreateFile("a b.mp3");
        w.Dialogs.Folders = {row.chooseInChooser ? w.Music.Path() : std::filesystem::path()};
        w.Dialogs.Answers = {QMessageBox::Ok, QMessageBox::No};
        w.Form.cmdRemove->click();
        ASSERT_EQ(w.Dialogs.Boxes.size(), static_cast<std::size_t>(row.titles.size()));
        EXPECT_EQ(w.Dialogs.Boxes[0].Text,
                  QStringLiteral("You must choose a path before proceeding"));
        EXPECT_EQ(w.Dialogs.Boxes[0].Buttons, QMessageBox::Ok);
        EXPECT_EQ(w.Dialogs.Boxes[0].Icon, QMessageBox::NoIcon);
        if (row.chooseInChooser) {
            EXPECT_EQ(w.Dialogs.Boxes[1].Text, kBackupWarning);
        }
        EXPECT_EQ(w.Dialogs.ChooserTitles.size(), 1U);
        EXPECT_EQ(w.Form.StatusBar1->text(), row.status);
        EXPECT_EQ(w.Music.Names(), Names{"a b.mp3"});
    }
}

TEST(CmdRemoveClick, RunsTheWholeRoadAndLogsEachRename) {
    WindowUnderTest w;
    for (const char* name : {"01 Intro.mp3", "Rock & Roll's.wav", "clean.mp3", "notes.txt"}) {
        w.Music.CreateFile(name, name);
    }
    ChooseFolder(w);
    w.Dialogs.Answers = {QMessageBox::Yes, QMessageBox::Yes, QMessageBox::Ok};
    w.Form.cmdRemove->click();

    ASSERT_EQ(w.Dialogs.Boxes.size(), 3U);
    const ShownBox& backup = w.Dialogs.Boxes[0];
    EXPECT_EQ(backup.Text, kBackupWarning);
    EXPECT_EQ(backup.Title, QStringLiteral("Klarwell"));
    EXPECT_EQ(backup.Buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(backup.Default, QMessageBox::Yes);
    EXPECT_EQ(backup.Icon, QMessageBox::NoIcon);
    EXPECT_EQ(w.Dialogs.Boxes[1].Title, QStringLiteral("Klarwell Task Confirmation"));
    EXPECT_TRUE(
        w.Dialogs.Boxes[1].Text.endsWith(QStringLiteral("Are you sure you want to continue?")));
    const ShownBox& finished = w.Dialogs.Boxes[2];
    EXPECT_EQ(finished.Text, QStringLiteral("Finished!\r\n2 file(s) cleaned"));
    EXPECT_EQ(finished.Buttons, QMessageBox::Ok);
    EXPECT_EQ(finished.Icon, QMessageBox::NoIcon);

    // "&" becomes "and", the apostrophe goes, spaces become underscores.
    EXPECT_EQ(w.Music.Names(),
              (Names{"01_Intro.mp3", "Rock_and_Rolls.wav", "clean.mp3", "notes.txt"}));
    EXPECT_EQ(w.Music.Read("Rock_and_Rolls.wav"), "Rock & Roll's.wav");
    const std::string folder = w.Music.Path().native();
    EXPECT_EQ(w.ProgramFolder.Read("cleanup.log"), "Re-named" + folder + "/01 Intro.mp3 as " +
                                                       folder + "/01_Intro.mp3\r\n" + "Re-named" +
                                                       folder + "/Rock & Roll's.wav as " + folder +
                                                       "/Rock_and_Rolls.wav\r\n");
    EXPECT_EQ(w.Form.File1->Names(), (Names{"01_Intro.mp3", "clean.mp3", "Rock_and_Rolls.wav"}));
    EXPECT_EQ(w.Form.StatusBar1->text(), QStringLiteral("2 cleaned"));
    EXPECT_EQ(w.Form.Corrections, 2);
    EXPECT_TRUE(w.Form.ProgressBar1->isHidden());
    EXPECT_TRUE(w.Form.lblProgress->isHidden());
    EXPECT_EQ(w.Form.ProgressBar1->Value(), 100);
}

TEST(CmdRemoveClick, ADigitCountTooSmallIsRefusedAndFocusGoesToTheFirstIndex) {
    struct Row {
        const char* why;
        int files;
        const char* digitCount;
        const char* firstIndex;
        QMessageBox::StandardButton backupAnswer;
        QString message;  // empty: no refusal, the summary is declined instead
    };
    const Row rows[] = {
        {"12 files need two digits", 12, "1", "1", QMessageBox::Yes,
         QStringLiteral("There must be at least 2 digits in the index number since your selected "
                        "folder contains 12 files.")},
        {"10 files from 95 reach 104", 10, "2", "95", QMessageBox::Yes,
         QStringLiteral("There must be at least 3 digits in the index number since your selected "
                        "folder contains 10 files in addition to a start index of 95.")},
        {"both messages when the backup warning is answered No", 12, "1", "1", QMessageBox::No,
         QStringLiteral("There must be at least 2 digits in the index number since your selected "
                        "folder contains 12 files.")},
        {"9 files fit one digit", 9, "1", "1", QMessageBox::Yes, QString()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        for (int i = 0; i < row.files; ++i) {
            w.Music.CreateFile("s" + std::to_string(i) + ".mp3");
        }
        ChooseFolder(w);
        w.Form.txtPrefix->setText(QStringLiteral("#"));
        w.Form.lblNumLeadingZeros->setText(QLatin1String(row.digitCount));
        w.Form.txtFirstIndex->setText(QLatin1String(row.firstIndex));
        w.Form.cmdRemove->setFocus();
        w.Dialogs.Answers = {row.backupAnswer,
                             row.message.isEmpty() ? QMessageBox::No : QMessageBox::Ok};
        w.Form.cmdRemove_Click();
        ASSERT_EQ(w.Dialogs.Boxes.size(), 2U);
        if (!row.message.isEmpty()) {
            EXPECT_EQ(w.Dialogs.Boxes[1].Text, row.message);
            EXPECT_EQ(w.Dialogs.Boxes[1].Buttons, QMessageBox::Ok);
            EXPECT_EQ(w.Form.focusWidget(), w.Form.txtFirstIndex);
        } else {
            EXPECT_EQ(w.Dialogs.Boxes[1].Title, QStringLiteral("Klarwell Task Confirmation"));
            EXPECT_EQ(w.Form.focusWidget(), w.Form.cmdRemove);
        }
        EXPECT_EQ(w.Form.StatusBar1->text(), QStringLiteral("File Clean process canceled."));
        EXPECT_EQ(w.Music.Names().size(), static_cast<std::size_t>(row.files));
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
    w.Dialogs.Answers = {QMessageBox::Yes, QMessageBox::Yes, QMessageBox::Ok, QMessageBox::Ok,
                         QMessageBox::Ok};
    w.Form.cmdRemove_Click();
    ASSERT_EQ(w.Dialogs.Boxes.size(), 5U);
    EXPECT_TRUE(w.Dialogs.Boxes[2].Text.startsWith(
        QStringLiteral("Could not rename a b.mp3 to a_b.mp3: No such file or directory")));
    EXPECT_EQ(w.Dialogs.Boxes[3].Text,
              QStringLiteral("The folder ") + QString::fromStdString(folder) +
                  QStringLiteral(" can not be read: No such file or directory"));
    EXPECT_EQ(w.Dialogs.Boxes[4].Text, QStringLiteral("Finished!\r\n0 file(s) cleaned"));
    EXPECT_TRUE(w.Form.File1->isHidden());
    EXPECT_EQ(w.Music.Read("moved/a b.mp3"), "");
    EXPECT_EQ(w.ProgramFolder.Read("cleanup.log"), "<missing>");
}

TEST(CmdRemoveClick, ClosingTheConflictBoxStopsTheRunWithTheEntryShownSelected) {
    WindowUnderTest w;
    w.Music.CreateFile("a b.mp3", "new");
    w.Music.CreateFile("a_b.mp3", "old");
    w.Music.CreateFile("c d.mp3");
    ChooseFolder(w);
    std::vector<int> selected;
    w.Dialogs.WhileBoxOpen = [&] { selected.push_back(w.Form.File1->ListIndex()); };
    w.Dialogs.Answers = {QMessageBox::Yes, QMessageBox::Yes, QMessageBox::NoButton,
                         QMessageBox::Ok};
    w.Form.cmdRemove_Click();
    ASSERT_EQ(w.Dialogs.Boxes.size(), 4U);
    EXPECT_EQ(w.Dialogs.Boxes[2].Title, QStringLiteral("File Name Conflict"));
    EXPECT_EQ(w.Dialogs.Boxes[3].Text, QStringLiteral("Finished!\r\n0 file(s) cleaned"));
    EXPECT_EQ(selected, (std::vector<int>{-1, -1, 0, -1}));
    EXPECT_EQ(w.Music.Names(), (Names{"a b.mp3", "a_b.mp3", "c d.mp3"}));
    EXPECT_EQ(w.Music.Read("a_b.mp3"), "old");
}

TEST(ShowMessage, BoxesHaveTheirButtonsDefaultAndTitleAndClosingCountsAsCancel) {
    using engine::Answer;
    using engine::Buttons;
    struct Row {
        const char* why;
        Buttons buttons;
        const char* title;
        QMessageBox::StandardButton pressed;
        QMessageBox::StandardButtons shown;
        QMessageBox::StandardButton defaultButton;
        QString shownTitle;
        Answer expected;
    };
    const Row rows[] = {
        {"OK alone, closed", Buttons::Ok, "", QMessageBox::NoButton, QMessageBox::Ok,
         QMessageBox::Ok, QStringLiteral("Klarwell"), Answer::Ok},
        {"OK and Cancel, closed", Buttons::OkCancel, "", QMessageBox::NoButton,
         QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QStringLiteral("Klarwell"),
         Answer::Cancel},
        {"Yes and No, closed", Buttons::YesNo, "", QMessageBox::NoButton,
         QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QStringLiteral("Klarwell"),
         Answer::No},
        {"conflict box closed counts as Cancel", Buttons::YesNoCancel, "File Name Conflict",
         QMessageBox::NoButton, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::Yes, QStringLiteral("File Name Conflict"), Answer::Cancel},
        {"conflict box answered No", Buttons::YesNoCancel, "File Name Conflict", QMessageBox::No,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
         QStringLiteral("File Name Conflict"), Answer::No},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        w.Dialogs.Answers = {row.pressed};
        EXPECT_EQ(w.Form.ShowMessage("<b>a & b</b>", row.title, row.buttons, engine::Icon::None),
                  row.expected);
        ASSERT_EQ(w.Dialogs.Boxes.size(), 1U);
        EXPECT_EQ(w.Dialogs.Boxes[0].Buttons, row.shown);
        EXPECT_EQ(w.Dialogs.Boxes[0].Default, row.defaultButton);
        EXPECT_EQ(w.Dialogs.Boxes[0].Title, row.shownTitle);
        EXPECT_EQ(w.Dialogs.Boxes[0].Text, QStringLiteral("<b>a & b</b>"));
        EXPECT_EQ(w.Dialogs.Boxes[0].Format, Qt::PlainText);
    }
}

}  // namespace
}  // namespace klarwell::testing
