# Shared by the scripts in scripts/: installing what is missing and building.
# shellcheck shell=bash

QEB_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# Debian 12 packages the build, the tests and the demo need.
QEB_PACKAGES=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-serialport-dev qt6-svg-dev libqt6svg6 libgl-dev
    qt6-charts-dev libqt6opengl6-dev
    libgtest-dev libgmock-dev
    fonts-liberation2 fonts-dejavu-core
    locales xvfb xauth
    clang libclang-rt-14-dev
)

qeb_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

# Installs only the packages that are not installed yet; nothing is downloaded otherwise.
qeb_install_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        qeb_as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
        qeb_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# A Polish locale, so the tests can show that the process locale never changes a number.
qeb_ensure_polish_locale() {
    if locale -a 2>/dev/null | grep -qi '^pl_PL\.utf-\?8$'; then
        return 0
    fi
    if [ -f /etc/locale.gen ]; then
        qeb_as_root sed -i 's/^# *\(pl_PL.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        grep -q '^pl_PL.UTF-8 UTF-8' /etc/locale.gen || echo 'pl_PL.UTF-8 UTF-8' | qeb_as_root tee -a /etc/locale.gen >/dev/null
        qeb_as_root locale-gen >/dev/null || true
    fi
}

# qeb_configure <build folder> [cmake options...]: the release configuration every script uses.
qeb_configure() {
    local folder="$1"
    shift
    cmake -S "$QEB_ROOT" -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQEB_WERROR=ON "$@"
}

# qeb_build <build folder> [targets...]: configures and builds (everything without targets).
qeb_build() {
    local folder="$1"
    shift
    qeb_configure "$folder"
    if [ "$#" -gt 0 ]; then
        cmake --build "$folder" -j"$(nproc)" --target "$@"
    else
        cmake --build "$folder" -j"$(nproc)"
    fi
}
