#!/usr/bin/env bash
# Sets up a fresh Debian machine for Tevora and builds it into build/tev/.
#   ./setup.sh run    installs what is missing, builds, starts the program
#   ./setup.sh test   installs what is missing, builds, runs the whole test suite headless
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    # build
    build-essential cmake pkg-config clang libclang-rt-14-dev file
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev libxkbcommon-dev
    libpoppler-qt6-dev libqpdf-dev libsane-dev
    # run: translations, the tools the program folder hands on to, fonts, the desktop bus
    qt6-translations-l10n qt6-qpa-plugins libqt6svg6 graphicsmagick p7zip-full curl
    libsane1 sane-utils fonts-dejavu-core dbus dbus-daemon
    # test: independent PDF readers and writers to check our output against, the desktop entry's
    # validator
    poppler-utils qpdf desktop-file-utils
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel "$(nproc)"

case "${1:-run}" in
run)
    exec build/tev/tev
    ;;
test)
    cd build
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
