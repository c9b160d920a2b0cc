#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "engine/cleanup_log.h"
#include "engine/posix_file_system.h"
#include "progressbar/progress_bar_widget.h"
#include "tests/support/program_texts.h"
#include "tests/support/qt_printers.h"
#include "tests/support/temp_folder.h"
#include "window/dialogs.h"
#include "window/file_list_box.h"
#include "window/frm_main.h"

namespace klarwell::testing {
namespace {

using Names = std::vector<std::string>;
using namespace texts::window;
constexpr auto Yes = QMessageBox::Yes;
constexpr auto Ok = QMessageBox::Ok;
constexpr auto Closed = QMessageBox::NoButton;  // the box's close box

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A message box as the user saw it: text, title, buttons, default button, icon, text format.
using ShownBox = std::tuple<QString, QString, QMessageBox::StandardButtons,
                            QMessageBox::StandardButton, QMessageBox::Icon, Qt::TextFormat>;

// A box of plain text (names may hold "<" and "&") whose first button is the default.
ShownBox Box(std::string_view text, std::string_view title = kTitle,
             QMessageBox::StandardButtons buttons = Ok,
             QMessageBox::Icon icon = QMessageBox::NoIcon) {
    return {Q(text), Q(title), buttons, buttons & Yes ? Yes : Ok, icon, Qt::PlainText};
}

// Real boxes, answered from their own event loop with the next of Answers once WhileBoxOpen has
// acted on the window behind them, as a user does. The chooser answers Folder.
struct ScriptedDialogs : window::QtDialogs {
    QMessageBox::StandardButton RunMessageBox(QMessageBox& box) override {
        Boxes.emplace_back(box.text(), box.windowTitle(), box.standardButtons(),
                           box.standardButton(box.defaultButton()), box.icon(), box.textFormat());
        EXPECT_FALSE(Answers.empty()) << "unexpected box: " << box.text().toStdString();
        const QMessageBox::StandardButton answer = Answers.empty() ? Closed : Answers.takeFirst();
        QAbstractButton* press = box.button(answer);
        EXPECT_TRUE(press != nullptr || answer == Closed);
        QMetaObject::invokeMethod(
            &box,
            [this, &box, press] {
                WhileBoxOpen();
                press != nullptr ? press->click() : void(box.close());
            },
            Qt::QueuedConnection);
        return QtDialogs::RunMessageBox(box);
    }

    std::filesystem::path ChooseFolder(QWidget*, std::string_view title) override {
        EXPECT_EQ(title, kBrowseTitle);
        return std::exchange(Folder, {});
    }

    QList<QMessageBox::StandardButton> Answers;
    std::filesystem::path Folder;
    std::vector<ShownBox> Boxes;
    std::function<void()> WhileBoxOpen = [] {};
};

// Notes the cursor the user sees while a folder is listed.
struct ListingFileSystem : engine::PosixFileSystem {
    engine::FolderListing ListFiles(const std::filesystem::path& folder) const override {
        const QCursor* cursor = QApplication::overrideCursor();
        CursorWhileListing = cursor != nullptr ? cursor->shape() : Qt::ArrowCursor;
        return PosixFileSystem::ListFiles(folder);
    }
    mutable Qt::CursorShape CursorWhileListing = Qt::ArrowCursor;
};

struct WindowUnderTest {
    WindowUnderTest() { Form.show(); }

    TempFolder Music, ProgramFolder;
    ScriptedDialogs Dialogs;
    ListingFileSystem FileSystem;
    engine::CleanupLog Log{ProgramFolder.Path(), ProgramFolder.Path() / "fallback"};
    window::frmMain Form{Dialogs, FileSystem, Log};
};

// What the user sees of the option rules: the index controls shown (of 7), the name-editing
// controls enabled (of 24; a disabled field shows the face of buttons), then the ticks of the
// prefix, suffix and discard boxes.
std::string Options(window::frmMain& f) {
    const auto open = [face = f.palette().color(QPalette::Button)](const QLineEdit* field) {
        return field->isEnabled() ||
               field->palette().color(QPalette::Active, QPalette::Base) != face;
    };
    int shown = 0;
    for (const QWidget* control : std::initializer_list<QWidget*>{
             f.lblLeadingZeros, f.lblNumLeadingZeros, f.btnLeadingZerosUp, f.btnLeadingZerosDn,
             f.chkRemoveOriginalName, f.lblFirstIndex, f.txtFirstIndex}) {
        shown += control->isHidden() ? 0 : 1;
    }
    int enabled = f.ChkRemoveDigits->isEnabled() + f.ChkRemovePostDigits->isEnabled();
    for (int i = 0; i < 6; ++i) {
        enabled += (i < 4 && f.optUnderscore[i]->isEnabled()) + f.chkReplace[i]->isEnabled();
        enabled += open(f.txtReplace[i]) + open(f.txtWith[i]);
    }
    return std::to_string(shown) + " " + std::to_string(enabled) + " " +
           (f.chkAddPrefix->isChecked() ? "P" : "-") + (f.chkAddSuffix->isChecked() ? "S" : "-") +
           (f.chkRemoveOriginalName->isChecked() ? "D" : "-");
}

TEST(FormLoad, StartsWithNoFolderCentredAndDrawnWhole) {
    WindowUnderTest w;
    window::frmMain& f = w.Form;
    EXPECT_EQ(f.windowTitle(), Q(kCaption));
    EXPECT_EQ(f.StatusBar1->text(), Q(kSelectFolderStatus));
    // The client area is 5790 by 9390 twips; the status line, 450 high, fills its bottom edge.
    EXPECT_EQ(f.StatusBar1->geometry(), QRect(0, 596, 386, 30));
    EXPECT_EQ(f.minimumSize(), f.maximumSize()) << "a fixed frame: the user cannot resize it";
    f.CenterOnScreen();  // to within the few pixels of a window frame
    const QPoint offCentre = f.geometry().center() - f.screen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 8);
    EXPECT_EQ(Options(f), "0 24 ---");
    EXPECT_TRUE(f.optUnderscore[0]->isChecked()) << "spaces become underscores";
    std::vector<QWidget*> tabs = {f.cmdBrowse,           f.cmdRemove,        f.ChkRemoveDigits,
                                  f.ChkRemovePostDigits, f.optUnderscore[0], f.optUnderscore[1],
                                  f.optUnderscore[2],    f.optUnderscore[3], f.chkAddPrefix,
                                  f.txtPrefix,           f.chkAddSuffix,     f.txtSuffix,
                                  f.btnLeadingZerosUp,   f.btnLeadingZerosDn};
    for (int i = 0; i < 6; ++i) {
        tabs.insert(tabs.end(), {f.chkReplace[i], f.txtReplace[i], f.txtWith[i]});
    }
    tabs.insert(tabs.end(), {f.File1, f.chkRemoveOriginalName, f.txtFirstIndex});
    const auto nextTab = [](QWidget* control) {
        do {
            control = control->nextInFocusChain();
        } while ((control->focusPolicy() & Qt::TabFocus) == 0);
        return control;
    };
    for (std::size_t i = 1; i < tabs.size(); ++i) {
        EXPECT_EQ(nextTab(tabs[i - 1]), tabs[i]) << "tab order, step " << i;
    }
    EXPECT_TRUE(f.File1->isHidden() && f.ProgressBar1->isHidden() && f.lblProgress->isHidden());
    for (const QCheckBox* box : {f.chkAddPrefix, f.chkAddSuffix, f.chkRemoveOriginalName}) {
        EXPECT_EQ(box->size().expandedTo(box->sizeHint()), box->size());
    }
    EXPECT_GE(f.Label3->height(), f.Label3->heightForWidth(f.Label3->width()));
    EXPECT_LT(f.Label3->geometry().bottom(), f.lblNumLeadingZeros->geometry().top());
    EXPECT_EQ(f.Label3->palette().color(QPalette::WindowText), QColor(64, 64, 64));
    EXPECT_TRUE(f.Label1[2]->font().bold() && f.Label1[0]->font().bold());
    for (int i = 1; i < 6; ++i) {  // the replacement rows stand one under the other
        EXPECT_GT(f.txtWith[i]->y(), f.txtWith[i - 1]->geometry().bottom()) << i;
    }
    EXPECT_EQ(f.Image1->pixmap().size(), QSize(48, 48));
    for (const QPushButton* button : {f.cmdBrowse, f.cmdRemove}) {  // 16 by 16, magenta clear
        const QImage picture = button->icon().pixmap(16, 16).toImage();
        EXPECT_TRUE(picture.size() == QSize(16, 16) && qAlpha(picture.pixel(0, 0)) == 0);
    }
    w.Dialogs.Answers = {Ok};
    f.mnuAbout->trigger();
    EXPECT_EQ(w.Dialogs.Boxes, (std::vector{Box(kAbout, kTitle, Ok, QMessageBox::Information)}));
    // Tab order: Clean, then the options; a replacement row from its box to its With field.
    EXPECT_EQ(f.cmdRemove->nextInFocusChain(), f.ChkRemoveDigits);
    EXPECT_EQ(f.chkReplace[3]->nextInFocusChain(), f.txtReplace[3]);
    EXPECT_EQ(f.txtReplace[3]->nextInFocusChain(), f.txtWith[3]);
}

// The option cascades, and the check of typed text: a box for the forbidden key, then the repair.
TEST(OptionRules, CascadesOfTheTicksAndTextsAndTheCheckOfTypedText) {
    WindowUnderTest w;
    window::frmMain& f = w.Form;
    struct Step {
        const char* why;
        QCheckBox* click;  // else the text is typed into the field
        QLineEdit* field;
        const char *typed, *options;
    };
    const Step steps[] = {
        {"# ticks the prefix box, whose click shows the index controls; & is refused", nullptr,
         f.txtPrefix, "#&", "7 24 P--"},
        {"unticking the prefix hides them", f.chkAddPrefix, nullptr, "", "0 24 ---"},
        {"a suffix with # shows them; & is refused", nullptr, f.txtSuffix, "a#&", "7 24 -S-"},
        {"discarding names disables name editing", f.chkRemoveOriginalName, nullptr, "", "7 0 -SD"},
        {"unticking the suffix hides them, discard too", f.chkAddSuffix, nullptr, "", "0 24 ---"},
        {"ticking the prefix shows them", f.chkAddPrefix, nullptr, "", "7 24 P--"},
        {"deleting the last # hides them", nullptr, f.txtPrefix, "\b", "0 24 P--"},
        {"a With field refuses #", nullptr, f.txtWith[2], "a#", "0 24 P--"},
        {"a keyword is not checked", nullptr, f.txtReplace[4], "&?", "0 24 P--"},
    };
    w.Dialogs.Answers = {Ok, Ok, Ok};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.why);
        step.click != nullptr ? step.click->click()
                              : QTest::keyClicks(step.field, QLatin1String(step.typed));
        EXPECT_EQ(Options(f), step.options);
    }
    const ShownBox allowed = Box(kInvalidCharHashAllowed, kInvalidCharTitle);
    EXPECT_EQ(w.Dialogs.Boxes,
              (std::vector{allowed, allowed, Box(kInvalidCharHashForbidden, kInvalidCharTitle)}));
    EXPECT_EQ(f.txtWith[2]->text(), QStringLiteral("a"));
    EXPECT_EQ(f.txtReplace[4]->text(), QStringLiteral("&?"));
}

TEST(TakeSettings, ReadsTheControlsAsTheyStand) {
    WindowUnderTest w;
    window::frmMain& f = w.Form;
    f.txtSuffix->setText(QStringLiteral("-#"));
    f.lblNumLeadingZeros->setText(QStringLiteral("3"));
    f.txtFirstIndex->setText(QStringLiteral("40"));
    f.chkRemoveOriginalName->setChecked(true);
    f.txtReplace[0]->setText(QStringLiteral("j"));  // ticks its row
    f.txtReplace[5]->setText(QStringLiteral("k"));
    f.optUnderscore[3]->setChecked(true);
    engine::CleanSettings expected;  // the rest as at start
    expected.AddSuffix = expected.IndexNumbering = expected.DiscardOriginalNames = true;
    expected.Suffix = "-#";
    expected.FileCountChars = 3;
    expected.FirstIndex = 40;
    expected.Replacements[0] = {true, "j", ""};
    expected.Replacements[5] = {true, "k", ""};
    expected.SpaceMode = engine::SpaceUnderscoreMode::KeepSpacesAndUnderscores;
    EXPECT_EQ(f.TakeSettings(), expected);
}

TEST(IndexControls, TheFirstIndexStaysPlainAndDownStopsAtTheDigitsTheHighestIndexNeeds) {
    WindowUnderTest w;
    window::frmMain& f = w.Form;
    QLineEdit* first = f.txtFirstIndex;
    for (int i = 0; i < 10; ++i) {
        w.Music.CreateFile(std::to_string(i) + ".mp3");
    }
    w.Dialogs.Folder = w.Music.Path();
    w.Form.cmdBrowse_Click();
    EXPECT_EQ(f.lblNumLeadingZeros->text(), QStringLiteral("2"));  // Browse: two digits in 10
    f.txtPrefix->setText(QStringLiteral("#"));
    first->selectAll();
    QTest::keyClick(first, Qt::Key_Backspace);
    EXPECT_EQ(first->selectedText(), QStringLiteral("0"));  // no text: a selected 0
    QTest::keyClicks(first, QStringLiteral("795"));
    EXPECT_EQ(first->text(), QStringLiteral("95"));  // two digits stay; the highest index, 104,
    f.btnLeadingZerosUp->click();
    f.btnLeadingZerosUp->click();
    f.btnLeadingZerosDn->click();
    EXPECT_EQ(f.lblNumLeadingZeros->text(), QStringLiteral("3"));  // needs three
    w.Dialogs.Answers = {Ok};
    f.btnLeadingZerosDn->click();
    EXPECT_EQ(f.lblNumLeadingZeros->text(), QStringLiteral("3"));
    EXPECT_EQ(w.Dialogs.Boxes, std::vector{Box(DigitCountText(3, 10, "95"))});
    f.lblNumLeadingZeros->setText(QStringLiteral("1"));
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(first, &focusOut);  // leaving the field cuts it to the count
    EXPECT_EQ(first->text(), QStringLiteral("5"));
}

TEST(CmdBrowseClick, ShowsTheChosenFolderAsTextAndCancelClearsIt) {
    WindowUnderTest w;
    // "%2" and markup in the folder's name stay text; a name that is not UTF-8 keeps its bytes.
    w.Music.CreateFolder("x%2y <b>z");
    w.Music.CreateFile("x%2y <b>z/caf\xE9.mp3");
    const std::string folder = w.Dialogs.Folder = w.Music.Path() / "x%2y <b>z";
    const QAbstractItemModelTester model(w.Form.File1->model(),
                                         QAbstractItemModelTester::FailureReportingMode::Fatal);
    w.Form.cmdBrowse->click();
    EXPECT_TRUE(w.FileSystem.CursorWhileListing == Qt::WaitCursor &&
                !QApplication::overrideCursor());
    EXPECT_EQ(w.Form.File1->Names(), engine::NameList{"caf\xE9.mp3"});
    EXPECT_EQ(w.Form.File1->model()->index(0, 0).data().toString(), QStringLiteral("caf\\xE9.mp3"));
    EXPECT_TRUE(w.Form.TakeSettings().FolderChosen);
    EXPECT_EQ(w.Form.Path, folder);
    EXPECT_EQ(w.Form.lblFilePath->text(), Q(folder));
    EXPECT_EQ(w.Form.StatusBar1->text(), Q(FolderStatus(folder, 1)));
    EXPECT_TRUE(w.Form.StatusBar1->textFormat() == Qt::PlainText &&
                w.Form.lblFilePath->textFormat() == Qt::PlainText);
    w.Form.cmdBrowse_Click();  // the chooser cancelled
    EXPECT_TRUE(w.Form.File1->isHidden() && w.Form.Path.empty() && w.Form.Run.CancelProcess);
    EXPECT_EQ(w.Form.lblFilePath->text(), Q(kNoPathCaption));
    EXPECT_EQ(w.Form.StatusBar1->text(), Q(kNoPathStatus));
    w.Dialogs.Folder = folder;
    w.Form.cmdBrowse->click();
    w.Dialogs.Folder = w.Music.Path() / "gone";  // a folder that cannot be listed
    w.Dialogs.Answers = {Ok};
    w.Form.cmdBrowse->click();
    EXPECT_EQ(w.Form.StatusBar1->text(), Q(kNoPathStatus));
}

// The one run: Clean asks for a folder first; the conflict box of "a b.mp3" is answered No, that of
// "c d.mp3" is closed, which stops the run, and the folder is moved away while it is open.
TEST(CmdRemoveClick, RunsWithTheBarShownTheWindowHeldAndTheEntryOfEachBoxSelected) {
    WindowUnderTest w;
    for (const char* name : {"a b.mp3", "a_b.mp3", "b c.mp3", "c d.mp3", "c_d.mp3", "e f.mp3"}) {
        w.Music.CreateFile(name, name);
    }
    w.Dialogs.Folder = w.Music.Path();
    Names seen;  // while each box is open: the entry selected, the bar shown
    w.Dialogs.WhileBoxOpen = [&] {
        seen.push_back(
            std::to_string(w.Form.File1->ListIndex()) +
            (w.Form.ProgressBar1->isVisible() && w.Form.lblProgress->isVisible() ? " bar" : ""));
        if (seen.size() > 1) {
            w.Form.mnuExit->trigger();  // refused during the run
        }
        if (seen.size() == 5) {
            std::filesystem::rename(w.Music.Path(), w.ProgramFolder.Path() / "moved");
        }
    };
    w.Dialogs.Answers = {Ok, Yes, Yes, QMessageBox::No, Closed, Ok, Ok};
    w.Form.cmdRemove->click();
    EXPECT_EQ(seen, (Names{"-1", "-1", "-1", "0 bar", "3 bar", "-1 bar", "-1 bar"}));
    ASSERT_EQ(w.Dialogs.Boxes.size(), 7U);
    EXPECT_EQ(w.Dialogs.Boxes[0], Box(kChoosePathMessage));
    EXPECT_EQ(w.Dialogs.Boxes[1], Box(kBackupWarning, kTitle, Yes | QMessageBox::No));
    EXPECT_EQ(w.Dialogs.Boxes[5],
              Box(FolderUnreadable(w.Music.Path(), "No such file or directory")));
    EXPECT_EQ(w.Form.StatusBar1->text(), Q(CleanedStatus(1)));  // the count stays
    EXPECT_TRUE(w.Form.File1->isHidden() && w.Form.File1->ListCount() == 0);
    EXPECT_TRUE(w.Form.ProgressBar1->isHidden() && w.Form.lblProgress->isHidden());
    EXPECT_EQ(w.ProgramFolder.Read("moved/e f.mp3"), "e f.mp3");  // the run stopped before it
    EXPECT_TRUE(w.Form.isVisible());
}

}  // namespace
}  // namespace klarwell::testing
