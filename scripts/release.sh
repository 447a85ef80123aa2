#!/usr/bin/env bash
# Builds the release of the committed tree (HEAD, not the working files) and writes
#   dist/quorvel-<version>-windows-x64.zip   holding quorvel.exe, README.md and SHA256SUMS
# then prints the SHA-256 of quorvel.exe and of the archive.
#
# The same commit gives the same bytes, in any folder and on any day, on a machine with the same
# toolchain (Debian 12's mingw-w64): the tree is built from `git archive` in a fresh folder with the
# windows preset (the flags of cmake/QuorvelRelease.cmake: no link time stamp, no build paths,
# deterministic static libraries), SOURCE_DATE_EPOCH is the commit's time, and the archive's
# entries have a fixed order, the commit's time and fixed modes, stored without compression so
# that no zlib version can change its bytes.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh

commit=$(git rev-parse HEAD)
if [[ -n $(git status --porcelain --untracked-files=no) ]]; then
  echo "release: the working tree has uncommitted changes; they are not in the release" >&2
fi

# Nothing from this machine's environment or clock may reach the output.
unset CFLAGS CXXFLAGS CPPFLAGS LDFLAGS RCFLAGS CMAKE_TOOLCHAIN_FILE CMAKE_GENERATOR
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct "$commit")
export TZ=UTC LC_ALL=C
umask 022

work=$(mktemp -d /tmp/quorvel-release.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir "$work/src" "$work/package"
git archive --format=tar "$commit" | tar -x -C "$work/src"

log="$work/build.log"
if ! (cd "$work/src" && cmake --preset windows && cmake --build --preset windows --target quorvel) \
  >"$log" 2>&1; then
  tail -n 60 "$log"
  echo "release: the build failed" >&2
  exit 1
fi
build="$work/src/build/windows"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[[ -n $version ]] || { echo "release: no project version in the build" >&2; exit 1; }

cp "$build/quorvel.exe" "$work/src/README.md" "$work/package/"
(cd "$work/package" && sha256sum quorvel.exe README.md >SHA256SUMS)

name="quorvel-$version-windows-x64.zip"
mkdir -p dist
python3 - "$work/package" "dist/$name.tmp" quorvel.exe README.md SHA256SUMS <<'EOF'
import os, sys, time, zipfile

folder, out, *names = sys.argv[1:]
# zip stores local "DOS" times from 1980 on: the commit's time, read as UTC.
stamp = time.gmtime(max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800))[:6]
with zipfile.ZipFile(out, "w") as archive:
    for name in names:
        info = zipfile.ZipInfo(name, date_time=stamp)
        info.compress_type = zipfile.ZIP_STORED
        info.create_system = 3  # Unix, so that the mode below is the one unzip applies
        info.external_attr = 0o100644 << 16
        with open(os.path.join(folder, name), "rb") as f:
            archive.writestr(info, f.read())
EOF
mv "dist/$name.tmp" "dist/$name"

echo "release: dist/$name"
echo "  version $version, commit $commit, SOURCE_DATE_EPOCH $SOURCE_DATE_EPOCH"
if git tag --points-at "$commit" | grep -qx "v$version"; then
  echo "  tagged v$version"
else
  echo "  the commit is not tagged v$version (tag it to publish: git tag v$version $commit)"
fi
echo "  built with $(x86_64-w64-mingw32-g++-posix --version | head -n 1)," \
  "$(x86_64-w64-mingw32-ld --version | head -n 1)"
echo "SHA-256 of quorvel.exe:"
grep ' quorvel.exe$' "$work/package/SHA256SUMS"
echo "SHA-256 of the archive:"
(cd dist && sha256sum "$name")
