// The Clean command over a folder of 32,767 files, once from frmMain on the offscreen platform and
// once through the engine alone as klarwell-batch runs it; and Browse on a folder of 100,000
// files, half of them audio.

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include <QMessageBox>
#include <benchmark/benchmark.h>

#include "bench/bench_folder.h"
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

constexpr int kCleanFiles = 32767;
constexpr int kBrowseFiles = 100000;

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

void BM_FrmMain_CleanFolder(benchmark::State& state) {
    BenchFolder folder;
    AnsweringDialogs dialogs(folder.Music());
    engine::PosixFileSystem fs;
    engine::CleanupLog log(folder.LogFolder(), folder.LogFolder());
    window::frmMain form(dialogs, fs, log);
    form.show();
    bool checked = false;
    for (auto _ : state) {
        state.PauseTiming();
        folder.Fill(kCleanFiles, false);
        form.cmdBrowse_Click();
        state.ResumeTiming();
        form.cmdRemove_Click();
        if (!checked) {
            checked = true;
            if (folder.Uncleaned() != 0 || form.Run.Corrections != kCleanFiles) {
                state.SkipWithError("the window run left files uncleaned");
                break;
            }
        }
    }
}
BENCHMARK(BM_FrmMain_CleanFolder)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Engine_CleanFolder(benchmark::State& state) {
    BenchFolder folder;
    engine::PosixFileSystem fs;
    engine::CleanupLog log(folder.LogFolder(), folder.LogFolder());
    klarwell::bench::SilentInterface ui;
    bool checked = false;
    for (auto _ : state) {
        state.PauseTiming();
        folder.Fill(kCleanFiles, false);
        engine::CleanSettings settings;
        settings.FolderChosen = true;
        settings.FolderPath = folder.Music();
        settings.FileNames = engine::ListAudioFiles(fs, folder.Music()).Names;
        engine::RunState run;
        state.ResumeTiming();
        engine::RunCleanCommand(settings, run, ui, fs, log);
        if (!checked) {
            checked = true;
            if (folder.Uncleaned() != 0 || run.Corrections != kCleanFiles) {
                state.SkipWithError("the engine run left files uncleaned");
                break;
            }
        }
    }
}
BENCHMARK(BM_Engine_CleanFolder)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FileList_Browse100000(benchmark::State& state) {
    BenchFolder folder;
    folder.Fill(kBrowseFiles, true);
    AnsweringDialogs dialogs(folder.Music());
    engine::PosixFileSystem fs;
    engine::CleanupLog log(folder.LogFolder(), folder.LogFolder());
    window::frmMain form(dialogs, fs, log);
    form.show();
    form.cmdBrowse_Click();
    if (form.File1->ListCount() != kBrowseFiles / 2 || form.File1->List(0) != "track 00000.mp3" ||
        form.File1->List(1) != "track 00002.mp3") {
        state.SkipWithError("the list is not the folder's audio files in order");
        return;
    }
    for (auto _ : state) {
        form.cmdBrowse_Click();
        benchmark::DoNotOptimize(form.File1->ListCount());
    }
}
BENCHMARK(BM_FileList_Browse100000)->Unit(benchmark::kMillisecond);

}  // namespace
