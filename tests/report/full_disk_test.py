#!/usr/bin/env python3
"""Writes onto a real full disk: for each row a small tmpfs is mounted, the old
file put in place, the disk filled to its last block; then the row's program
writes onto it. Each row checks the exit status, the reason on standard error,
that the old file is byte-identical (or that the message says it may be
incomplete) and that no temporary file is left. Rows "as nobody" run as an
unprivileged user (setpriv), so that a folder's permissions hold. Mounting
needs root (CI runs as root); where it fails the test is skipped (exit 77).

usage: full_disk_test.py NAME=PROGRAM ...  (report=lingchuan-report, write=lc_write_file)
A row whose program is not given is left out, so that other writers (the
window's 保存, 导出PDF…, 导出表格…) can be added as rows of their own.
"""
import os, pwd, subprocess, sys, tempfile

PROGRAMS = dict(arg.split("=", 1) for arg in sys.argv[1:])
NOBODY = pwd.getpwnam("nobody")
JOB = b'{"sheets": {"A2": {"Text1": "10"}}}'
OLD = b'{"format": "lingchuan-workbook", "version": 1}\n'
FULL, ROOM = True, False
SHUT = "a folder nobody may add files to"
# (what, program and arguments ({dir}: the target's folder, {job}: a job file),
#  standard input, folder, as nobody, disk full, old file's mode, exit status, what standard error says)
ROWS = [
    ("PDF onto a full disk", ["report", "{job}", "-o", "{dir}/old"], b"", "", False, FULL, 0o644, 1,
     ["：无法写出PDF：磁盘已满。原来的文件没有改动。"]),
    ("4 KiB job onto a full disk, failing in the final flush", ["write", "{dir}/old"], JOB * 120, "", False, FULL, 0o644,
     1, ["磁盘已满。原来的文件没有改动。"]),
    ("PDF in place in a shut folder, full disk", ["report", "{job}", "-o", "{dir}/old"], b"", SHUT, True, FULL, 0o644,
     1, ["：无法写出PDF：磁盘已满。原来的文件可能已不完整。"]),
    ("job in place in a shut folder, with room", ["write", "{dir}/old"], JOB, SHUT, True, ROOM, 0o644, 0, []),
    ("new file in a shut folder", ["write", "{dir}/new"], JOB, SHUT, True, ROOM, 0o644, 1,
     ["没有在这个文件夹中建立文件的权限。"]),
    ("read-only file in an open folder", ["report", "{job}", "-o", "{dir}/old"], b"", "", True, ROOM, 0o444, 1,
     ["：无法写出PDF：文件是只读的，不能改写。原来的文件没有改动。"]),
]


def fill(path):
    with open(path, "wb", buffering=0) as f:
        try:
            while True:
                f.write(b"\0" * 4096)
        except OSError:
            pass
    assert os.statvfs(path).f_bavail == 0


def run_row(mount, row):
    what, command, stdin, folder, nobody, full, mode, status, says = row
    folder_path = os.path.join(mount, "d")
    os.mkdir(folder_path, 0o755)
    if nobody and folder != SHUT:
        os.chown(folder_path, NOBODY.pw_uid, NOBODY.pw_gid)
    job = os.path.join(mount, "job.json")
    for path, data in ((job, JOB), (os.path.join(folder_path, "old"), OLD)):
        with open(path, "wb") as f:
            f.write(data)
        os.chmod(path, 0o644)
    os.chmod(os.path.join(folder_path, "old"), mode)
    if nobody:
        os.chown(os.path.join(folder_path, "old"), NOBODY.pw_uid, NOBODY.pw_gid)
    if full:
        fill(os.path.join(mount, "filler"))
    before = sorted(os.listdir(folder_path))
    args = [PROGRAMS[command[0]]] + [a.format(dir=folder_path, job=job) for a in command[1:]]
    if nobody:
        args = ["setpriv", f"--reuid={NOBODY.pw_uid}", f"--regid={NOBODY.pw_gid}", "--clear-groups"] + args
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    r = subprocess.run(args, input=stdin, capture_output=True, env=env, timeout=60, check=False)
    err = r.stderr.decode(errors="replace")
    with open(os.path.join(folder_path, "old"), "rb") as f:
        old_now = f.read()
    faults = []
    if r.returncode != status:
        faults.append(f"exit {r.returncode}, not {status}")
    faults += [f"standard error without “{s}”" for s in says if s not in err]
    if status != 0 and "可能已不完整" not in err and old_now != OLD:
        faults.append("the old file changed")
    after = sorted(os.listdir(folder_path))
    if after != before:
        faults.append(f"files {before} became {after}")
    return [f"{what}: {f} ({err.strip()})" for f in faults]


def main():
    rows = [row for row in ROWS if row[1][0] in PROGRAMS]
    failures = []
    for row in rows:
        with tempfile.TemporaryDirectory() as mount:
            os.chmod(mount, 0o755)
            if subprocess.run(["mount", "-t", "tmpfs", "-o", "size=256k,mode=0755", "tmpfs", mount],
                              capture_output=True, check=False).returncode != 0:
                print("cannot mount a tmpfs here (not root?): skipped")
                return 77
            try:
                failures += run_row(mount, row)
            finally:
                subprocess.run(["umount", mount], check=True)
    print("\n".join(failures) or f"{len(rows)} rows passed")
    return 1 if failures or not rows else 0


sys.exit(main())
