#!/usr/bin/env bash
# Checks the installed program as a Linux desktop sees it: the install tree,
# the desktop entry, AppStream data, the file type, the manual pages, and the
# Debian package (lintian, install with apt, print from the installed program,
# remove). Needs a build made by scripts/setup.sh; the package steps need root.
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# The print history of the runs below goes into the work folder.
export TAGMORA_HISTORY="$tmp/history.sqlite"
fail() { echo "test-package: $*" >&2; exit 1; }

echo "== install tree"
DESTDIR="$tmp/root" cmake --install build --prefix /usr >/dev/null
share="$tmp/root/usr/share"
for f in /usr/bin/tagmora /usr/bin/tagmora-cli \
         /usr/share/applications/tagmora.desktop /usr/share/mime/packages/tagmora.xml \
         /usr/share/metainfo/com.tavix.Tagmora.metainfo.xml \
         /usr/share/icons/hicolor/scalable/apps/tagmora.svg \
         /usr/share/icons/hicolor/48x48/apps/tagmora.png \
         /usr/share/icons/hicolor/scalable/mimetypes/application-x-tagmora-label.svg \
         /usr/share/man/man1/tagmora.1.gz /usr/share/man/man1/tagmora-cli.1.gz \
         /usr/share/bash-completion/completions/tagmora-cli /usr/share/doc/tagmora/copyright \
         /usr/share/tagmora/tagmora.qhc; do
  [ -e "$tmp/root$f" ] || fail "missing $f"
done
[ -s "$tmp/root/usr/share/tagmora/tagmora.qch" ] || fail "no help files installed"

echo "== desktop entry, AppStream data, file type"
desktop-file-validate "$share/applications/tagmora.desktop"
appstreamcli validate --no-net "$share/metainfo/com.tavix.Tagmora.metainfo.xml"
xmllint --noout "$share/mime/packages/tagmora.xml"
mkdir -p "$tmp/xdg/mime/packages"
cp "$share/mime/packages/tagmora.xml" "$tmp/xdg/mime/packages/"
update-mime-database "$tmp/xdg/mime" >/dev/null
cp examples/shipping.blf "$tmp/label.blf"
cp examples/shipping.blf "$tmp/renamed.dat"
for f in label.blf renamed.dat; do
  type=$(XDG_DATA_HOME="$tmp/xdg" XDG_DATA_DIRS="$tmp/xdg:/usr/share" xdg-mime query filetype "$tmp/$f")
  [ "${type%%;*}" = application/x-tagmora-label ] || fail "$f is $type"
done

echo "== manual pages"
for page in tagmora tagmora-cli; do
  warnings=$(MANWIDTH=80 man --warnings -l "$share/man/man1/$page.1.gz" 2>&1 >/dev/null || true)
  [ -z "$warnings" ] || fail "man $page: $warnings"
done

if [ "$(id -u)" -ne 0 ]; then
  echo "== Debian package: skipped (needs root)"
  exit 0
fi
echo "== Debian package"
rm -f build/tagmora_*.deb
(cd build && cpack -G DEB >/dev/null 2>&1) || fail "cpack failed"
deb=$(ls build/tagmora_*.deb)
lintian --fail-on error --suppress-tags-from-file /dev/null "$deb" || fail "lintian found errors"
apt-get install -y -q "./$deb" >/dev/null
trap 'apt-get remove -y -q --purge tagmora >/dev/null 2>&1 || true; rm -rf "$tmp"' EXIT
/usr/bin/tagmora-cli --version
QT_QPA_PLATFORM=offscreen /usr/bin/tagmora-cli print /usr/share/tagmora/examples/shipping.blf -o "$tmp/shipping.pdf"
[ -s "$tmp/shipping.pdf" ] || fail "the installed program printed nothing"
# The history's SQLite driver is a plugin, which the package must depend on.
/usr/bin/tagmora-cli history --format csv | grep -q "shipping.pdf,done" \
  || fail "the installed program did not record its run in the print history"
# The 2D codes need libzint at run time: the package must have pulled it in.
QT_QPA_PLATFORM=offscreen /usr/bin/tagmora-cli print /usr/share/tagmora/examples/2d-codes.blf -o "$tmp/codes.pdf"
[ -s "$tmp/codes.pdf" ] || fail "the installed program printed no 2D codes"
apt-get remove -y -q --purge tagmora >/dev/null
left=$(dpkg -L tagmora 2>/dev/null || true)
[ ! -e /usr/bin/tagmora-cli ] && [ ! -e /usr/share/tagmora ] && [ -z "$left" ] || fail "files left after removal"
echo "test-package: all checks passed"
