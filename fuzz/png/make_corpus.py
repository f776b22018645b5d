#!/usr/bin/env python3
"""Refills the seed corpora from the test data generator: its small PNG
files (valid and broken) for the decoder; its small zlib streams and the
image data of its valid PNG files for the inflater."""
import os
import shutil
import struct
import subprocess
import sys
import tempfile

here = os.path.dirname(os.path.abspath(__file__))
generator = os.path.join(here, "..", "..", "tests", "png", "make_test_data.py")
limit = 3000  # bytes: small seeds mutate faster


def idat_stream(png):
    stream, pos = b"", 33
    while pos + 8 <= len(png):
        length, kind = struct.unpack(">I4s", png[pos:pos + 8])
        if kind == b"IDAT":
            stream += png[pos + 8:pos + 8 + length]
        pos += 12 + length
    return stream


def corpus(target):
    folder = os.path.join(here, "corpus", target)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    return folder


with tempfile.TemporaryDirectory() as data:
    subprocess.run([sys.executable, generator, data], check=True)
    pngs, streams = corpus("fuzz_decode_png"), corpus("fuzz_zlib_inflate")
    for name in sorted(os.listdir(data)):
        path = os.path.join(data, name)
        if os.path.getsize(path) > limit:
            continue
        if name.endswith(".png"):
            shutil.copy(path, pngs)
            if os.path.exists(path[:-4] + ".rgba"):
                with open(path, "rb") as f, open(os.path.join(streams, name[:-4] + ".z"), "wb") as out:
                    out.write(idat_stream(f.read()))
        elif name.endswith(".z"):
            shutil.copy(path, streams)
