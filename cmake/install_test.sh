#!/usr/bin/env bash
# The install test (ctest "install"): installs the build into a temporary
# prefix, as a packager does, and checks what landed there: only the two
# programs in bin/, the data in share/recaster/, a desktop entry that
# desktop-file-validate accepts and that opens the file type we install, the
# icon it names, manual pages without roff warnings, both programs' --version,
# the editor's plain message without a display, and the installed recaster-cfg
# working on the installed sample with the installed workforms, also after the
# whole tree has been moved.
#
#   install_test.sh BUILD_DIR VERSION
set -euo pipefail

build=$1
version=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/recaster-install-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
need() {  # need TOOL PACKAGE
    command -v "$1" >/dev/null || { echo "FAIL: the test needs $1 (Debian package $2)" >&2; exit 1; }
}
need desktop-file-validate desktop-file-utils
need update-mime-database shared-mime-info
need groff groff-base

cmake --install "$build" --prefix "$prefix" >/dev/null

# What was installed, and nothing else.
expected=(
    bin/recaster
    bin/recaster-cfg
    share/recaster/Config/Sample-v2.cfg
    share/recaster/Config/Sample.cfg
    share/recaster/help/contents.html
    share/recaster/help/index.html
    share/recaster/help/support.html
    share/applications/recaster.desktop
    share/mime/packages/recaster.xml
    share/icons/hicolor/scalable/apps/recaster.svg
    share/man/man1/recaster.1
    share/man/man1/recaster-cfg.1
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/recaster.png")
done
for f in "${expected[@]}"; do
    [[ -f $prefix/$f ]] || fail "not installed: $f"
done
[[ -x $prefix/bin/recaster && -x $prefix/bin/recaster-cfg ]] || fail "the programs are not executable"
[[ $(ls "$prefix/bin") == $'recaster\nrecaster-cfg' ]] ||
    fail "bin/ holds more than the two programs: $(ls "$prefix/bin" | tr '\n' ' ')"
while IFS= read -r f; do
    case $f in
        bin/* | share/recaster/* | share/applications/* | share/mime/packages/* | \
            share/icons/hicolor/* | share/man/man1/*) ;;
        *) fail "installed outside the expected folders: $f" ;;
    esac
done < <(cd "$prefix" && find . -type f | sed 's#^\./##')
forms=$(find "$prefix/share/recaster/Forms" -name '*.TWF' | wc -l)
[[ $forms -ge 1 ]] || fail "no workforms installed in share/recaster/Forms"

# The desktop entry, its file type and its icon.
desktop=$prefix/share/applications/recaster.desktop
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate failed: $report"
[[ -z $report ]] || fail "desktop-file-validate: $report"
field() { sed -n "s/^$1=//p" "$desktop"; }
[[ $(field Exec) == "recaster %F" ]] || fail "Exec does not open files: $(field Exec)"
mime_type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$prefix/share/mime/packages/recaster.xml")
[[ -n $mime_type && $(field MimeType) == "$mime_type;" ]] ||
    fail "the desktop entry opens '$(field MimeType)', the installed type is '$mime_type'"
[[ -f $prefix/share/icons/hicolor/scalable/apps/$(field Icon).svg ]] ||
    fail "the desktop entry's icon '$(field Icon)' is not installed"

# The file type compiles, by name and by content.
cp -r "$prefix/share/mime" "$work/mime"
update-mime-database "$work/mime" >/dev/null 2>&1 || fail "update-mime-database rejects the type"
grep -qx "50:$mime_type:\*.cfg" "$work/mime/globs2" || fail "the type has no *.cfg pattern"
grep -qa "\[50:$mime_type\]" "$work/mime/magic" || fail "the type has no content match"
[[ $(head -c 3 "$prefix/share/recaster/Config/Sample.cfg" | od -An -tx1 | tr -d ' ') == 030001 ]] ||
    fail "the sample does not start with the bytes the type looks for"

# Manual pages: roff finds nothing to warn about.
for page in recaster recaster-cfg; do
    warnings=$(groff -man -ww -z "$prefix/share/man/man1/$page.1" 2>&1)
    [[ -z $warnings ]] || fail "$page.1: $warnings"
done

# The installed programs.
[[ $(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/recaster" --version) == \
    "recaster (Recaster II) $version" ]] || fail "recaster --version"
[[ $("$prefix/bin/recaster-cfg" --version) == "recaster-cfg (Recaster II) $version" ]] ||
    fail "recaster-cfg --version"
status=0
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/recaster" A.cfg 2>&1) ||
    status=$?
[[ $status -eq 1 && $out == "recaster: no display"* ]] ||
    fail "recaster without a display: exit $status, '$out'"

# recaster-cfg on the installed sample, with the installed workforms and no
# settings of the user's.
check_installed_tree() {  # check_installed_tree PREFIX
    local p=$1 out
    export XDG_CONFIG_HOME=$work/config
    out=$("$p/bin/recaster-cfg" check "$p/share/recaster/Config/Sample.cfg" 2>&1) ||
        fail "recaster-cfg check on the installed sample ($p): $out"
    out=$("$p/bin/recaster-cfg" show "$p/share/recaster/Config/Sample.cfg" 2>&1) ||
        fail "recaster-cfg show on the installed sample ($p): $out"
    out=$("$p/bin/recaster-cfg" workforms 2>&1) || fail "recaster-cfg workforms ($p): $out"
    grep -q "^  $p/share/recaster/Forms " <<<"$out" ||
        fail "the installed workforms folder is not searched ($p): $out"
    grep -q "^Workforms ($forms)\$" <<<"$out" ||
        fail "not all $forms installed workforms were read ($p): $out"
    grep -q "$build" <<<"$out" && fail "the installed program reads the build folder: $out"
    true
}
check_installed_tree "$prefix"
mv "$prefix" "$work/moved"
check_installed_tree "$work/moved"

if [[ $failures -gt 0 ]]; then
    echo "$failures problems with the installed tree" >&2
    exit 1
fi
echo "installed tree is complete and works"
