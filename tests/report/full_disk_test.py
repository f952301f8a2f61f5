#!/usr/bin/env python3
"""Writers onto a real full disk: per row a small tmpfs is mounted (root only,
else skipped: 77), the old file put in place, the disk filled; each row checks
the exit status, the reason, that the old file is byte-identical unless the
message says it may be incomplete, and that no temporary file is left.
usage: full_disk_test.py NAME=PROGRAM ... (rows of programs not given are left out)
"""
import os, pwd, subprocess, sys, tempfile

PROGRAMS = dict(arg.split("=", 1) for arg in sys.argv[1:])
NOBODY = pwd.getpwnam("nobody")
# The old file: a job under one page (4 KiB); saved from the window, it takes two.
JOB, OLD = b'{"sheets": {"A2": {"Text1": "10"}}}', b'{"sheets": {"A2": {"Text2": "%s"}}}\n' % (b"1" * 2900)
SHUT = "a folder nobody may add files to"
# what, program and arguments, standard input, folder, as nobody, disk full,
# old file's mode, exit status, what standard error says
ROWS = [
    ("PDF onto a full disk", ["report", "{job}", "-o", "{dir}/old.dat"], b"", "", False, True, 0o644, 1,
     "：无法写出PDF：磁盘已满。原来的文件没有改动。"),
    ("4 KiB job onto a full disk", ["write", "{dir}/old.dat"], JOB * 120, "", False, True, 0o644, 1,
     "磁盘已满。原来的文件没有改动。"),
    ("PDF in place in a shut folder", ["report", "{job}", "-o", "{dir}/old.dat"], b"", SHUT, True, True, 0o644, 1,
     "：无法写出PDF：磁盘已满。原来的文件可能已不完整。"),
    ("job in place in a shut folder, with room", ["write", "{dir}/old.dat"], JOB, SHUT, True, False, 0o644, 0, ""),
    ("new file in a shut folder", ["write", "{dir}/new"], JOB, SHUT, True, False, 0o644, 1, "没有在这个文件夹中建立文件的权限。"),
    ("the job saved from the window", ["app", "--write", "Save", "{dir}/old.dat"], b"", "", False, True, 0o644, 1,
     "”：磁盘已满。原来的文件没有改动。\n仍未保存"),
    ("导出PDF… from the window", ["app", "--write", "ExportPdf", "{job}", "{dir}/old.dat"], b"", "", False, True, 0o644, 1,
     "导出PDF失败。无法写入文件“{dir}/old.dat”：磁盘已满。原来的文件没有改动。"),
    ("导出表格… from the window", ["app", "--write", "ExportTable", "{job}", "{dir}/old.dat"], b"", "", False, True, 0o644, 1,
     "无法导出表格“{dir}/old.dat”：磁盘已满。原来的文件没有改动。"),
    ("the job saved in place in a shut folder", ["app", "--write", "Save", "{dir}/old.dat"], b"", SHUT, True, True, 0o644, 1,
     "”：磁盘已满。原来的文件可能已不完整。\n仍未保存"),
    ("read-only file in an open folder", ["report", "{job}", "-o", "{dir}/old.dat"], b"", "", True, False, 0o444, 1,
     "：无法写出PDF：文件是只读的，不能改写。原来的文件没有改动。"),
]


def run_row(mount, what, command, stdin, folder, nobody, full, mode, status, says):
    job, folder_path = os.path.join(mount, "job.json"), os.path.join(mount, "d")
    old = os.path.join(folder_path, "old.dat")
    os.mkdir(folder_path, 0o755)
    for path, data in ((job, JOB), (old, OLD)):
        with open(path, "wb") as f:
            f.write(data)
    os.chmod(old, mode)
    for path in [old] + ([folder_path] if folder != SHUT else []) if nobody else []:
        os.chown(path, NOBODY.pw_uid, NOBODY.pw_gid)
    if full:
        with open(os.path.join(mount, "filler"), "wb", buffering=0) as f:
            while os.statvfs(mount).f_bavail > 0:
                f.write(b"\0" * 4096)
    before = sorted(os.listdir(folder_path))
    args = [PROGRAMS[command[0]]] + [a.format(dir=folder_path, job=job) for a in command[1:]]
    if nobody:
        args = ["setpriv", f"--reuid={NOBODY.pw_uid}", f"--regid={NOBODY.pw_gid}", "--clear-groups"] + args
    r = subprocess.run(args, input=stdin, capture_output=True, timeout=60, check=False,
                       env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    err = r.stderr.decode(errors="replace")
    with open(old, "rb") as f:
        changed = f.read() != OLD and status != 0 and "可能已不完整" not in err
    says = says.format(dir=folder_path)
    faults = [f"exit {r.returncode}, not {status}"] * (r.returncode != status) + [f"no “{says}”"] * (says not in err)
    faults += ["the old file changed"] * changed + [f"files {os.listdir(folder_path)}"] * (sorted(os.listdir(folder_path)) != before)
    return [f"{what}: {fault} ({err.strip()})" for fault in faults]


failures, rows = [], [row for row in ROWS if row[1][0] in PROGRAMS]
for row in rows:
    with tempfile.TemporaryDirectory() as mount:
        if subprocess.run(["mount", "-t", "tmpfs", "-o", "size=256k,mode=0755", "tmpfs", mount],
                          capture_output=True, check=False).returncode != 0:
            sys.exit(print("cannot mount a tmpfs here (not root?): skipped") or 77)
        try:
            failures += run_row(mount, *row)
        finally:
            subprocess.run(["umount", mount], check=True)
print("\n".join(failures) or f"{len(rows)} rows passed")
sys.exit(1 if failures or not rows else 0)
