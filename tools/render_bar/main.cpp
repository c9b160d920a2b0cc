// klarwell-render-bar --width W --height H [--set Name=Value]... --out FILE
// Draws one progress bar with the stored defaults and the given properties and writes the pixels
// the control shows: PNG, or binary PPM when FILE ends in ".ppm".
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <QGuiApplication>
#include <QImage>
#include <QString>

#include "progressbar/pixel_surface.h"
#include "progressbar/property_store.h"
#include "progressbar/qt_color.h"
#include "progressbar/qt_text_renderer.h"
#include "progressbar/xp_progress_bar.h"

namespace {

namespace pb = klarwell::progressbar;

using klarwell::progressbar::Blue;
using klarwell::progressbar::FromQRgb;
using klarwell::progressbar::Green;
using klarwell::progressbar::Picture;
using klarwell::progressbar::Pixel;
using klarwell::progressbar::PixelSurface;
using klarwell::progressbar::PropertyStore;
using klarwell::progressbar::QtTextRenderer;
using klarwell::progressbar::Red;
using klarwell::progressbar::ToQRgb;
using klarwell::progressbar::XP_ProgressBar;

constexpr int kBadArguments = 2;
constexpr int kWriteFailed = 1;
// Larger controls cannot get a surface of their own.
constexpr std::int64_t kMaxPixels = PixelSurface::kMaxPixels;

struct Arguments {
    int Width = -1;
    int Height = -1;
    std::vector<std::pair<std::string, std::string>> Sets;
    std::string Out;
};

// The properties a --set may give, each applied through its setter; "Image" takes a file.
struct Setter {
    std::string_view Name;
    void (*Apply)(XP_ProgressBar& bar, std::int32_t value);
};

constexpr Setter kSetters[] = {
    {pb::kBrushStyleName, [](XP_ProgressBar& b, std::int32_t v) { b.SetBrushStyle(v); }},
    {pb::kColorName, [](XP_ProgressBar& b, std::int32_t v) { b.SetColor(v); }},
    {pb::kMaxName, [](XP_ProgressBar& b, std::int32_t v) { b.SetMax(v); }},
    {pb::kMinName, [](XP_ProgressBar& b, std::int32_t v) { b.SetMin(v); }},
    {pb::kOrientationName, [](XP_ProgressBar& b, std::int32_t v) { b.SetOrientation(v); }},
    {pb::kScrollingName, [](XP_ProgressBar& b, std::int32_t v) { b.SetScrolling(v); }},
    {pb::kShowTextName, [](XP_ProgressBar& b, std::int32_t v) { b.SetShowText(v == 1); }},
    {pb::kValueName, [](XP_ProgressBar& b, std::int32_t v) { b.SetValue(v); }},
};

const Setter* FindSetter(std::string_view name) {
    for (const Setter& setter : kSetters) {
        if (PropertyStore::SameName(name, setter.Name)) {
            return &setter;
        }
    }
    return nullptr;
}

bool IsImage(std::string_view name) {
    return PropertyStore::SameName(name, pb::kImageName);
}

// A decimal or 0x hexadecimal integer; hexadecimal may use all 32 bits (0x8000000D).
std::optional<std::int32_t> ParseInt(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    errno = 0;
    char* end = nullptr;
    if (hex) {
        const unsigned long long value = std::strtoull(text.c_str() + 2, &end, 16);
        if (errno != 0 || *end != '\0' || text[2] == '-' || text[2] == '+' ||
            value > std::numeric_limits<std::uint32_t>::max()) {
            return std::nullopt;
        }
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

int Fail(const std::string& reason) {
    std::cerr << "klarwell-render-bar: " << reason << '\n';
    return kBadArguments;
}

// Checks a --set before anything is drawn, so a bad one leaves no other output.
std::optional<std::string> CheckSetting(const std::string& name, const std::string& value) {
    if (IsImage(name)) {
        return std::nullopt;
    }
    const Setter* setter = FindSetter(name);
    if (setter == nullptr) {
        return "unknown property " + name;
    }
    const std::optional<std::int32_t> number = ParseInt(value);
    if (!number) {
        return "bad value for " + name + ": " + value;
    }
    if (setter->Name == pb::kShowTextName && *number != 0 && *number != 1) {
        return "ShowText takes 0 or 1, got " + value;
    }
    return std::nullopt;
}

std::optional<std::string> ParseArguments(int argc, char** argv, Arguments& args) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (i + 1 >= argc) {
            return "missing value after " + std::string(option);
        }
        const std::string value = argv[++i];
        if (option == "--width" || option == "--height") {
            const std::optional<std::int32_t> number = ParseInt(value);
            if (!number || *number < 0) {
                return "bad size " + value;
            }
            (option == "--width" ? args.Width : args.Height) = *number;
        } else if (option == "--set") {
            const auto equals = value.find('=');
            if (equals == std::string::npos || equals == 0) {
                return "--set needs Name=Value, got " + value;
            }
            args.Sets.emplace_back(value.substr(0, equals), value.substr(equals + 1));
            if (auto reason = CheckSetting(args.Sets.back().first, args.Sets.back().second)) {
                return reason;
            }
        } else if (option == "--out") {
            args.Out = value;
        } else {
            return "unknown option " + std::string(option);
        }
    }
    if (args.Width < 0 || args.Height < 0) {
        return "--width and --height are required";
    }
    if (static_cast<std::int64_t>(args.Width) * args.Height > kMaxPixels) {
        return "size too large";
    }
    if (args.Out.empty()) {
        return "--out is required";
    }
    return std::nullopt;
}

Picture LoadPicture(const std::string& path) {
    QImage image;
    if (!image.load(QString::fromStdString(path))) {
        std::cerr << "klarwell-render-bar: cannot read picture " << path << "; drawing none\n";
        return nullptr;
    }
    image = image.convertToFormat(QImage::Format_RGB32);
    auto picture = std::make_shared<PixelSurface>(image.width(), image.height());
    if (!picture->Valid()) {
        return nullptr;
    }
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            picture->SetPixelV(x, y, FromQRgb(row[x]));
        }
    }
    return picture;
}

// Applies one checked --set through the property's setter.
void Apply(XP_ProgressBar& bar, const std::string& name, const std::string& value) {
    if (IsImage(name)) {
        bar.SetImage(LoadPicture(value));
        return;
    }
    if (const Setter* setter = FindSetter(name)) {
        setter->Apply(bar, ParseInt(value).value_or(0));
    }
}

bool WritePpm(const std::string& path, const PixelSurface& surface) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << surface.Width() << ' ' << surface.Height() << "\n255\n";
    std::vector<char> bytes;
    bytes.reserve(surface.Pixels().size() * 3);
    for (const Pixel p : surface.Pixels()) {
        bytes.push_back(static_cast<char>(Red(p)));
        bytes.push_back(static_cast<char>(Green(p)));
        bytes.push_back(static_cast<char>(Blue(p)));
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool WritePng(const std::string& path, const PixelSurface& surface) {
    QImage image(surface.Width(), surface.Height(), QImage::Format_RGB32);
    if (image.isNull()) {
        return false;  // PNG has no empty images
    }
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            image.setPixel(x, y, ToQRgb(surface.GetPixel(x, y)));
        }
    }
    return image.save(QString::fromStdString(path), "PNG");
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (const auto reason = ParseArguments(argc, argv, args)) {
        return Fail(*reason);
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);

    XP_ProgressBar bar(args.Width, args.Height, std::make_unique<QtTextRenderer>());
    bar.UserControl_ReadProperties(PropertyStore{});
    for (const auto& [name, value] : args.Sets) {
        Apply(bar, name, value);
    }
    const bool ppm = args.Out.size() >= 4 && args.Out.compare(args.Out.size() - 4, 4, ".ppm") == 0;
    const bool written =
        ppm ? WritePpm(args.Out, bar.OwnSurface()) : WritePng(args.Out, bar.OwnSurface());
    if (!written) {
        std::cerr << "klarwell-render-bar: cannot write " << args.Out << '\n';
        return kWriteFailed;
    }
    return 0;
}
