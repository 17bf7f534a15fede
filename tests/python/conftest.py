# The package is tested in place (python/ of this checkout) against the library named by
# ZAFORQ_LIBRARY, or build/release when unset; `raw` is the same library opened directly, for
# drawing reference values through the C API without the package.
import ctypes
import os
import sys

import pytest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "python"))

import zaforq  # noqa: E402


@pytest.fixture(scope="session")
def raw():
    return ctypes.CDLL(zaforq.library_path)
