#!/usr/bin/env python3
"""Packs files into a zip that holds the same bytes wherever and whenever it is made:
    make-zip.py OUT.zip EPOCH FILE...
The entries come in the order given, named without their folders, each dated at EPOCH (seconds
since 1970, UTC; the commit's time) and marked as plain files of no particular owner."""
import os
import sys
import time
import zipfile

out, epoch, files = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
# A zip's dates are local times from 1980 on, with even seconds: the commit's, read in UTC.
stamp = time.gmtime(max(epoch, 315532800))[:6]
with zipfile.ZipFile(out, "w") as archive:
    for path in files:
        entry = zipfile.ZipInfo(os.path.basename(path), stamp)
        entry.create_system = 0  # made on Windows: no Unix owner or mode
        entry.external_attr = 0x20  # the archive attribute, as Windows gives a new file
        entry.compress_type = zipfile.ZIP_DEFLATED
        with open(path, "rb") as source:
            archive.writestr(entry, source.read(), compresslevel=9)
