#!/usr/bin/env python3
"""Writes the package managers' manifests of a release into DIST/manifests, or checks them:

    tools/make-manifests.py DIST VERSION [REPOSITORY]   the manifests, from DIST/SHA256SUMS
    tools/make-manifests.py --check DIST VERSION        parsed, against the files and installer
    tools/make-manifests.py --switches                  the winget installer's switches

winget takes the three files of its manifest schema 1.12.0, for the installers; Scoop takes
stakko.json, for the zips. REPOSITORY is the forge's address of the project
(https://host/owner/repository), whose releases hold the files: by default origin's, when that
is a forge's address, else the project's own.
"""
import hashlib
import json
import os
import re
import subprocess
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")

# The address of a build whose repository names no forge: a clone of a local folder.
DEFAULT_REPOSITORY = "https://github.com/brindlewick/windows-stakko"

IDENTIFIER = "BrindlewickSoftware.WindowsStakko"
PUBLISHER = "Brindlewick Software"
PRODUCT = "Windows Stakko"
# The key of the installer's Apps entry (packaging/stakko.nsi), which winget matches.
PRODUCT_CODE = "WindowsStakko"
LICENSE = "Freeware"
SHORT_DESCRIPTION = "A single-player falling-block puzzle game for the Windows desktop."
DESCRIPTION = ("Figures fall into a glass; move and turn them so that they fill whole rows. "
               "Full rows flash and vanish, and the thirteen best scores are kept in a table.")
SCHEMA = "1.12.0"
# The installer's own switches: silent, and the folder, last and unquoted.
SILENT = "/S"
INSTALL_LOCATION = "/D=<INSTALLPATH>"
# The installer's exit code when it stops (packaging/stakko.nsi), mostly because the game runs:
# winget then asks the player to close it and try again.
ABORTED = 2
# Each build, by winget's architecture, Scoop's, and the release's name.
BUILDS = (("x64", "64bit", "win64"), ("x86", "32bit", "win32"))


def release_notes():
    return subprocess.run([os.path.join(ROOT, "tools", "release-notes.sh")], check=True,
                          capture_output=True, text=True).stdout.rstrip("\n")


def quoted(text):
    """A YAML string in double quotes, so that no version is read as a number."""
    return json.dumps(text, ensure_ascii=False)


def yaml_file(path, kind, lines):
    header = f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{SCHEMA}.schema.json\n\n"
    body = "\n".join(lines + [f"ManifestType: {kind}", f"ManifestVersion: {SCHEMA}"])
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write(header + body + "\n")


def forge_address(given):
    if given:
        return given.rstrip("/")
    origin = subprocess.run(["git", "-C", ROOT, "remote", "get-url", "origin"],
                            capture_output=True, text=True).stdout.strip()
    # https://[user@]host/owner/repo[.git], git@host:owner/repo[.git], ssh://git@host/owner/repo
    match = re.fullmatch(r"(?:https://(?:[^@/]+@)?|git@|ssh://git@)([^/:]+)[:/]([^/]+)/([^/]+?)"
                         r"(?:\.git)?/?", origin)
    return f"https://{match[1]}/{match[2]}/{match[3]}" if match else DEFAULT_REPOSITORY


def main(dist, version, repository=""):
    repository = forge_address(repository)
    with open(os.path.join(dist, "SHA256SUMS"), encoding="utf-8") as sums:
        digests = {name.lstrip("*"): digest for digest, name in (line.split() for line in sums)}
    download = f"{repository}/releases/download/v{version}"
    notes = release_notes()
    folder = os.path.join(dist, "manifests")
    os.makedirs(folder, exist_ok=True)
    package = [f"PackageIdentifier: {IDENTIFIER}", f"PackageVersion: {quoted(version)}"]

    yaml_file(os.path.join(folder, f"{IDENTIFIER}.yaml"), "version",
              package + ["DefaultLocale: en-US"])
    yaml_file(os.path.join(folder, f"{IDENTIFIER}.locale.en-US.yaml"), "defaultLocale", package + [
        "PackageLocale: en-US",
        f"Publisher: {quoted(PUBLISHER)}",
        f"PackageName: {quoted(PRODUCT)}",
        f"PackageUrl: {quoted(repository)}",
        f"License: {quoted(LICENSE)}",
        f"ShortDescription: {quoted(SHORT_DESCRIPTION)}",
        f"Description: {quoted(DESCRIPTION)}",
        "Moniker: stakko",
        "Tags:",
        "- game",
        "- puzzle",
        "ReleaseNotes: |-",
    ] + [f"  {line}".rstrip() for line in notes.split("\n")] + [
        f"ReleaseNotesUrl: {quoted(f'{repository}/releases/tag/v{version}')}",
    ])
    installers = []
    for architecture, _, build in BUILDS:
        name = f"stakko-{version}-{build}-setup.exe"
        installers += [f"- Architecture: {architecture}",
                       f"  InstallerUrl: {quoted(f'{download}/{name}')}",
                       f"  InstallerSha256: {digests[name].upper()}"]
    yaml_file(os.path.join(folder, f"{IDENTIFIER}.installer.yaml"), "installer", package + [
        "InstallerType: nullsoft",
        "Scope: machine",
        "InstallModes:",
        "- interactive",
        "- silent",
        "- silentWithProgress",
        "InstallerSwitches:",
        f"  Silent: {quoted(SILENT)}",
        f"  SilentWithProgress: {quoted(SILENT)}",
        f"  InstallLocation: {quoted(INSTALL_LOCATION)}",
        "UpgradeBehavior: install",
        # The installer asks for administrator rights itself (RequestExecutionLevel admin).
        "ElevationRequirement: elevatesSelf",
        "ExpectedReturnCodes:",
        f"- InstallerReturnCode: {ABORTED}",
        "  ReturnResponse: packageInUse",
        f"ProductCode: {quoted(PRODUCT_CODE)}",
        "AppsAndFeaturesEntries:",
        f"- DisplayName: {quoted(PRODUCT)}",
        f"  Publisher: {quoted(PUBLISHER)}",
        f"  DisplayVersion: {quoted(version)}",
        f"  ProductCode: {quoted(PRODUCT_CODE)}",
        "Installers:",
    ] + installers)

    scoop_download = f"{repository}/releases/download/v$version"
    if repository.startswith("https://github.com/"):
        checkver = {"github": repository}
    else:
        checkver = {"url": f"{repository}/releases/latest", "regex": r"/releases/tag/v([\d.]+)"}
    scoop = {
        "version": version,
        "description": SHORT_DESCRIPTION,
        "homepage": repository,
        "license": LICENSE,
        "architecture": {
            bits: {"url": f"{download}/stakko-{version}-{build}.zip",
                   "hash": digests[f"stakko-{version}-{build}.zip"]}
            for _, bits, build in BUILDS
        },
        "bin": "stakko.exe",
        "shortcuts": [["stakko.exe", PRODUCT]],
        "checkver": checkver,
        "autoupdate": {
            "architecture": {
                bits: {"url": f"{scoop_download}/stakko-$version-{build}.zip"}
                for _, bits, build in BUILDS
            },
            "hash": {"url": f"{scoop_download}/SHA256SUMS", "regex": r"$sha256\s+\*?$basename"},
        },
    }
    with open(os.path.join(folder, "stakko.json"), "w", encoding="utf-8", newline="\n") as out:
        json.dump(scoop, out, indent=4)
        out.write("\n")


def check(dist, version):
    """Fails with the first difference between the manifests and what they describe."""
    import yaml  # python3-yaml; only the check needs it

    def expect(what, found, wanted):
        if found != wanted:
            sys.exit(f"make-manifests: {what} is {found!r}, not {wanted!r}")

    def sha256(url):
        with open(os.path.join(dist, url.rsplit("/", 1)[1]), "rb") as released:
            return hashlib.sha256(released.read()).hexdigest()

    with open(os.path.join(ROOT, "packaging", "stakko.nsi"), encoding="utf-8") as script:
        text = script.read()
        nsi = dict(re.findall(r'^ *!define (PRODUCT|PUBLISHER|UNINSTALL_KEY) "(.*)"$', text, re.M))
        elevation = re.search(r"^RequestExecutionLevel (\w+)$", text, re.M)[1]
    folder = os.path.join(dist, "manifests")
    winget = {}
    for kind in ("", ".locale.en-US", ".installer"):
        with open(os.path.join(folder, f"{IDENTIFIER}{kind}.yaml"), encoding="utf-8") as text:
            manifest = yaml.safe_load(text)
        expect(f"the PackageVersion of {kind or 'version'}", manifest["PackageVersion"], version)
        expect("ManifestVersion", manifest["ManifestVersion"], SCHEMA)
        winget.update(manifest)
    expect("PackageName", winget["PackageName"], nsi["PRODUCT"])
    expect("ReleaseNotes", winget["ReleaseNotes"], release_notes())
    expect("ElevationRequirement", winget["ElevationRequirement"],
           "elevatesSelf" if elevation == "admin" else None)
    expect("ExpectedReturnCodes", winget["ExpectedReturnCodes"],
           [{"InstallerReturnCode": ABORTED, "ReturnResponse": "packageInUse"}])
    entry = winget["AppsAndFeaturesEntries"][0]
    for code in (winget["ProductCode"], entry["ProductCode"]):
        expect("ProductCode", code, nsi["UNINSTALL_KEY"].rsplit("\\", 1)[1])
    expect("DisplayName", entry["DisplayName"], nsi["PRODUCT"])
    expect("Publisher", entry["Publisher"], nsi["PUBLISHER"])
    expect("DisplayVersion", entry["DisplayVersion"], version)
    for installer in winget["Installers"]:
        expect(f"the hash of {installer['InstallerUrl']}", installer["InstallerSha256"].lower(),
               sha256(installer["InstallerUrl"]))
    with open(os.path.join(folder, "stakko.json"), encoding="utf-8") as text:
        scoop = json.load(text)
    expect("Scoop's version", scoop["version"], version)
    for architecture in scoop["architecture"].values():
        expect(f"the hash of {architecture['url']}", architecture["hash"], sha256(architecture["url"]))
    print(f"make-manifests: {folder} checked")


if __name__ == "__main__":
    if sys.argv[1:] == ["--switches"]:
        print(SILENT, INSTALL_LOCATION)
    elif len(sys.argv) == 4 and sys.argv[1] == "--check":
        check(*sys.argv[2:])
    elif len(sys.argv) in (3, 4):
        main(*sys.argv[1:])
    else:
        sys.exit(__doc__)
