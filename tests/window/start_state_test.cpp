#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "progressbar/progress_bar_widget.h"
#include "tests/support/qt_printers.h"
#include "tests/window/window_fixture.h"
#include "window/file_list_box.h"

namespace klarwell::testing {
namespace {

QString Caption(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    if (const auto* field = qobject_cast<const QLineEdit*>(control)) {
        return field->text();
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(control)) {
        return frame->title();
    }
    return {};
}

TEST(FormLoad, EveryControlStartsWithItsCaptionPlaceAndState) {
    struct Row {
        const char* why;
        const char* name;
        const char* caption;
        QRect geometry;  // twips divided by 15, to the nearest pixel
        bool shown;
    };
    const Row rows[] = {
        {"banner frame reaches past the top left corner", "Frame2", "", {-8, -8, 401, 64}, true},
        {"banner picture", "Image1", "", {32, 9, 48, 48}, true},
        {"banner title", "Label1(2)", "Orvane Klarwell", {89, 16, 279, 38}, true},
        {"description has two blanks after each full stop",
         "Label1(0)",
         "Klarwell scans through the source folder removing apostrophes and other troublesome "
         "characters of .wav, .mp3, and .krt files.  It will also remove a space at the front or "
         "end of the filename.  You can also add a prefix and/or suffix, and replace "
         "user-defined keywords.",
         {8, 58, 369, 64},
         true},
        {"file list heading", "Label4", "File List:", {8, 126, 45, 16}, true},
        {"no folder yet", "lblFilePath", "(No Path Selected)", {49, 126, 328, 16}, true},
        {"file list hidden until a folder is chosen", "File1", "", {8, 140, 369, 158}, false},
        {"leading digits",
         "ChkRemoveDigits",
         "Remove Digits from start of Filename (use with caution!)",
         {8, 303, 395, 21},
         true},
        {"trailing digits",
         "ChkRemovePostDigits",
         "Remove Digits from end of Filename (use with caution!)",
         {8, 322, 369, 24},
         true},
        {"space option 0",
         "optUnderscore(0)",
         "Replace Spaces with Underscores",
         {8, 356, 209, 17},
         true},
        {"space option 1",
         "optUnderscore(1)",
         "Replace Underscores with Spaces",
         {8, 372, 209, 17},
         true},
        {"space option 2",
         "optUnderscore(2)",
         "Remove Spaces and Underscores",
         {8, 387, 209, 17},
         true},
        {"space option 3",
         "optUnderscore(3)",
         "Don't Change Spaces or Underscores",
         {8, 403, 209, 17},
         true},
        {"replacement frame", "Frame3", "Optional Replacements", {230, 355, 146, 160}, true},
        {"heading with six blanks", "Label2", "Replace...      ...With", {34, 18, 102, 14}, true},
        {"first replacement box", "chkReplace(0)", "", {11, 33, 17, 17}, true},
        {"last replacement box 300 twips a row", "chkReplace(5)", "", {11, 133, 17, 17}, true},
        {"first keyword", "txtReplace(0)", "", {33, 32, 52, 19}, true},
        {"last keyword", "txtReplace(5)", "", {33, 132, 52, 19}, true},
        {"first with", "txtWith(0)", "", {86, 32, 52, 19}, true},
        {"last with", "txtWith(5)", "", {86, 132, 52, 19}, true},
        {"hint quotes the number sign",
         "Label3",
         "(Enter a \"#\" for an index number with leading zeros)",
         {163, 432, 65, 46},
         true},
        {"prefix box", "chkAddPrefix", "Add Prefix:", {8, 436, 75, 13}, true},
        {"prefix field", "txtPrefix", "", {84, 434, 76, 19}, true},
        {"suffix box", "chkAddSuffix", "Add Suffix:", {8, 460, 75, 13}, true},
        {"suffix field", "txtSuffix", "", {84, 458, 76, 19}, true},
        {"digit count heading hidden",
         "lblLeadingZeros",
         "Number Of Digits in Index #:",
         {26, 484, 135, 15},
         false},
        {"digit count 1", "lblNumLeadingZeros", "1", {164, 483, 26, 18}, false},
        {"up button", "btnLeadingZerosUp", "", {191, 483, 18, 9}, false},
        {"down button", "btnLeadingZerosDn", "", {191, 492, 18, 9}, false},
        {"first index heading",
         "lblFirstIndex",
         "Starting Index Number:",
         {26, 507, 109, 15},
         false},
        {"first index 1", "txtFirstIndex", "1", {139, 506, 70, 19}, false},
        {"discard hidden",
         "chkRemoveOriginalName",
         "Discard Original File Names (use with caution!)",
         {8, 530, 365, 13},
         false},
        {"rule above the buttons", "Frame1", "", {3, 542, 379, 8}, true},
        {"progress heading hidden", "lblProgress", "Progress", {6, 552, 199, 17}, false},
        {"progress bar hidden", "ProgressBar1", "", {6, 566, 237, 21}, false},
        {"browse", "cmdBrowse", "&Browse", {246, 555, 64, 32}, true},
        {"clean", "cmdRemove", "&Clean", {313, 555, 64, 32}, true},
        {"status line docked to the bottom edge",
         "StatusBar1",
         "Please select source folder",
         {0, 596, 386, 30},
         true},
    };
    WindowUnderTest w;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const auto* control = w.Form.findChild<QWidget*>(QLatin1String(row.name));
        ASSERT_NE(control, nullptr) << row.name;
        EXPECT_EQ(Caption(control), QString::fromUtf8(row.caption));
        EXPECT_EQ(control->geometry(), row.geometry);
        EXPECT_EQ(!control->isHidden(), row.shown);
        EXPECT_TRUE(control->isEnabled());
        if (const auto* box = qobject_cast<const QCheckBox*>(control)) {
            EXPECT_FALSE(box->isChecked());
        }
    }
    EXPECT_TRUE(w.Form.optUnderscore[0]->isChecked());
    EXPECT_EQ(w.Form.windowTitle(), QStringLiteral("Klarwell 3.0.1"));
    EXPECT_EQ(w.Form.centralWidget()->size(), QSize(386, 626));
    EXPECT_EQ(w.Form.minimumSize(), w.Form.maximumSize());
    EXPECT_FALSE(w.Form.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(w.Form.ProgressBar1->Value(), 0);
    EXPECT_EQ(w.Form.Corrections, 0);
    EXPECT_EQ(w.Form.focusWidget(), w.Form.cmdBrowse);
}

TEST(FormLoad, FontsAndColoursFollowTheWindowDefinition) {
    WindowUnderTest w;
    struct Row {
        const char* why;
        const QWidget* control;
        const char* family;
        double points;
        bool bold;
    };
    const Row rows[] = {
        {"window default", w.Form.ChkRemoveDigits, "Liberation Sans", 7.5, false},
        {"banner title", w.Form.Label1[2], "Liberation Sans", 19.5, true},
        {"description", w.Form.Label1[0], "Liberation Sans", 7.5, true},
        {"hint", w.Form.Label3, "DejaVu Sans Condensed", 7.5, false},
        {"digit count", w.Form.lblNumLeadingZeros, "Liberation Sans", 8.25, false},
        {"status line", w.Form.StatusBar1, "Liberation Sans", 8.25, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(row.control->font().family(), QLatin1String(row.family));
        EXPECT_DOUBLE_EQ(row.control->font().pointSizeF(), row.points);
        EXPECT_EQ(row.control->font().bold(), row.bold);
    }
    EXPECT_EQ(w.Form.Label3->palette().color(QPalette::WindowText), QColor(64, 64, 64));
    EXPECT_EQ(w.Form.Frame2->palette().color(QPalette::Window), QColor(Qt::white));
}

TEST(FormLoad, PicturesKeysAndTabOrder) {
    WindowUnderTest w;
    EXPECT_EQ(w.Form.Image1->pixmap().size(), QSize(48, 48));
    const QList<QSize> iconSizes = {{16, 16}, {24, 24}, {32, 32}, {48, 48}};
    EXPECT_EQ(w.Form.windowIcon().availableSizes(), iconSizes);
    // Magenta in the corner of the button pictures is drawn transparent.
    for (const QPushButton* button : {w.Form.cmdBrowse, w.Form.cmdRemove}) {
        const QImage picture = button->icon().pixmap(16, 16).toImage();
        EXPECT_EQ(picture.size(), QSize(16, 16));
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    }
    EXPECT_EQ(w.Form.cmdBrowse->shortcut(), QKeySequence(Qt::ALT | Qt::Key_B));
    EXPECT_EQ(w.Form.cmdRemove->shortcut(), QKeySequence(Qt::ALT | Qt::Key_C));
    EXPECT_EQ(w.Form.mnuFile->title(), QStringLiteral("&File"));
    EXPECT_EQ(w.Form.mnuHelp->title(), QStringLiteral("&Help"));
    EXPECT_EQ(w.Form.mnuExit->text(), QStringLiteral("Exit"));
    EXPECT_EQ(w.Form.mnuExit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_EQ(w.Form.mnuAbout->text(), QStringLiteral("&About"));

    // Show the index controls so every focusable control takes its place in the chain.
    w.Form.txtPrefix->setText(QStringLiteral("#"));
    QStringList expected = {QStringLiteral("cmdBrowse"), QStringLiteral("cmdRemove"),
                            QStringLiteral("ChkRemoveDigits"),
                            QStringLiteral("ChkRemovePostDigits")};
    for (int i = 0; i < 4; ++i) {
        expected << QStringLiteral("optUnderscore(%1)").arg(i);
    }
    expected << QStringLiteral("chkAddPrefix") << QStringLiteral("txtPrefix")
             << QStringLiteral("chkAddSuffix") << QStringLiteral("txtSuffix")
             << QStringLiteral("btnLeadingZerosUp") << QStringLiteral("btnLeadingZerosDn");
    for (int i = 0; i < 6; ++i) {
        expected << QStringLiteral("chkReplace(%1)").arg(i)
                 << QStringLiteral("txtReplace(%1)").arg(i) << QStringLiteral("txtWith(%1)").arg(i);
    }
    expected << QStringLiteral("File1") << QStringLiteral("chkRemoveOriginalName")
             << QStringLiteral("txtFirstIndex");
    QStringList chain;
    QWidget* next = w.Form.cmdBrowse;
    do {
        if ((next->focusPolicy() & Qt::TabFocus) != 0 && !next->objectName().isEmpty()) {
            chain << next->objectName();
        }
        next = next->nextInFocusChain();
    } while (next != w.Form.cmdBrowse && chain.size() < expected.size());
    EXPECT_EQ(chain, expected);
}

TEST(MnuAboutClick, ShowsTitleAndVersionOnTwoLines) {
    WindowUnderTest w;
    w.Dialogs.Answers = {QMessageBox::Ok};
    w.Form.mnuAbout->trigger();
    ASSERT_EQ(w.Dialogs.Boxes.size(), 1U);
    const ShownBox& box = w.Dialogs.Boxes[0];
    EXPECT_EQ(box.Text, QStringLiteral("Klarwell\r\n3.0.1"));
    EXPECT_EQ(box.Title, QStringLiteral("Klarwell"));
    EXPECT_EQ(box.Buttons, QMessageBox::Ok);
    EXPECT_EQ(box.Icon, QMessageBox::Information);
}

TEST(FormUnload, ExitAndCloseBoxEndTheWindowButNotDuringARun) {
    struct Row {
        const char* why;
        bool byMenu;
    };
    const Row rows[] = {{"File > Exit", true}, {"close box", false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        w.Music.CreateFile("a b.mp3");
        w.Dialogs.Folders = {w.Music.Path()};
        w.Form.cmdBrowse_Click();
        // A close asked for while the run's boxes are open is refused.
        w.Dialogs.WhileBoxOpen = [&] {
            if (row.byMenu) {
                w.Form.mnuExit->trigger();
            } else {
                w.Form.close();
            }
        };
        w.Dialogs.Answers = {QMessageBox::Yes, QMessageBox::Yes, QMessageBox::Ok};
        w.Form.cmdRemove_Click();
        EXPECT_TRUE(w.Form.isVisible());
        EXPECT_EQ(w.Music.Names(), std::vector<std::string>{"a_b.mp3"});
        w.Dialogs.WhileBoxOpen = nullptr;
        if (row.byMenu) {
            w.Form.mnuExit->trigger();
        } else {
            w.Form.close();
        }
        EXPECT_FALSE(w.Form.isVisible());
        EXPECT_EQ(w.Dialogs.Boxes.size(), 3U);
    }
}

}  // namespace
}  // namespace klarwell::testing
