// The Clean command over folders of 32,767 and 100,000 files from frmMain on the offscreen platform
// against the engine alone as klarwell-batch runs it; and Browse against reading the folder and
// sorting its names.

#include <dirent.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <QApplication>
#include <QMessageBox>
#include <benchmark/benchmark.h>

#include "bench/bench_folder.h"
#include "bench/bench_timing.h"
#include "bench/silent_interface.h"
#include "engine/clean_command.h"
#include "engine/cleanup_log.h"
#include "engine/file_list.h"
#include "engine/posix_file_system.h"
#include "window/dialogs.h"
#include "window/file_list_box.h"
#include "window/frm_main.h"

namespace {

using namespace klarwell;

class BenchFolder : public klarwell::bench::BenchRoot {
public:
    // A fresh music folder of `count` files; every other one is audio when `halfAudio`.
    void Fill(int count, bool halfAudio) const {
        std::error_code ec;
        std::filesystem::remove_all(Music(), ec);
        std::filesystem::create_directory(Music(), ec);
        for (int i = 0; i < count; ++i) {
            char name[40];
            const char* extension = halfAudio && i % 2 == 1 ? "txt" : "mp3";
            std::snprintf(name, sizeof name, "track %05d.%s", i, extension);
            CreateEmptyFile(Music() / name);
        }
        std::filesystem::remove(LogFolder() / "cleanup.log", ec);
    }

    // Files whose name still holds the blank the run replaces.
    [[nodiscard]] int Uncleaned() const {
        int count = 0;
        std::error_code ec;
        for (std::filesystem::directory_iterator it(Music(), ec), end; !ec && it != end;
             it.increment(ec)) {
            count += it->path().filename().native().find(' ') != std::string::npos ? 1 : 0;
        }
        return count;
    }
};

// Yes to the backup warning and the summary, OK to the rest; the folder for the chooser.
class AnsweringDialogs : public window::Dialogs {
public:
    explicit AnsweringDialogs(std::filesystem::path folder) : m_Folder(std::move(folder)) {}
    QMessageBox::StandardButton RunMessageBox(QMessageBox& box) override {
        ++Boxes;
        return box.standardButtons().testFlag(QMessageBox::Yes) ? QMessageBox::Yes
                                                                : QMessageBox::Ok;
    }
    std::filesystem::path ChooseFolder(QWidget*, std::string_view) override { return m_Folder; }
    int Boxes = 0;

private:
    std::filesystem::path m_Folder;
};

using klarwell::bench::Timing;

// The Clean command from frmMain and through the engine alone take turns on a fresh folder; each
// must clean every file.
void BM_FrmMain_CleanAgainstEngine(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    BenchFolder folder;
    AnsweringDialogs dialogs(folder.Music());
    engine::PosixFileSystem fs;
    engine::CleanupLog log(folder.LogFolder(), folder.LogFolder());
    klarwell::bench::SilentInterface ui;
    window::frmMain form(dialogs, fs, log);
    form.show();
    engine::RunState run;
    const auto allLogged = [&] { return folder.LoggedLines() == static_cast<std::size_t>(count); };
    const std::vector<Timing> medians = klarwell::bench::MedianRounds(
        state,
        {{[&] { form.cmdRemove_Click(); },
          [&] { return folder.Uncleaned() == 0 && form.Run.Corrections == count && allLogged(); },
          // Browse shows the list the window's run works on; it is not timed.
          [&] {
              folder.Fill(count, false);
              form.cmdBrowse_Click();
          }},
         {[&] {
              engine::CleanSettings settings;
              settings.FolderChosen = true;
              settings.FolderPath = folder.Music();
              settings.FileNames = engine::ListAudioFiles(fs, folder.Music()).Names;
              engine::RunCleanCommand(settings, run, ui, fs, log);
          },
          [&] { return folder.Uncleaned() == 0 && run.Corrections == count && allLogged(); },
          [&] {
              folder.Fill(count, false);
              run = {};
          }}});
    state.counters["window_ms"] = medians[0].Real * 1e3;
    state.counters["engine_ms"] = medians[1].Real * 1e3;
    state.counters["x_engine"] = medians[0].Real / medians[1].Real;
    state.counters["x_engine_cpu"] = medians[0].Cpu / medians[1].Cpu;
}

// The folder's names as readdir(3) gives them, sorted bytewise: what any listing must cost.
std::vector<std::string> ReadAndSort(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            if (entry->d_name[0] != '.') {
                names.emplace_back(entry->d_name);
            }
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Browse on a folder whose every other file is audio, in turns with readdir and a plain sort.
void BM_FrmMain_BrowseAgainstReaddir(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    BenchFolder folder;
    folder.Fill(count, true);
    AnsweringDialogs dialogs(folder.Music());
    engine::PosixFileSystem fs;
    engine::CleanupLog log(folder.LogFolder(), folder.LogFolder());
    window::frmMain form(dialogs, fs, log);
    form.show();
    form.cmdBrowse_Click();
    if (form.File1->ListCount() != count / 2 || form.File1->Names()[0] != "track 00000.mp3" ||
        form.File1->Names()[1] != "track 00002.mp3" ||
        ReadAndSort(folder.Music()).size() != static_cast<std::size_t>(count)) {
        state.SkipWithError("the list is not the folder's audio files in order");
        return;
    }
    const std::vector<Timing> medians = klarwell::bench::MedianRounds(
        state, {{[&] { form.cmdBrowse_Click(); }},
                {[&] { benchmark::DoNotOptimize(ReadAndSort(folder.Music())); }}});
    state.counters["browse_ms"] = medians[0].Real * 1e3;
    state.counters["readdir_sort_ms"] = medians[1].Real * 1e3;
    state.counters["x_readdir"] = medians[0].Real / medians[1].Real;
    // On a loaded machine the CPU times tell the cost apart from the waiting.
    state.counters["browse_cpu_ms"] = medians[0].Cpu * 1e3;
    state.counters["readdir_sort_cpu_ms"] = medians[1].Cpu * 1e3;
}

}  // namespace

// `--large` adds a Browse of 1,000,000 files, which takes minutes. The Qt benchmarks run headless
// unless told otherwise, under one QApplication.
int main(int argc, char** argv) {
    const bool large = klarwell::bench::TakeFlag(argc, argv, "--large");
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    for (const int files : {32767, 100000}) {
        klarwell::bench::Register("BM_FrmMain_CleanAgainstEngine", BM_FrmMain_CleanAgainstEngine,
                                  files, 5);
    }
    klarwell::bench::Register("BM_FrmMain_BrowseAgainstReaddir", BM_FrmMain_BrowseAgainstReaddir,
                              100000, 5);
    if (large) {
        klarwell::bench::Register("BM_FrmMain_BrowseAgainstReaddir",
                                  BM_FrmMain_BrowseAgainstReaddir, 1000000, 3);
    }
    return klarwell::bench::RunBenchmarks(argc, argv);
}
