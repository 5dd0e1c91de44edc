# shellcheck shell=bash
# Real file-system faults for the installation tests; source this file, then
#   fault_mounts_up <dir>     mounts them below <dir> and exports their Windows paths
#   fault_mounts_down <dir>   unmounts them and removes what fault_mounts_up made
#
# Below <dir>:
#   full-disk/  a tiny tmpfs, empty: the test that uses it fills it itself, so
#               each run starts from the same state (INSTALATOR_FULL_DISK_HOST)
#   read-only/  a read-only bind mount of read-only-source/, a host folder whose
#               SZABLONY folder holds one old template (INSTALATOR_READ_ONLY_HOST)
# Mounting needs root (or a user allowed to mount). When it is not possible,
# nothing is exported and the tests that need these folders skip.
# Runs that may go side by side each need a <dir> of their own.

# The Windows path under Wine of a Linux path (drive Z: is the root).
fault_mounts_windows_path() {
    printf 'Z:%s' "${1//\//\\}"
}

fault_mounts_up() {
    local dir
    dir=$(realpath -m "$1")
    unset INSTALATOR_FULL_DISK_HOST INSTALATOR_READ_ONLY_HOST
    mkdir -p "$dir/full-disk" "$dir/read-only" "$dir/read-only-source/SZABLONY" || return 0

    if mountpoint -q "$dir/full-disk" ||
        mount -t tmpfs -o size=128k,mode=0777 instalator-full-disk "$dir/full-disk" 2>/dev/null; then
        export INSTALATOR_FULL_DISK_HOST
        INSTALATOR_FULL_DISK_HOST=$(fault_mounts_windows_path "$dir/full-disk")
    else
        echo "fault-mounts: cannot mount a tmpfs (not root?); the full-disk tests will skip" >&2
    fi

    printf '{\\rtf1 old RPT_A1}\r\n' >"$dir/read-only-source/SZABLONY/RPT_A1.rtf"
    if mountpoint -q "$dir/read-only" ||
        { mount --bind "$dir/read-only-source" "$dir/read-only" 2>/dev/null &&
            { mount -o remount,bind,ro "$dir/read-only" 2>/dev/null ||
                { umount "$dir/read-only"; false; }; }; }; then
        export INSTALATOR_READ_ONLY_HOST
        INSTALATOR_READ_ONLY_HOST=$(fault_mounts_windows_path "$dir/read-only")
    else
        echo "fault-mounts: cannot make a read-only bind mount (not root?); the read-only tests will skip" >&2
    fi
    return 0
}

fault_mounts_down() {
    local dir
    dir=$(realpath -m "$1")
    local mounted
    for mounted in "$dir/read-only" "$dir/full-disk"; do
        if mountpoint -q "$mounted"; then umount "$mounted" 2>/dev/null || umount -l "$mounted"; fi
    done
    rm -rf "$dir/read-only-source"
    rmdir "$dir/read-only" "$dir/full-disk" "$dir" 2>/dev/null
    unset INSTALATOR_FULL_DISK_HOST INSTALATOR_READ_ONLY_HOST
    return 0
}
