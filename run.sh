#!/usr/bin/env bash
# ./run.sh        install what is missing, build, start Klarwell
# ./run.sh test   install what is missing, build, run every test; then the same in a second
#                 build tree with ASan and UBSan (build-san/)
# ./run.sh package  install what is missing, build, make build/klarwell_<version>_amd64.deb
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
case "$mode" in
    run|test|package) ;;
    *) echo "usage: $0 [test|package]" >&2; exit 2 ;;
esac

packages=(
    build-essential cmake git clang-format
    qt6-base-dev qt6-base-dev-tools libqt6test6 qt6-qpa-plugins
    libgtest-dev libgmock-dev googletest libbenchmark-dev nlohmann-json3-dev
    fonts-dejavu-core fonts-dejavu-extra fonts-liberation fontconfig
    appstream desktop-file-utils lintian dpkg-dev file
)
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if [ "$mode" = test ]; then
    files=$(git ls-files -- '*.cpp' '*.h' 2>/dev/null || true)
    if [ -n "$files" ]; then
        # shellcheck disable=SC2086
        clang-format --dry-run --Werror $files
    fi
fi

cmake -S . -B build -DKLARWELL_WERROR=ON -DKLARWELL_SANITIZE=OFF >/dev/null
cmake --build build -j"$(nproc)"

if [ "$mode" = test ]; then
    ctest --test-dir build --output-on-failure -j"$(nproc)"
    cmake -S . -B build-san -DKLARWELL_WERROR=ON -DKLARWELL_SANITIZE=ON >/dev/null
    cmake --build build-san -j"$(nproc)"
    # The package is built and checked once, in the plain tree.
    ctest --test-dir build-san --output-on-failure -j"$(nproc)" -LE install
elif [ "$mode" = package ]; then
    cpack --config build/CPackConfig.cmake -B build
else
    exec build/bin/klarwell
fi
