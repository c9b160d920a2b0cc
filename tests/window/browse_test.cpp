#include <algorithm>

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "tests/support/qt_printers.h"
#include "tests/window/window_fixture.h"
#include "window/file_list_box.h"

namespace klarwell::testing {
namespace {

using namespace texts::window;

TEST(CmdBrowseClick, ListsTheAudioFilesShowsTheFolderAsTextAndRaisesTheDigitCount) {
    WindowUnderTest w;
    // "%2" and markup in the folder's name stay text; a name that is not UTF-8 keeps its bytes.
    const std::string folder = "x%2y <b>z";
    w.Music.CreateFolder(folder);
    for (const char* name : {"1.mp3", "2.MP3", "3.wav", "4.krt", "5.Mp2", "6.mp3", "7.mp3", "8.mp3",
                             "9.mp3", "caf\xE9.mp3", "notes.txt"}) {
        w.Music.CreateFile(folder + "/" + name);
    }
    w.Dialogs.Folders = {w.Music.Path() / folder};
    w.Form.cmdBrowse->click();
    EXPECT_EQ(w.Dialogs.ChooserTitles, std::vector<std::string>{kBrowseTitle});
    ASSERT_EQ(w.Form.File1->ListCount(), 10);
    const std::vector<std::string>& names = w.Form.File1->Names();
    const auto cafe = std::find(names.begin(), names.end(), "caf\xE9.mp3") - names.begin();
    EXPECT_EQ(w.Form.File1->model()->index(static_cast<int>(cafe), 0).data().toString(),
              QStringLiteral("caf\\xE9.mp3"));
    EXPECT_FALSE(w.Form.File1->isHidden());
    const std::string shown = (w.Music.Path() / folder).native();
    EXPECT_EQ(w.Form.Path, w.Music.Path() / folder);
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
        w.Music.CreateFile("song.mp3");
        w.ChooseMusic();
        w.Form.lblNumLeadingZeros->setText(QStringLiteral("4"));
        const std::filesystem::path folder = *chosen ? w.Music.Path() / chosen : "";
        w.Dialogs.Folders = {folder};
        if (*chosen) {
            w.Dialogs.Answers = {QMessageBox::Ok};
        }
        w.Form.cmdBrowse_Click();
        if (*chosen) {
            ASSERT_EQ(w.Dialogs.Boxes.size(), 1U);
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

}  // namespace
}  // namespace klarwell::testing
