#include <algorithm>
#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
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

// The real window over the real file system: its controls, cascades and roads to the disk.
namespace klarwell::testing {
namespace {

using Names = std::vector<std::string>;
using namespace texts::engine;
using namespace texts::window;
constexpr auto Yes = QMessageBox::Yes;
constexpr auto No = QMessageBox::No;
constexpr auto Ok = QMessageBox::Ok;

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct ShownBox {
    QString Text, Title;
    QMessageBox::StandardButtons Buttons;
    QMessageBox::StandardButton Default;
    QMessageBox::Icon Icon;
    Qt::TextFormat Format;
};

// The real message boxes, answered as a user does: once a box runs, it is recorded, and from its
// own event loop the next button of Answers is pressed (NoButton: its close box is used). A box
// with no answer left fails the test and is closed. The folder chooser answers from Folders.
struct ScriptedDialogs : window::QtDialogs {
    QMessageBox::StandardButton RunMessageBox(QMessageBox& box) override {
        Boxes.push_back({box.text(), box.windowTitle(), box.standardButtons(),
                         box.standardButton(box.defaultButton()), box.icon(), box.textFormat()});
        QAbstractButton* press = nullptr;
        if (Answers.empty()) {
            ADD_FAILURE() << "unexpected box: " << box.text().toStdString();
        } else {
            press = box.button(Answers.front());
            EXPECT_TRUE(press != nullptr || Answers.front() == QMessageBox::NoButton);
            Answers.pop_front();
        }
        QMetaObject::invokeMethod(
            &box,
            [this, &box, press] {
                if (WhileBoxOpen) {
                    WhileBoxOpen();
                }
                press != nullptr ? press->click() : void(box.close());
            },
            Qt::QueuedConnection);
        return QtDialogs::RunMessageBox(box);
    }

    std::filesystem::path ChooseFolder(QWidget*, std::string_view title) override {
        ChooserTitles.emplace_back(title);
        if (Folders.empty()) {
            ADD_FAILURE() << "unexpected folder chooser";
            return {};
        }
        std::filesystem::path folder = Folders.front();
        Folders.pop_front();
        return folder;
    }

    std::deque<QMessageBox::StandardButton> Answers;
    std::deque<std::filesystem::path> Folders;
    std::vector<ShownBox> Boxes;
    std::vector<std::string> ChooserTitles;
    // Runs while each box is open, as a user acting on the window behind it would.
    std::function<void()> WhileBoxOpen;
};

// The real window over the real file system, its log in a folder of its own, shown offscreen.
struct WindowUnderTest {
    WindowUnderTest() { Form.show(); }

    // Creates the files in the music folder and chooses it with Browse.
    void ChooseMusic(const Names& files = {}) {
        for (const std::string& name : files) {
            Music.CreateFile(name, name);
        }
        Dialogs.Folders = {Music.Path()};
        Form.cmdBrowse_Click();
    }

    TempFolder Music, ProgramFolder;
    ScriptedDialogs Dialogs;
    engine::PosixFileSystem FileSystem;
    engine::CleanupLog Log{ProgramFolder.Path(), ProgramFolder.Path() / "fallback"};
    window::frmMain Form{Dialogs, FileSystem, Log};
};

// The names "s0.mp3" to "s<count-1>.mp3".
Names Songs(int count) {
    Names names;
    for (int i = 0; i < count; ++i) {
        names.push_back("s" + std::to_string(i) + ".mp3");
    }
    return names;
}

void ExpectBox(const ShownBox& box, std::string_view text, std::string_view title,
               QMessageBox::StandardButtons buttons, QMessageBox::Icon icon = QMessageBox::NoIcon) {
    EXPECT_EQ(box.Text, Q(text));
    EXPECT_EQ(box.Title, Q(title));
    EXPECT_EQ(box.Buttons, buttons);
    EXPECT_EQ(box.Icon, icon);
}

// What the user sees of the option rules: the index controls shown (of 7), the name-editing
// controls enabled (of 24), then the ticks of the prefix, suffix and discard boxes.
std::string Options(window::frmMain& f) {
    int shown = 0;
    for (const QWidget* control : std::initializer_list<QWidget*>{
             f.lblLeadingZeros, f.lblNumLeadingZeros, f.btnLeadingZerosUp, f.btnLeadingZerosDn,
             f.chkRemoveOriginalName, f.lblFirstIndex, f.txtFirstIndex}) {
        shown += control->isHidden() ? 0 : 1;
    }
    std::vector<QWidget*> editing = {f.ChkRemoveDigits, f.ChkRemovePostDigits};
    editing.insert(editing.end(), f.optUnderscore.begin(), f.optUnderscore.end());
    editing.insert(editing.end(), f.chkReplace.begin(), f.chkReplace.end());
    editing.insert(editing.end(), f.txtReplace.begin(), f.txtReplace.end());
    editing.insert(editing.end(), f.txtWith.begin(), f.txtWith.end());
    int enabled = 0;
    for (const QWidget* control : editing) {
        enabled += control->isEnabled() ? 1 : 0;
        // A disabled text field shows the face of buttons, an enabled one that of entry fields.
        if (qobject_cast<const QLineEdit*>(control) != nullptr) {
            EXPECT_EQ(control->palette().color(QPalette::Base),
                      f.palette().color(control->isEnabled() ? QPalette::Base : QPalette::Button));
        }
    }
    EXPECT_TRUE(f.chkAddPrefix->isEnabled() && f.txtPrefix->isEnabled());
    EXPECT_TRUE(f.chkAddSuffix->isEnabled() && f.txtSuffix->isEnabled());
    return std::to_string(shown) + " " + std::to_string(enabled) + " " +
           (f.chkAddPrefix->isChecked() ? "P" : "-") + (f.chkAddSuffix->isChecked() ? "S" : "-") +
           (f.chkRemoveOriginalName->isChecked() ? "D" : "-");
}

TEST(FormLoad, StartsWithNoFolderDrawnWholeWithItsPicturesKeysAndTabOrder) {
    WindowUnderTest w;
    window::frmMain& f = w.Form;
    EXPECT_EQ(f.windowTitle(), Q(kCaption));
    EXPECT_EQ(f.StatusBar1->text(), Q(kSelectFolderStatus));
    // The client area is 5790 by 9390 twips; the status line, 450 high, fills its bottom edge.
    EXPECT_EQ(f.centralWidget()->size(), QSize(386, 626));
    EXPECT_EQ(f.StatusBar1->geometry(), QRect(0, 596, 386, 30));
    EXPECT_EQ(f.minimumSize(), f.maximumSize());
    EXPECT_FALSE(f.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(Options(f), "0 24 ---");
    EXPECT_TRUE(f.File1->isHidden() && f.ProgressBar1->isHidden() && f.lblProgress->isHidden());
    EXPECT_TRUE(f.optUnderscore[0]->isChecked());
    EXPECT_EQ(f.TakeSettings(), engine::CleanSettings{});
    EXPECT_EQ(f.focusWidget(), f.cmdBrowse);
    for (const QCheckBox* box : {f.chkAddPrefix, f.chkAddSuffix, f.chkRemoveOriginalName}) {
        EXPECT_EQ(box->size().expandedTo(box->sizeHint()), box->size())
            << box->objectName().toStdString();
    }
    EXPECT_GE(f.Label3->height(), f.Label3->heightForWidth(f.Label3->width()));
    EXPECT_LT(f.Label3->geometry().bottom(), f.lblNumLeadingZeros->geometry().top());
    // The styled controls: banner title, bold description, grey hint, centred digit count.
    EXPECT_EQ(f.Label1[2]->font().pointSizeF(), 19.5);
    EXPECT_TRUE(f.Label1[2]->font().bold() && f.Label1[0]->font().bold());
    EXPECT_EQ(f.Label3->palette().color(QPalette::WindowText), QColor(64, 64, 64));
    EXPECT_EQ(f.lblNumLeadingZeros->alignment(), Qt::AlignCenter);
    EXPECT_EQ(f.StatusBar1->font().pointSizeF(), 8.25);
    // The replacement rows stand one under the other inside their frame, each on one line.
    for (int i = 0; i < 6; ++i) {
        const QRect keyword = f.txtReplace[i]->geometry();
        EXPECT_NEAR(f.chkReplace[i]->geometry().center().y(), keyword.center().y(), 1) << i;
        EXPECT_EQ(f.txtWith[i]->y(), keyword.y()) << i;
        EXPECT_TRUE(f.Frame3->rect().contains(f.txtWith[i]->geometry())) << i;
        EXPECT_TRUE(i == 0 || keyword.y() > f.txtReplace[i - 1]->geometry().bottom()) << i;
    }
    EXPECT_EQ(f.Image1->pixmap().size(), QSize(48, 48));
    EXPECT_EQ(f.windowIcon().availableSizes(),
              (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}}));
    for (const QPushButton* button : {f.cmdBrowse, f.cmdRemove}) {
        // The pictures' magenta corner is drawn transparent.
        EXPECT_EQ(qAlpha(button->icon().pixmap(16, 16).toImage().pixel(0, 0)), 0);
    }
    EXPECT_EQ(f.mnuExit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    w.Dialogs.Answers = {Ok};
    f.mnuAbout->trigger();
    ASSERT_EQ(w.Dialogs.Boxes.size(), 1U);
    ExpectBox(w.Dialogs.Boxes[0], kAbout, kTitle, Ok, QMessageBox::Information);
    f.txtPrefix->setText(QStringLiteral("#"));  // shows the index controls
    QString expected = QStringLiteral(
        "cmdBrowse cmdRemove ChkRemoveDigits ChkRemovePostDigits optUnderscore(0) "
        "optUnderscore(1) optUnderscore(2) optUnderscore(3) chkAddPrefix txtPrefix chkAddSuffix "
        "txtSuffix btnLeadingZerosUp btnLeadingZerosDn");
    for (int i = 0; i < 6; ++i) {
        expected += QStringLiteral(" chkReplace(%1) txtReplace(%1) txtWith(%1)").arg(i);
    }
    expected += QStringLiteral(" File1 chkRemoveOriginalName txtFirstIndex");
    QStringList chain;
    for (QWidget* next = f.cmdBrowse; chain.size() <= expected.count(QLatin1Char(' '));
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) != 0 && !next->objectName().isEmpty()) {
            chain << next->objectName();
        }
    }
    EXPECT_EQ(chain.join(QLatin1Char(' ')), expected);
}

TEST(TextFieldCheck, EachCheckedFieldTellsOnceAndRepairs) {
    struct Row {
        const char *why, *field, *typed, *text, *message;  // typed after "ab"; a box per key
    };
    const Row rows[] = {
        {"prefix: each forbidden character", "txtPrefix", "&/", "ab", kInvalidCharHashAllowed},
        {"suffix", "txtSuffix", "?", "ab", kInvalidCharHashAllowed},
        {"With field: number sign refused", "txtWith(2)", "#", "ab", kInvalidCharHashForbidden},
        {"keywords are not checked", "txtReplace(4)", "&?", "ab&?", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        auto* field = w.Form.findChild<QLineEdit*>(QLatin1String(row.field));
        field->setText(QStringLiteral("ab"));
        const std::size_t boxes = row.message != nullptr ? std::strlen(row.typed) : 0;
        w.Dialogs.Answers.assign(boxes, Ok);
        QTest::keyClicks(field, QLatin1String(row.typed));
        EXPECT_EQ(field->text(), QLatin1String(row.text));
        ASSERT_EQ(w.Dialogs.Boxes.size(), boxes);
        for (const ShownBox& box : w.Dialogs.Boxes) {
            ExpectBox(box, row.message, kInvalidCharTitle, Ok);
        }
    }
}

TEST(OptionRules, CascadesOfTheTicksAndTextsKeepEveryValue) {
    WindowUnderTest w;
    window::frmMain& f = w.Form;
    f.ChkRemoveDigits->setChecked(true);
    f.optUnderscore[2]->setChecked(true);
    f.txtReplace[3]->setText(QStringLiteral("x"));
    f.txtWith[2]->setText(QStringLiteral("y"));
    EXPECT_TRUE(f.chkReplace[3]->isChecked());
    EXPECT_FALSE(f.chkReplace[2]->isChecked());
    struct Step {
        const char* why;
        std::function<void()> act;
        const char* options;
    };
    const Step steps[] = {
        {"typing # ticks the prefix box, whose click shows the index controls",
         [&] { QTest::keyClicks(f.txtPrefix, QStringLiteral("#")); }, "7 24 P--"},
        {"unticking the prefix hides them", [&] { f.chkAddPrefix->setChecked(false); }, "0 24 ---"},
        {"a suffix with # shows them", [&] { f.txtSuffix->setText(QStringLiteral("a#")); },
         "7 24 -S-"},
        {"discarding names disables name editing",
         [&] { f.chkRemoveOriginalName->setChecked(true); }, "7 0 -SD"},
        {"keeping them enables it", [&] { f.chkRemoveOriginalName->setChecked(false); },
         "7 24 -S-"},
        {"unticking the suffix hides them", [&] { f.chkAddSuffix->setChecked(false); }, "0 24 ---"},
        {"ticking the prefix shows them", [&] { f.chkAddPrefix->setChecked(true); }, "7 24 P--"},
        {"discarding names again", [&] { f.chkRemoveOriginalName->setChecked(true); }, "7 0 P-D"},
        {"deleting the last # hides them and keeps the names",
         [&] { QTest::keyClick(f.txtPrefix, Qt::Key_Backspace); }, "0 24 P--"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.why);
        step.act();
        EXPECT_EQ(Options(f), step.options);
    }
    EXPECT_TRUE(f.ChkRemoveDigits->isChecked() && f.optUnderscore[2]->isChecked());
    EXPECT_EQ(f.txtReplace[3]->text() + f.txtWith[2]->text(), QStringLiteral("xy"));
}

TEST(TakeSettings, ReadsTheControlsAsTheyStandAndKeepsHiddenIndexValues) {
    WindowUnderTest w;
    window::frmMain& f = w.Form;
    f.txtSuffix->setText(QStringLiteral("-#"));
    f.lblNumLeadingZeros->setText(QStringLiteral("3"));
    f.txtFirstIndex->setText(QStringLiteral("40"));
    f.chkRemoveOriginalName->setChecked(true);
    f.txtReplace[5]->setText(QStringLiteral("k"));
    f.optUnderscore[3]->setChecked(true);
    engine::CleanSettings expected;
    expected.AddSuffix = expected.IndexNumbering = expected.DiscardOriginalNames = true;
    expected.Suffix = "-#";
    expected.FileCountChars = 3;
    expected.FirstIndex = 40;
    expected.Replacements[5] = {true, "k", ""};
    expected.SpaceMode = engine::SpaceUnderscoreMode::KeepSpacesAndUnderscores;
    EXPECT_EQ(f.TakeSettings(), expected);
    f.chkAddSuffix->setChecked(false);  // hides the index controls, unticks the discard box
    f.lblNumLeadingZeros->setText(QStringLiteral("5"));
    expected.AddSuffix = expected.IndexNumbering = expected.DiscardOriginalNames = false;
    EXPECT_EQ(f.TakeSettings(), expected);
}

TEST(BtnLeadingZerosClick, DownStopsAtTheDigitsTheHighestIndexNeedsAndCleanRefusesFewer) {
    WindowUnderTest w;
    window::frmMain& f = w.Form;
    w.ChooseMusic(Songs(10));
    f.txtPrefix->setText(QStringLiteral("#"));
    f.txtFirstIndex->setText(QStringLiteral("95"));  // the highest index, 104, needs 3 digits
    f.lblNumLeadingZeros->setText(QStringLiteral("4"));
    f.btnLeadingZerosDn->setFocus();
    f.btnLeadingZerosDn->click();
    EXPECT_EQ(f.lblNumLeadingZeros->text(), QStringLiteral("3"));
    EXPECT_EQ(f.Run.FileIndexCountOffset, 94);
    EXPECT_TRUE(w.Dialogs.Boxes.empty());
    w.Dialogs.Answers = {Ok};
    f.btnLeadingZerosDn->click();
    EXPECT_EQ(f.lblNumLeadingZeros->text(), QStringLiteral("3"));
    ASSERT_EQ(w.Dialogs.Boxes.size(), 1U);
    EXPECT_EQ(w.Dialogs.Boxes[0].Text, Q(DigitCountMessage(3, 10, 95)));
    EXPECT_EQ(f.focusWidget(), f.txtFirstIndex);
    f.btnLeadingZerosUp->click();
    f.btnLeadingZerosUp->click();
    EXPECT_EQ(f.lblNumLeadingZeros->text(), QStringLiteral("5"));
    f.lblNumLeadingZeros->setText(QStringLiteral("2"));
    f.cmdRemove->setFocus();
    w.Dialogs.Answers = {Yes, Ok};
    f.cmdRemove_Click();
    ASSERT_EQ(w.Dialogs.Boxes.size(), 3U);
    EXPECT_EQ(w.Dialogs.Boxes[2].Text, Q(DigitCountMessage(3, 10, 95)));
    EXPECT_EQ(f.focusWidget(), f.txtFirstIndex);
    EXPECT_EQ(f.StatusBar1->text(), Q(kCancelledStatus));
}

TEST(TxtFirstIndexChange, TypingKeepsAPlainNumberWithinTheDigitCount) {
    struct Row {
        const char *why, *count, *start, *typed, *text, *selected;
        int caret, cursor;  // caret -1: the whole text selected
    };
    const Row rows[] = {
        {"deleting all text leaves a selected 0", "1", "5", "\b", "0", "0", -1, 1},
        {"a letter typed over the selected 0 is refused", "1", "", "a", "0", "0", -1, 1},
        {"typing 1, 2, 3 with two digits leaves 23", "2", "", "123", "23", "", -1, 2},
        {"a letter after the number vanishes, caret stays", "3", "12", "x", "12", "", 2, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        WindowUnderTest w;
        w.Form.txtPrefix->setText(QStringLiteral("#"));
        w.Form.lblNumLeadingZeros->setText(QLatin1String(row.count));
        QLineEdit* field = w.Form.txtFirstIndex;
        field->setText(QLatin1String(row.start));
        row.caret < 0 ? field->selectAll() : field->setCursorPosition(row.caret);
        QTest::keyClicks(field, QLatin1String(row.typed));
        EXPECT_EQ(field->text(), QLatin1String(row.text));
        EXPECT_EQ(field->cursorPosition(), row.cursor);
        EXPECT_EQ(field->selectedText(), QLatin1String(row.selected));
    }
    WindowUnderTest w;  // leaving the field normalises it again
    w.Form.lblNumLeadingZeros->setText(QStringLiteral("3"));
    w.Form.txtFirstIndex->setText(QStringLiteral("123"));
    w.Form.lblNumLeadingZeros->setText(QStringLiteral("2"));
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w.Form.txtFirstIndex, &focusOut);
    EXPECT_EQ(w.Form.txtFirstIndex->text(), QStringLiteral("23"));
}

TEST(CmdBrowseClick, ListsTheAudioFilesAsTextRaisesTheDigitCountAndCancelClearsIt) {
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
    // Cancelling the chooser or choosing a folder gone since leaves no folder chosen.
    for (const char* chosen : {"", "gone"}) {
        SCOPED_TRACE(*chosen ? "folder gone since it was chosen" : "chooser cancelled");
        w.ChooseMusic({"song.mp3"});
        w.Dialogs.Boxes.clear();
        w.Form.lblNumLeadingZeros->setText(QStringLiteral("4"));
        const std::filesystem::path gone = *chosen ? w.Music.Path() / chosen : "";
        w.Dialogs.Folders = {gone};
        w.Dialogs.Answers.assign(*chosen ? 1 : 0, Ok);
        w.Form.cmdBrowse_Click();
        ASSERT_EQ(w.Dialogs.Boxes.size(), *chosen ? 1U : 0U);
        if (*chosen) {
            EXPECT_EQ(w.Dialogs.Boxes[0].Text,
                      Q(FolderUnreadable(gone, "No such file or directory")));
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
        SCOPED_TRACE(chosen ? "folder chosen, the backup warning closed: No" : "chooser cancelled");
        WindowUnderTest w;
        w.Music.CreateFile("a b.mp3");
        w.Dialogs.Folders = {chosen ? w.Music.Path() : std::filesystem::path()};
        w.Dialogs.Answers = {Ok, QMessageBox::NoButton};
        w.Form.cmdRemove->click();
        ASSERT_EQ(w.Dialogs.Boxes.size(), chosen ? 2U : 1U);
        ExpectBox(w.Dialogs.Boxes[0], kChoosePath, kTitle, Ok);
        EXPECT_EQ(w.Dialogs.Boxes.back().Buttons, chosen ? Yes | No : Ok);
        EXPECT_EQ(w.Form.StatusBar1->text(), Q(kCancelledStatus));
        EXPECT_EQ(w.Music.Names(), Names{"a b.mp3"});
    }
}

TEST(CmdRemoveClick, RunsTheWholeRoadBeyond260CharactersWithoutClosingHalfWay) {
    WindowUnderTest w;
    const std::string deep = std::string(200, 'a') + "/" + std::string(200, 'b');
    std::filesystem::create_directories(w.Music.Path() / deep);
    for (const char* name : {"01 Intro.mp3", "Rock & Roll's.wav", "clean.mp3", "notes.txt"}) {
        w.Music.CreateFile(deep + "/" + name, name);
    }
    const std::string folder = (w.Music.Path() / deep).native();
    w.Dialogs.Folders = {folder};
    w.Form.cmdBrowse_Click();
    w.Dialogs.WhileBoxOpen = [&] { w.Form.mnuExit->trigger(); };  // refused during the run
    w.Dialogs.Answers = {Yes, Yes, Ok};
    w.Form.cmdRemove->click();
    EXPECT_TRUE(w.Form.isVisible());
    ASSERT_EQ(w.Dialogs.Boxes.size(), 3U);
    ExpectBox(w.Dialogs.Boxes[0], kBackupWarning, kTitle, Yes | No);
    EXPECT_EQ(w.Dialogs.Boxes[0].Default, Yes);
    EXPECT_EQ(w.Dialogs.Boxes[0].Format, Qt::PlainText);  // names may hold "<" and "&"
    EXPECT_EQ(w.Dialogs.Boxes[2].Text, Q(Finished(2)));
    // "&" becomes "and", the apostrophe goes, spaces become underscores; the list is read anew.
    EXPECT_EQ(w.Form.File1->Names(), (Names{"01_Intro.mp3", "clean.mp3", "Rock_and_Rolls.wav"}));
    EXPECT_EQ(w.Form.StatusBar1->text(), QStringLiteral("2 cleaned"));
    EXPECT_TRUE(w.Form.ProgressBar1->isHidden() && w.Form.lblProgress->isHidden());
    EXPECT_EQ(w.Form.ProgressBar1->Value(), 100);
    w.Form.mnuExit->trigger();
    EXPECT_FALSE(w.Form.isVisible());
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

TEST(CmdRemoveClick, AClosedConflictBoxAnswersCancelWithTheEntryShownSelected) {
    WindowUnderTest w;
    w.ChooseMusic({"a b.mp3", "a_b.mp3", "c d.mp3"});
    std::vector<int> selected;  // while each box is open
    w.Dialogs.WhileBoxOpen = [&] { selected.push_back(w.Form.File1->ListIndex()); };
    w.Dialogs.Answers = {Yes, Yes, QMessageBox::NoButton, Ok};
    w.Form.cmdRemove_Click();
    EXPECT_EQ(selected, (std::vector<int>{-1, -1, 0, -1}));
    EXPECT_EQ(w.Music.Names(), (Names{"a b.mp3", "a_b.mp3", "c d.mp3"}));
    EXPECT_EQ(w.Music.Read("a_b.mp3"), "a_b.mp3");
    EXPECT_EQ(w.Dialogs.Boxes.back().Text, Q(Finished(0)));
}

}  // namespace
}  // namespace klarwell::testing
