#!/usr/bin/env python3
"""Writes a registry file (regedit format 5.00, UTF-16LE) with a realistic set of
uninstall entries for seeding a Wine prefix, plus a small summary beside it.

Sources (read-only; PELMIRA_SHARED_DATA, else ../shared/data beside the repository):
  ARP_DIR/InputARPData.txt                real uninstall entries (display name, version, publisher, product code)
  ARP_DIR/InputNames.txt, InputPublishers.txt   real display-name / publisher pairs (every 40th is taken)
  CATALOGUE/packages.tsv                  the products of the service's sample catalogue; every third one
                                          is entered with an older version than the catalogue's

The output is deterministic, so it can be committed and diffed:
  make-uninstall-seed.py [--arp DIR] [--catalogue DIR] [--out FILE.reg]
The summary FILE.expect lists key=value lines the end-to-end test reads:
  records=<entries the local scan keeps>   entries=<all entries written>
  older=<display name>|<older version>|<catalogue version>   (one line per product entered in an older version)
"""
import argparse
import csv
import os
import re
import sys

UNINSTALL = r"HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall"


def reg_string(value):
    return '"' + value.replace("\\", "\\\\").replace('"', '\\"') + '"'


def older_version(version):
    """A plausible earlier release: the first number that can go down by one does."""
    parts = version.split(".")
    for i, part in enumerate(parts):
        m = re.match(r"^(\d+)(.*)$", part)
        if m and int(m.group(1)) > 0:
            parts[i] = str(int(m.group(1)) - 1) + m.group(2)
            return ".".join(parts)
    return ""


def key_name(text):
    """Uninstall key names never hold a backslash."""
    return text.replace("\\", "_").strip()


class Seed:
    def __init__(self):
        self.entries = []  # (key, values dict in order)
        self.keys = set()

    def add(self, key, values):
        key = key_name(key)
        base, n = key, 2
        while key.lower() in self.keys:
            key = f"{base}.{n}"
            n += 1
        self.keys.add(key.lower())
        self.entries.append((key, values))

    def write(self, path):
        lines = ["Windows Registry Editor Version 5.00", "", f"[{UNINSTALL}]", ""]
        for key, values in self.entries:
            lines.append(f"[{UNINSTALL}\\{key}]")
            for name, value in values.items():
                if isinstance(value, int):
                    lines.append(f'"{name}"=dword:{value:08x}')
                else:
                    lines.append(f'"{name}"={reg_string(value)}')
            lines.append("")
        text = "\r\n".join(lines) + "\r\n"
        with open(path, "wb") as f:
            f.write(b"\xff\xfe" + text.encode("utf-16-le"))


def install_dir(name):
    clean = re.sub(r'[<>:"/\\|?*]', "", name).strip() or "App"
    return "C:\\Program Files\\" + clean


def entry_values(display, version, publisher, size):
    values = {"DisplayName": display}
    if version:
        values["DisplayVersion"] = version
    if publisher:
        values["Publisher"] = publisher
    folder = install_dir(display)
    values["InstallLocation"] = folder + "\\"
    values["UninstallString"] = f'"{folder}\\uninstall.exe"'
    values["EstimatedSize"] = size
    values["NoModify"] = 1
    return values


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    repo = os.path.dirname(os.path.dirname(here))
    shared = os.environ.get("PELMIRA_SHARED_DATA") or os.path.join(os.path.dirname(repo), "shared", "data")
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--arp", default=os.path.join(shared, "arp"))
    ap.add_argument("--catalogue", default=os.path.join(shared, "winget-manifests"))
    ap.add_argument("--out", default=os.path.join(repo, "tests", "data", "e2e", "uninstall-seed.reg"))
    args = ap.parse_args()

    seed = Seed()
    older = []
    size = 1000

    # Products of the service's catalogue, keyed by their display name as many installers do.
    with open(os.path.join(args.catalogue, "packages.tsv"), encoding="utf-8", newline="") as f:
        rows = list(csv.DictReader(f, delimiter="\t", quoting=csv.QUOTE_NONE))
    for index, row in enumerate(rows):
        display = row["display_names"].split(" | ")[0].strip()
        version = (row["afe_display_versions"].split(" | ")[0].strip() or row["version"].strip())
        publisher = row["publisher"].split(" | ")[0].strip()
        if index % 3 == 0 and version not in display:
            old = older_version(version)
            if old:
                older.append((display, old, version))
                version = old
        size = (size * 7 + 311) % 900000 + 500
        seed.add(display, entry_values(display, version, publisher, size))

    # Real uninstall entries as found on users' machines, keyed by their product code.
    with open(os.path.join(args.arp, "InputARPData.txt"), encoding="utf-8-sig") as f:
        for line in f:
            fields = line.rstrip("\r\n").split("|")
            if len(fields) < 7 or not fields[3].strip():
                continue
            display, version, publisher, code = fields[3], fields[4], fields[5], fields[6]
            size = (size * 7 + 311) % 900000 + 500
            seed.add(code or display, entry_values(display, version, publisher, size))

    # Display-name / publisher pairs without versions in the registry (the scan derives them).
    with open(os.path.join(args.arp, "InputNames.txt"), encoding="utf-8-sig") as f:
        names = [n.rstrip("\r\n") for n in f]
    with open(os.path.join(args.arp, "InputPublishers.txt"), encoding="utf-8-sig") as f:
        publishers = [p.rstrip("\r\n") for p in f]
    for i in range(0, min(len(names), len(publishers)), 40):
        if not names[i].strip():
            continue
        size = (size * 7 + 311) % 900000 + 500
        seed.add(names[i] + "_is1", entry_values(names[i], "", publishers[i], size))

    # Windows' own updates, which the scan leaves out.
    dropped = 0
    for kb, title in (("KB5005565", "Hotfix for Microsoft .NET Framework 4.8 (KB5005565)"),
                      ("KB4023057", "Update for Windows 10 for x64-based Systems (KB4023057)")):
        seed.add(kb, {"DisplayName": title, "DisplayVersion": "1", "Publisher": "Microsoft Corporation",
                      "SystemComponent": 1})
        dropped += 1

    # Entries of Microsoft Corporation whose name mentions Windows (or a hotfix) are dropped by the scan.
    for _, values in seed.entries[:-dropped]:
        if values.get("Publisher") == "Microsoft Corporation" and any(
                w in values["DisplayName"] for w in ("Windows", "Hotfix")):
            dropped += 1

    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    seed.write(args.out)
    expect = os.path.splitext(args.out)[0] + ".expect"
    with open(expect, "w", encoding="utf-8", newline="\n") as f:
        f.write(f"entries={len(seed.entries)}\n")
        f.write(f"records={len(seed.entries) - dropped}\n")
        for title, old, new in older:
            f.write(f"older={title}|{old}|{new}\n")
    print(f"{args.out}: {len(seed.entries)} entries, {len(older)} in older versions", file=sys.stderr)


if __name__ == "__main__":
    main()
