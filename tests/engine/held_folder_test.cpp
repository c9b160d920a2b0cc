#include <filesystem>
#include <functional>
#include <utility>

#include <gtest/gtest.h>

#include "engine/batch_run.h"
#include "engine/posix_file_system.h"
#include "tests/engine/engine_fixture.h"

namespace klarwell::engine {
namespace {

using namespace testing;
namespace fs = std::filesystem;

// Runs `action` when the run reaches the second entry.
class InterruptingInterface : public ScriptedUserInterface {
public:
    explicit InterruptingInterface(std::function<void()> action)
        : ScriptedUserInterface({Answer::Ok}), m_Action(std::move(action)) {}
    void SelectListEntry(int index) override {
        ScriptedUserInterface::SelectListEntry(index);
        if (index == 1) {
            m_Action();
        }
    }

private:
    std::function<void()> m_Action;
};

// Whatever happens to the chosen folder's path during a run, each rename reaches the folder the
// list was read from, never a folder that took its path.
TEST(RunBatch, RenamesStayInTheFolderTheListCameFrom) {
    for (const bool link : {false, true}) {
        SCOPED_TRACE(link ? "path replaced by a link" : "a folder moved to its path");
        EngineFixture f;
        f.Music.CreateFolder("music");
        f.Music.CreateFolder("decoy");
        for (const char* name : {"a a.mp3", "b b.mp3"}) {
            f.Music.CreateFile(std::string("music/") + name, "mine");
            f.Music.CreateFile(std::string("decoy/") + name, "decoy");
            f.Settings.FileNames.emplace_back(name);
        }
        const fs::path root = f.Music.Path();
        f.Settings.FolderPath = root / "music";
        InterruptingInterface ui([&] {
            fs::rename(root / "music", root / "moved");
            if (link) {
                fs::create_directory_symlink(root / "decoy", root / "music");
            } else {
                fs::rename(root / "decoy", root / "music");
            }
        });
        PosixFileSystem disk;
        RunBatch(f.Settings, f.Run, ui, disk, f.Log);
        EXPECT_EQ(f.Run.Corrections, 2);
        EXPECT_EQ(f.Music.Read("moved/a_a.mp3") + f.Music.Read("moved/b_b.mp3"), "minemine");
        EXPECT_EQ(f.Music.Read("music/b b.mp3"), "decoy");
        EXPECT_EQ(f.Music.Read("music/b_b.mp3"), "<missing>");
    }
}

}  // namespace
}  // namespace klarwell::engine
