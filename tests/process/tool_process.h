#pragma once

// klarwell-batch and klarwell-undo as child processes on real folders.

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace klarwell::testing {

using Lines = std::vector<std::string>;

inline std::string Replace(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// A folder's files as one text, "name=content|name=content", sorted by name.
inline std::string Take(const TempFolder& folder) {
    std::string files;
    for (const std::string& name : folder.Names()) {
        files += (files.empty() ? "" : "|") + name + "=" + folder.Read(name);
    }
    return files;
}

// Creates the files of a text as Take() writes it.
inline void Fill(const TempFolder& folder, const std::string& files) {
    std::istringstream in(files);
    for (std::string entry; std::getline(in, entry, '|');) {
        const std::size_t equals = entry.find('=');
        folder.CreateFile(entry.substr(0, equals), entry.substr(equals + 1));
    }
}

inline std::string Quote(const std::string& text) {
    return "'" + Replace(text, "'", R"('\'')") + "'";
}

// A shell command that runs `program` with `environment` (NAME=value words), standard input from
// /dev/null (not a terminal) and its state folder in `work`, so that nothing lands under $HOME.
inline std::string Command(const std::string& program, const Lines& args, const TempFolder& work,
                           const std::string& environment = "") {
    std::string command = "XDG_STATE_HOME=" + Quote(work.Path() / "state") + " " + environment +
                          " exec " + Quote(program);
    for (const std::string& arg : args) {
        command += " " + Quote(arg);
    }
    return command + " </dev/null";
}

struct Outcome {
    int Status = -1;
    Lines Out;
    std::string Err;
};

inline Outcome RunTool(const std::string& command, const TempFolder& work,
                       const std::string& cwd = ".") {
    const int raw =
        std::system(("cd " + Quote(cwd) + " && " + command + " >" + Quote(work.Path() / "out.txt") +
                     " 2>" + Quote(work.Path() / "err.txt"))
                        .c_str());
    Outcome outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, {}, work.Read("err.txt")};
    std::istringstream out(work.Read("out.txt"));
    for (std::string line; std::getline(out, line);) {
        outcome.Out.push_back(line);
    }
    return outcome;
}

}  // namespace klarwell::testing
