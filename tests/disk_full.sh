#!/bin/bash
# A real full disk: quillobar-cli copies a 1 GB buffer onto a 64 MiB tmpfs.
# The cycle must fail at the write with ENOSPC (28), naming the work file,
# exit with code 1 and leave nothing on the tmpfs. Mounting needs root; where
# that is refused the test reports itself skipped (exit code 77).
# Usage: disk_full.sh QUILLOBAR_CLI
set -u
cli=$1
mnt=$(mktemp -d "${TMPDIR:-/tmp}/quillobar-disk-full.XXXXXX") || exit 1
mounted=0
cleanup() {
  if [ "$mounted" = 1 ]; then umount "$mnt" || echo "could not unmount $mnt"; fi
  rmdir "$mnt"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

if ! mount -t tmpfs -o size=64m,mode=0755 quillobar-disk-full "$mnt"; then
  echo "SKIPPED: cannot mount a tmpfs here (needs root and CAP_SYS_ADMIN)"
  exit 77
fi
mounted=1

fail() {
  echo "FAIL: $*"
  exit 1
}

out=$("$cli" --drive "$mnt" --size-gb 1 2>&1)
code=$?
printf '%s\n' "$out"

[ "$code" -eq 1 ] || fail "exit code $code, expected 1"
grep -qxF "写入 SSD 文件失败: $mnt/ram_sdd_fold/memory_to_file.dat" <<<"$out" ||
  fail "no write failure naming the work file"
grep -qxF "错误代码=28" <<<"$out" || fail "no error code 28 (ENOSPC) after the write failure"
grep -qxF "result: 0 of 1 cycles passed" <<<"$out" || fail "no failed result line"
! grep -q "^passes: " <<<"$out" || fail "a pass was counted"
left=$(ls -A "$mnt")
[ -z "$left" ] || fail "left on the tmpfs: $left"
echo "PASS"
