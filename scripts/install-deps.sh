#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine (run as root).
# Each package is installed only when missing, so a second run costs nothing.
set -eu
need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for p in build-essential cmake googletest libgtest-dev libbenchmark-dev clang clang-tidy \
         mingw-w64 wine64 fonts-wine xvfb xdotool imagemagick fonts-ipafont-gothic \
         fonts-ipafont-mincho procps xserver-xephyr nsis fp-utils zip unzip file locales \
         shellcheck qemu-user-static wine32:i386; do
  have "$p" || need+=("$p")
done
root() { [ "$(id -u)" = 0 ]; }
if [ ${#need[@]} -gt 0 ]; then
  if ! root; then
    echo "missing packages: ${need[*]} (run as root to install them)" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  # The 32-bit Wine comes from the i386 half of the archive.
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# The kernel here refuses 32-bit code, so 32-bit Wine runs through the user-mode
# emulator: register it for 32-bit x86 programs (once per boot; the package
# leaves it out, since an x86-64 kernel normally runs them itself). A machine
# where this cannot be done still builds and runs every other test; the 32-bit
# test then fails and says why.
binfmt=/proc/sys/fs/binfmt_misc
if [ ! -e "$binfmt/qemu-i386" ]; then
  if ! root; then
    echo "32-bit programs cannot run: the qemu-i386 emulator is not registered (run as root to register it)" >&2
  else
    [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || true
    if [ -e "$binfmt/register" ]; then
      # The ELF header of a 32-bit x86 executable, and which of its bits count.
      magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
      mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
      # F: the emulator is opened now, so it works inside other mount namespaces.
      echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" >"$binfmt/register" 2>/dev/null || true
    fi
    [ -e "$binfmt/qemu-i386" ] ||
      echo "32-bit programs cannot run: binfmt_misc could not be mounted or written here" >&2
  fi
fi
