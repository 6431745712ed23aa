#!/usr/bin/python3
"""Reads the shipped Tellaro.exe and the portable zip as Windows will.

usage: check_exe.py EXE VERSION MIN_WINDOWS CROSS_CC PORTABLE_ZIP NM ADDR2LINE
The version resource and the about dialog carry VERSION; the manifest asks
for common controls 6, asInvoker and system DPI awareness and lists the
systems from MIN_WINDOWS (e.g. 6.0) on; the header declares MIN_WINDOWS, and
every imported Windows function is declared by the SDK headers set to that
version (compiled with CROSS_CC); the zip holds this program and the guides.
The program carries no debug sections, but names its symbols file beside it,
through which ADDR2LINE resolves WinMain (found with NM) to its source line.
"""
import re
import subprocess
import sys
import xml.etree.ElementTree as ElementTree
import zipfile

import pefile

SUPPORTED_OS = {  # supportedOS ids of the manifest, by Windows version
    (6, 0): "{e2011457-1546-43c5-a5fe-008deee3d3f0}",
    (6, 1): "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
    (6, 2): "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
    (6, 3): "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
    (10, 0): "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
}
# Imported from these, a name is the C runtime's, not a Windows API.
RUNTIME_DLLS = {"msvcrt.dll"}
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def resource_data(pe, type_id, name_id, language=None):
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id != type_id:
            continue
        for name in entry.directory.entries:
            if name.id != name_id:
                continue
            for lang in name.directory.entries:
                if language is None or lang.id == language:
                    return pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size)
    return None


def check_version(pe, version):
    numbers = [int(part) for part in version.split(".")]
    fixed = pe.VS_FIXEDFILEINFO[0]
    found = [fixed.FileVersionMS >> 16, fixed.FileVersionMS & 0xFFFF,
             fixed.FileVersionLS >> 16, fixed.FileVersionLS & 0xFFFF]
    check(found == numbers, f"file version {found}, expected {numbers}")
    check(fixed.ProductVersionMS == fixed.FileVersionMS and
          fixed.ProductVersionLS == fixed.FileVersionLS, "product and file version differ")
    tables = {}
    for info in pe.FileInfo[0]:
        for table in getattr(info, "StringTable", []):
            tables[table.LangID.decode().lower()] = {
                k.decode(): v.decode() for k, v in table.entries.items()}
    check(set(tables) == {"041104b0", "040904b0"}, f"string blocks {sorted(tables)}")
    for lang, values in tables.items():
        for key, expected in (("ProductName", "Tellaro Explorer"), ("CompanyName", "Morvane"),
                              ("OriginalFilename", "Tellaro.exe"), ("FileVersion", version),
                              ("ProductVersion", version)):
            check(values.get(key) == expected, f"{lang} {key} = {values.get(key)!r}")
    short = ".".join(version.split(".")[:2])
    # RT_DIALOG 106, the about dialog, in each language the program shows.
    for language, title in ((0x411, f"Ver.{short}"), (0x409, f"Version {short}")):
        about = resource_data(pe, 5, 106, language)
        check(about is not None and title.encode("utf-16-le") in about,
              f"the about dialog of language {language:#x} does not show {title}")


def check_manifest(pe, minimum):
    data = resource_data(pe, 24, 1)  # RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID
    check(data is not None, "no manifest")
    if data is None:
        return
    root = ElementTree.fromstring(data)
    elements = list(root.iter())

    def local(element):
        return element.tag.split("}")[-1]

    controls = [e for e in elements if local(e) == "assemblyIdentity"
                and e.get("name") == "Microsoft.Windows.Common-Controls"]
    check(len(controls) == 1 and controls[0].get("version") == "6.0.0.0",
          "no dependency on common controls 6")
    levels = [e.get("level") for e in elements if local(e) == "requestedExecutionLevel"]
    check(levels == ["asInvoker"], f"execution level {levels}")
    listed = [e.get("Id").lower() for e in elements if local(e) == "supportedOS"]
    expected = [guid for ver, guid in sorted(SUPPORTED_OS.items()) if ver >= minimum]
    check(listed == expected, f"supportedOS {listed}, expected from {minimum} on")
    awareness = {local(e): (e.text or "").strip().lower() for e in elements
                 if local(e) in ("dpiAware", "dpiAwareness")}
    check(awareness == {"dpiAware": "true", "dpiAwareness": "system"}, f"DPI {awareness}")


def check_minimum(pe, minimum, cross_cc):
    header = pe.OPTIONAL_HEADER
    for what in ("OperatingSystem", "Subsystem"):
        declared = (getattr(header, f"Major{what}Version"), getattr(header, f"Minor{what}Version"))
        check(declared == minimum, f"{what} version {declared}, expected {minimum}")
    names = sorted({imp.name.decode() for dll in pe.DIRECTORY_ENTRY_IMPORT
                    if dll.dll.decode().lower() not in RUNTIME_DLLS
                    for imp in dll.imports if imp.name})
    winnt = f"0x{minimum[0]:02X}{minimum[1]:02X}"
    headers = ("windows.h", "shellapi.h", "shlobj.h", "shlwapi.h")
    source = "".join(f"#include <{h}>\n" for h in headers) + "".join(
        f"void *use_{name} = (void *)&{name};\n" for name in names)
    result = subprocess.run(
        [cross_cc, "-fsyntax-only", "-x", "c", "-", f"-D_WIN32_WINNT={winnt}", f"-DWINVER={winnt}"],
        input=source, capture_output=True, text=True)
    check(result.returncode == 0,
          f"imports not declared for Windows {minimum}:\n{result.stderr[:3000]}")


def check_symbols(pe, exe, nm, addr2line):
    with open(exe, "rb") as f:
        data = f.read()
    # Names longer than 8 bytes are "/offset" into the COFF string table.
    strings = pe.FILE_HEADER.PointerToSymbolTable + 18 * pe.FILE_HEADER.NumberOfSymbols
    names = [s.Name.rstrip(b"\0") for s in pe.sections]
    names = [data[strings + int(n[1:]):].split(b"\0")[0] if n[:1] == b"/" else n for n in names]
    debug = [n.decode() for n in names if n.startswith(b".debug")]
    check(not debug, f"debug sections left in the program: {debug}")
    # A crash address in our own code resolves through the symbols file the
    # program names (bfd checks its checksum) to a line of the checkout.
    listing = subprocess.run([nm, exe + ".debug"], capture_output=True, text=True).stdout
    found = re.search(r"^([0-9a-f]+) T _WinMain@16$", listing, re.M)
    line = subprocess.run([addr2line, "-e", exe, "0x" + found.group(1)], capture_output=True,
                          text=True).stdout.strip() if found else "no WinMain symbol"
    check(re.fullmatch(r"(\./)*app/main\.cpp:[1-9][0-9]*", line), f"WinMain resolves to {line!r}")


def check_zip(path, exe):
    with zipfile.ZipFile(path) as archive:
        check(sorted(archive.namelist()) == ["Tellaro.en.html", "Tellaro.exe", "Tellaro.html", "Tellaro.portable"],
              f"portable zip holds {archive.namelist()}")
        if "Tellaro.exe" in archive.namelist():
            with open(exe, "rb") as built:
                check(archive.read("Tellaro.exe") == built.read(), "the zip's program is another build")
        # The help command opens either guide at the same sections.
        if {"Tellaro.html", "Tellaro.en.html"} <= set(archive.namelist()):
            anchors = [set(re.findall(r'\bid="([^"]+)"', archive.read(name).decode()))
                       for name in ("Tellaro.html", "Tellaro.en.html")]
            check(anchors[0] and anchors[0] == anchors[1],
                  f"the guides' sections differ: {sorted(anchors[0] ^ anchors[1])}")


def main():
    exe, version, minimum_text, cross_cc, portable, nm, addr2line = sys.argv[1:8]
    minimum = tuple(int(part) for part in minimum_text.split("."))
    pe = pefile.PE(exe)
    check_version(pe, version)
    check_manifest(pe, minimum)
    check_minimum(pe, minimum, cross_cc)
    check_zip(portable, exe)
    check_symbols(pe, exe, nm, addr2line)
    for failure in failures:
        print("FAIL:", failure)
    print("Tellaro.exe and the portable zip:", "ok" if not failures else f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
