"""Copies the built libzaforq.so into the package while it is built, so that an installed
zaforq finds the library beside itself. The library is taken from ZAFORQ_LIBRARY, or from
build/release of the checkout this directory belongs to; without either the package installs
alone and loads the library from ZAFORQ_LIBRARY or the system's library path at import."""

import os
import shutil

from setuptools import setup
from setuptools.command.build_py import build_py

HERE = os.path.dirname(os.path.abspath(__file__))


class BuildWithLibrary(build_py):
    def run(self):
        super().run()
        src = os.environ.get("ZAFORQ_LIBRARY") or os.path.join(HERE, "..", "build", "release",
                                                                 "libzaforq.so")
        if os.path.exists(src):
            dst = os.path.join(self.build_lib, "zaforq", "libzaforq.so")
            shutil.copyfile(src, dst)
            print("zaforq: bundling %s" % os.path.realpath(src))
        else:
            print("zaforq: no libzaforq.so found to bundle (looked for %s)" % src)


setup(cmdclass={"build_py": BuildWithLibrary})
