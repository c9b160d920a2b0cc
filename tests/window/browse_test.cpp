#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "tests/support/qt_printers.h"
#include "tests/window/window_fixture.h"
#include "window/display_text.h"
#include "window/file_list_box.h"
#include "window/mod_browse.h"

namespace klarwell::testing {
namespace {

QString Shown(const std::filesystem::path& folder) {
    return QString::fromStdString(folder);
}

TEST(CmdBrowseClick, ListsTheAudioFilesInNaturalOrderWithTheirOwnBytes) {
    WindowUnderTest w;
    for (const char* name : {"Track 10.mp3", "Track 2.MP3", "track 1.wav", "b.krt", "c.Mp2",
                             "notes.txt", "x.tmc", "caf\xE9.mp3"}) {
        w.Music.CreateFile(name);
    }
    w.Music.CreateFolder("folder.mp3");
    w.Dialogs.Folders = {w.Music.Path()};
    w.Form.cmdBrowse->click();
    // Digit runs compare by value, letters without case; ".tmc", ".txt" and folders stay out.
    EXPECT_EQ(w.Form.File1->Names(),
              (std::vector<std::string>{"b.krt", "c.Mp2", "caf\xE9.mp3", "track 1.wav",
                                        "Track 2.MP3", "Track 10.mp3"}));
    EXPECT_EQ(w.Form.File1->model()->index(2, 0).data().toString(), QStringLiteral("caf\\xE9.mp3"));
    EXPECT_EQ(w.Dialogs.ChooserTitles,
              std::vector<std::string>{"Please select the source folder."});
    EXPECT_FALSE(w.Form.File1->isHidden());
    EXPECT_EQ(w.Form.Path, w.Music.Path());
    EXPECT_EQ(w.Form.lblFilePath->text(), Shown(w.Music.Path()));
    EXPECT_EQ(w.Form.StatusBar1->text(), Shown(w.Music.Path()) + QStringLiteral(" - 6 files"));
}

TEST(CmdBrowseClick, RaisesTheDigitCountToTheDigitsOfTheFileCount) {
    struct Row {
        const char* why;
        int files;
        const char* countBefore;
        const char* countAfter;
        const char* status;
    };
    const Row rows[] = {
        {"no files: any count fits the single digit of 0", 0, "1", "1", " - 0 files"},
        {"one file is still \"files\"", 1, "1", "1", " - 1 files"},
        {"10 files have two digits", 10, "1", "2", " - 10 files"},
        {"150 files have three digits", 150, "1", "3", " - 150 files"},
        {"a larger count stays", 150, "5", "5", " - 150 files"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        for (int i = 0; i < row.files; ++i) {
            w.Music.CreateFile("song " + std::to_string(i) + ".mp3");
        }
        w.Form.lblNumLeadingZeros->setText(QLatin1String(row.countBefore));
        w.ChooseMusic();
        EXPECT_EQ(w.Form.lblNumLeadingZeros->text(), QLatin1String(row.countAfter));
        EXPECT_EQ(w.Form.StatusBar1->text(), Shown(w.Music.Path()) + QLatin1String(row.status));
    }
}

TEST(CmdBrowseClick, CancelOrAnUnreadableFolderLeavesNoFolderChosen) {
    struct Row {
        const char* why;
        const char* chosen;  // empty: the chooser is cancelled
        const char* message;
    };
    const Row rows[] = {
        {"chooser cancelled", "", nullptr},
        {"folder gone since it was chosen", "gone", " can not be read: No such file or directory"},
        {"a file, not a folder", "song.mp3", " can not be read: Not a directory"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        w.Music.CreateFile("song.mp3");
        w.ChooseMusic();
        w.Form.lblNumLeadingZeros->setText(QStringLiteral("4"));
        const std::filesystem::path chosen = *row.chosen ? w.Music.Path() / row.chosen : "";
        w.Dialogs.Folders = {chosen};
        if (row.message != nullptr) {
            w.Dialogs.Answers = {QMessageBox::Ok};
        }
        w.Form.cmdBrowse_Click();
        if (row.message != nullptr) {
            ASSERT_EQ(w.Dialogs.Boxes.size(), 1U);
            EXPECT_EQ(w.Dialogs.Boxes[0].Text,
                      QStringLiteral("The folder ") + Shown(chosen) + QLatin1String(row.message));
        }
        EXPECT_TRUE(w.Form.File1->isHidden());
        EXPECT_TRUE(w.Form.Path.empty());
        EXPECT_TRUE(w.Form.CancelProcess);
        EXPECT_EQ(w.Form.lblFilePath->text(), QStringLiteral("(No Path Selected)"));
        EXPECT_EQ(w.Form.StatusBar1->text(),
                  QStringLiteral("No path selected.  Process canceled."));
        EXPECT_EQ(w.Form.lblNumLeadingZeros->text(), QStringLiteral("4"));
    }
}

TEST(CmdBrowseClick, PercentSignsAndMarkupInTheFolderNameStayText) {
    WindowUnderTest w;
    w.Music.CreateFolder("x%2y <b>z");
    w.Music.CreateFile("x%2y <b>z/a.mp3");
    w.Dialogs.Folders = {w.Music.Path() / "x%2y <b>z"};
    w.Form.cmdBrowse_Click();
    const QString shown = Shown(w.Music.Path()) + QStringLiteral("/x%2y <b>z");
    EXPECT_EQ(w.Form.StatusBar1->text(), shown + QStringLiteral(" - 1 files"));
    EXPECT_EQ(w.Form.StatusBar1->textFormat(), Qt::PlainText);
    EXPECT_EQ(w.Form.lblFilePath->textFormat(), Qt::PlainText);
}

TEST(ChosenFolderBytes, FindsANameThatIsNotUtf8WithoutGuessing) {
    TempFolder root;
    root.CreateFolder("caf\xE9");
    root.CreateFolder("two\xE9");
    root.CreateFolder("two\xE8");
    const QString base = Shown(root.Path());
    struct Row {
        const char* why;
        QString chosen;
        std::filesystem::path expected;
    };
    const Row rows[] = {
        {"a UTF-8 path is taken as it is", base + QStringLiteral("/plain"), root.Path() / "plain"},
        {"the one entry shown as caf\uFFFD", base + QStringLiteral("/caf\uFFFD"),
         root.Path() / "caf\xE9"},
        {"two entries shown alike: none is guessed", base + QStringLiteral("/two\uFFFD"), ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(window::ChosenFolderBytes(row.chosen), row.expected);
    }
}

TEST(DisplayText, ShowsNamesThatAreNotUtf8Readably) {
    struct Row {
        const char* why;
        std::string bytes;
        QString shown;
    };
    const Row rows[] = {
        {"valid UTF-8 stays", "Caf\xC3\xA9.mp3", QStringLiteral("Caf\u00E9.mp3")},
        {"a Latin-1 byte", "Caf\xE9.mp3", QStringLiteral("Caf\\xE9.mp3")},
        {"a sequence cut short at the end", "a\xE2\x82", QStringLiteral("a\\xE2\\x82")},
        {"an overlong slash", "\xC0\xAF", QStringLiteral("\\xC0\\xAF")},
        {"an encoded surrogate", "\xED\xA0\x80", QStringLiteral("\\xED\\xA0\\x80")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(window::DisplayText(row.bytes), row.shown);
    }
}

}  // namespace
}  // namespace klarwell::testing
