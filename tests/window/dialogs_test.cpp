#include <deque>

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <gtest/gtest.h>

#include "tests/support/qt_printers.h"
#include "tests/window/window_fixture.h"

namespace klarwell::testing {
namespace {

// The real message boxes, answered the way a user does: once a box is shown, its button is
// pressed, or its close box used for NoButton, from the box's own event loop.
class PressingUser : public QObject {
public:
    explicit PressingUser(std::deque<QMessageBox::StandardButton> presses)
        : m_Presses(std::move(presses)) {
        qApp->installEventFilter(this);
    }
    ~PressingUser() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box != nullptr && event->type() == QEvent::Show && !m_Presses.empty()) {
            const QMessageBox::StandardButton press = m_Presses.front();
            m_Presses.pop_front();
            QMetaObject::invokeMethod(
                box,
                [box, press] {
                    press == QMessageBox::NoButton ? void(box->close())
                                                   : box->button(press)->click();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

    std::deque<QMessageBox::StandardButton> m_Presses;
};

class ChosenFolder : public window::QtDialogs {
public:
    explicit ChosenFolder(std::filesystem::path folder) : m_Folder(std::move(folder)) {}
    std::filesystem::path ChooseFolder(QWidget*, std::string_view) override { return m_Folder; }

private:
    std::filesystem::path m_Folder;
};

TEST(QtDialogs, TheEngineGetsTheButtonPressedOrTheCloseBoxAnswer) {
    using QMB = QMessageBox;
    struct Row {
        const char* why;
        std::deque<QMB::StandardButton> presses;
        std::vector<std::string> names;
        const char* status;
    };
    const Row rows[] = {
        {"Yes to both, the conflict answered No, OK",
         {QMB::Yes, QMB::Yes, QMB::No, QMB::Ok},
         {"a b.mp3", "a_b.mp3", "c_d.mp3"},
         "1 cleaned"},
        {"a Yes/No box closed answers No",
         {QMB::NoButton},
         {"a b.mp3", "a_b.mp3", "c d.mp3"},
         texts::engine::kCancelledStatus},
        {"a box with Cancel closed answers Cancel",
         {QMB::Yes, QMB::Yes, QMB::NoButton, QMB::Ok},
         {"a b.mp3", "a_b.mp3", "c d.mp3"},
         nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TempFolder music;
        TempFolder program;
        music.CreateFile("a b.mp3");
        music.CreateFile("a_b.mp3");
        music.CreateFile("c d.mp3");
        ChosenFolder dialogs(music.Path());
        engine::PosixFileSystem fs;
        engine::CleanupLog log{program.Path(), program.Path()};
        window::frmMain form(dialogs, fs, log);
        form.show();
        form.cmdBrowse_Click();
        PressingUser user(row.presses);
        form.cmdRemove_Click();
        EXPECT_TRUE(user.m_Presses.empty());
        EXPECT_EQ(music.Names(), row.names);
        if (row.status != nullptr) {
            EXPECT_EQ(form.StatusBar1->text(), Q(row.status));
        }
    }
}

}  // namespace
}  // namespace klarwell::testing
