"""Loading libzaforq.so and the pieces every module shares.

The shared object is looked for, in this order:

1. the path in the environment variable ``ZAFORQ_LIBRARY``;
2. beside this package (``pip install ./python`` copies the built library there);
3. the build tree of a checkout, ``build/release`` next to ``python/`` (the package used
   in place, with ``PYTHONPATH=python``);
4. the dynamic loader's own search (an installed copy in a system library directory).
"""

import ctypes
import ctypes.util
import os

import numpy as np

__all__ = ["lib", "path", "has", "func", "ZaforqError", "INT32_MAX"]

_LIBNAME = "libzaforq.so"
_HERE = os.path.dirname(os.path.abspath(__file__))


def _candidates():
    env = os.environ.get("ZAFORQ_LIBRARY")
    if env:
        # An explicit choice is final: a wrong path must not silently fall back to another copy.
        return [env], True
    found = [os.path.join(_HERE, _LIBNAME),
             os.path.join(os.path.dirname(os.path.dirname(_HERE)), "build", "release", _LIBNAME)]
    return found, False


def _load():
    paths, explicit = _candidates()
    for p in paths:
        if explicit or os.path.exists(p):
            if os.sep in p:
                p = os.path.abspath(p)  # the same file whatever the working directory later
            try:
                return ctypes.CDLL(p), p
            except OSError as e:
                raise ImportError("zaforq: cannot load %s: %s" % (p, e)) from None
    name = ctypes.util.find_library("zaforq")
    if name:
        return ctypes.CDLL(name), name
    raise ImportError("zaforq: libzaforq.so not found; set ZAFORQ_LIBRARY to its path, build it "
                      "in build/release beside python/, or install it (cmake --install)")


lib, path = _load()

#: Largest count one library call takes (counts are signed 32-bit).
INT32_MAX = 2**31 - 1

_funcs = {}


def has(name):
    """True when the loaded library exports the entry ``name``."""
    try:
        getattr(lib, name)
        return True
    except AttributeError:
        return False


def func(name, restype, argtypes):
    """The entry ``name`` with its C signature, or None when the library lacks it."""
    f = _funcs.get(name)
    if f is None:
        try:
            f = getattr(lib, name)
        except AttributeError:
            return None
        f.restype = restype
        f.argtypes = argtypes
        _funcs[name] = f
    return f


def need(name, restype, argtypes, what):
    """Like func(), but a missing entry raises NotImplementedError naming what needed it."""
    f = func(name, restype, argtypes)
    if f is None:
        raise NotImplementedError("%s: this libzaforq (%s) has no entry %s" % (what, path, name))
    return f


class ZaforqError(RuntimeError):
    """A failure status returned by the library.

    Attributes: ``status`` (the integer code), ``name`` (its symbolic name, for example
    ``"ORQ_STATUS_INVALID_GENERATOR"``) and ``entry`` (the library entry that returned it).
    """

    def __init__(self, status, name, entry, detail=""):
        self.status = status
        self.name = name
        self.entry = entry
        msg = "%s returned %s (%d)" % (entry, name, status)
        if detail:
            msg += ": " + detail
        super().__init__(msg)


def check(status, table, entry, detail=""):
    """Raise ZaforqError when ``status`` is negative; ``table`` maps codes to names."""
    if status < 0:
        raise ZaforqError(status, table.get(status, "unknown status"), entry, detail)
    return status


def count(n, what):
    """A non-negative integer count (bool and float rejected)."""
    if isinstance(n, (bool, np.bool_)) or not isinstance(n, (int, np.integer)):
        raise TypeError("%s: the count must be an integer, got %r" % (what, n))
    n = int(n)
    if n < 0:
        raise ValueError("%s: the count must not be negative, got %d" % (what, n))
    return n
