"""Vector mathematics: the library's elementwise kernels over numpy arrays.

Every kernel family the loaded library exports becomes one function here, named after the
family in lower case: ``exp``, ``ln``, ``log10``, ``pow``, ``powx``, ``sin``, ``sincos``,
``sqrt``, ``invsqrt``, ``div``, ... (``kernels()`` lists them). Each takes ``accuracy=``, one of

* ``"HA"``: high accuracy, below 1 ulp (float32 and float64);
* ``"LA"``: the lower class of the dtype: ``"50"`` for float64, ``"21"`` for float32;
* ``"50"`` (float64, below 4 ulp), ``"21"`` (float32, below 4 ulp), ``"11"`` (float32,
  relative error below 2**-11),

and ``out=`` (an array of the result's shape and dtype, strided or not). The precision follows
the input's dtype: float32 arrays run the float kernels, float64 arrays the double ones; Python
numbers and lists become float64; other array dtypes are refused with TypeError. Contiguous
input is handed to the kernel as it is; strided input (negative and zero strides included) is
gathered with the library's pack entries and a strided ``out`` is filled with its unpack
entries, so the kernels always see dense arrays.

Elements that the library reports (domain errors, poles, overflow, underflow) are written
first and then surfaced as numpy users expect, per category as ``seterr`` and ``errstate``
choose: ``invalid`` (domain error), ``divide`` (pole), ``over``, ``under``; each is
``"ignore"``, ``"warn"`` (a VMWarning) or ``"raise"`` (a VMError, raised after the whole
array was computed). The thread's status word and mode word of the library are available
through ``get_status``/``set_status``/``clear_status`` and ``get_mode``/``set_mode``.
"""

import contextlib
import ctypes
import threading
import warnings

import numpy as np

from . import _lib

__all__ = ["VMError", "VMWarning", "kernels", "classes", "get_mode", "set_mode", "get_status",
           "set_status", "clear_status", "status_name", "seterr", "geterr", "errstate",
           "MODE_DEFAULT", "MODE_IGNORE", "MODE_ERRNO", "MODE_STDERR", "MODE_EXCEPT",
           "MODE_CALLBACK", "STATUS_NAMES"]

# ---- status and mode ----------------------------------------------------------------------

#: Status codes of the per-thread error status.
STATUS_NAMES = {0: "ZAF_STATUS_OK", -1: "ZAF_STATUS_BADSIZE", -2: "ZAF_STATUS_BADMEM",
                1: "ZAF_STATUS_ERRDOM", 2: "ZAF_STATUS_SING", 3: "ZAF_STATUS_OVERFLOW",
                4: "ZAF_STATUS_UNDERFLOW"}
_CATEGORY = {1: "invalid", 2: "divide", 3: "over", 4: "under"}
_WHAT = {1: "argument out of domain", 2: "singularity (pole)", 3: "overflow", 4: "underflow"}

MODE_DEFAULT = 0x1A02   #: a fresh thread's mode word
MODE_IGNORE = 0x0100    #: error action: only record the status
MODE_ERRNO = 0x0200     #: error action: set errno
MODE_STDERR = 0x0400    #: error action: print to standard error
MODE_EXCEPT = 0x0800    #: error action: raise the floating-point flag
MODE_CALLBACK = 0x1000  #: error action: call the thread's error callback

_u32 = ctypes.c_uint32
_i32 = ctypes.c_int32
_vp = ctypes.c_void_p
_get_mode = _lib.func("_zafGetMode", _u32, [])
_set_mode = _lib.func("_zafSetMode", _u32, [_u32])
_get_status = _lib.func("_zafGetErrStatus", _i32, [])
_set_status = _lib.func("_zafSetErrStatus", _i32, [_i32])
_clear_status = _lib.func("_zafClearErrStatus", _i32, [])


def get_mode():
    """The calling thread's mode word (accuracy bits 0-3, floating-point control bits 4-7,
    error actions bits 8-15; see the MODE_* constants)."""
    return int(_get_mode())


def set_mode(mode):
    """Set the calling thread's mode word and return the previous one.

    A zero field in ``mode`` leaves that field unchanged (``set_mode(MODE_IGNORE)`` changes only
    the error actions). Python-level reporting (``seterr``) works under every mode, since it
    reads the status word, which is updated whatever the actions are."""
    mode = int(mode)
    if not 0 <= mode <= 0xFFFFFFFF:
        raise ValueError("set_mode: the mode word is an unsigned 32-bit value, got %d" % mode)
    return int(_set_mode(mode))


def get_status():
    """The calling thread's sticky error status: 0, or the code of the last reported element
    (1 domain, 2 pole, 3 overflow, 4 underflow; names in STATUS_NAMES)."""
    return int(_get_status())


def set_status(status):
    """Store ``status`` in the calling thread's error status; return the previous value."""
    return int(_set_status(int(status)))


def clear_status():
    """Reset the calling thread's error status to 0; return the previous value."""
    return int(_clear_status())


def status_name(status):
    """The symbolic name of an error status, for example ``"ZAF_STATUS_OVERFLOW"``."""
    return STATUS_NAMES.get(int(status), "unknown status %d" % int(status))


class VMError(FloatingPointError):
    """An element error under ``seterr(...="raise")``. Attributes ``status`` (the code),
    ``name`` (``"ZAF_STATUS_..."``) and ``entry`` (the kernel). The results were written."""

    def __init__(self, status, entry):
        self.status = status
        self.name = status_name(status)
        self.entry = entry
        super().__init__("%s in %s: %s" % (self.name, entry, _WHAT.get(status, "error")))


class VMWarning(RuntimeWarning):
    """An element error under ``seterr(...="warn")``."""


# ---- Python-level reporting, per thread like the library's own status ---------------------

_state = threading.local()
_ACTIONS = ("ignore", "warn", "raise")


def _errs():
    e = getattr(_state, "errs", None)
    if e is None:
        e = _state.errs = {"invalid": "warn", "divide": "warn", "over": "warn", "under": "ignore"}
    return e


def geterr():
    """The current reporting of element errors: a dict of ``invalid``, ``divide``, ``over``
    and ``under``, each ``"ignore"``, ``"warn"`` or ``"raise"``."""
    return dict(_errs())


def seterr(all=None, divide=None, over=None, under=None, invalid=None):
    """Choose how element errors reach Python, like ``numpy.seterr``; return the old settings.

    ``invalid``: domain errors (ZAF_STATUS_ERRDOM); ``divide``: poles (ZAF_STATUS_SING);
    ``over``/``under``: overflow and underflow. ``all`` sets the four at once. The choice is
    per thread. Default: warn, except underflow, which is ignored."""
    old = geterr()
    e = _errs()
    new = {}
    if all is not None:
        new = dict.fromkeys(e, all)
    for k, v in (("divide", divide), ("over", over), ("under", under), ("invalid", invalid)):
        if v is not None:
            new[k] = v
    for k, v in new.items():
        if v not in _ACTIONS:
            raise ValueError("seterr: %s must be one of %s, got %r" % (k, _ACTIONS, v))
    e.update(new)
    return old


@contextlib.contextmanager
def errstate(**kwargs):
    """Context manager form of ``seterr``: ``with zaforq.vm.errstate(over="raise"): ...``."""
    old = seterr(**kwargs)
    try:
        yield
    finally:
        _errs().update(old)


def _report(status, entry):
    action = _errs().get(_CATEGORY.get(status), "warn")
    if action == "raise":
        raise VMError(status, entry)
    if action == "warn":
        warnings.warn("%s in %s: %s" % (status_name(status), entry, _WHAT.get(status, "error")),
                      VMWarning, stacklevel=4)


# ---- pack and unpack: strided operands to and from dense arrays -----------------------------

_pack = {}
for _t, _c in (("s", np.float32), ("d", np.float64)):
    _pack[_c] = (_lib.func("_zaf%sPackI" % _t, None, [_i32, _vp, _i32, _vp]),
                 _lib.func("_zaf%sPackV" % _t, None, [_i32, _vp, _vp, _vp]),
                 _lib.func("_zaf%sUnpackI" % _t, None, [_i32, _vp, _vp, _i32]),
                 _lib.func("_zaf%sUnpackV" % _t, None, [_i32, _vp, _vp, _vp]))


def _layout(a):
    """How to reach a non-contiguous array's elements in C order through pack/unpack:
    ("I", inc) for one strided axis, ("V", int32 offsets) otherwise, or None when the element
    offsets do not fit the entries (then numpy copies)."""
    size = a.itemsize
    if a.size > _lib.INT32_MAX or any(s % size for s in a.strides):
        return None
    axes = [(n, s // size) for n, s in zip(a.shape, a.strides) if n != 1]
    if len(axes) == 1:
        return ("I", axes[0][1])
    off = np.zeros((), dtype=np.int64)
    for n, s in axes:
        off = np.add.outer(off, np.arange(n, dtype=np.int64) * s)
    off = off.reshape(-1)
    if off.size and (off.min() < -2**31 or off.max() >= 2**31):
        return None
    return ("V", np.ascontiguousarray(off, dtype=np.int32))


def _gather(a):
    """A C-contiguous array with a's elements: a itself, or a copy made by the pack entries."""
    if a.flags.c_contiguous:
        return a
    lay = _layout(a)
    if lay is None:
        return np.ascontiguousarray(a)
    packi, packv = _pack[a.dtype.type][:2]
    y = np.empty(a.shape, dtype=a.dtype)
    if lay[0] == "I":
        packi(a.size, a.ctypes.data, lay[1], y.ctypes.data)
    else:
        packv(a.size, a.ctypes.data, lay[1].ctypes.data, y.ctypes.data)
    return y


def _scatter(dense, out):
    """Write a dense result into a non-contiguous ``out`` with the unpack entries."""
    lay = _layout(out)
    if lay is None:
        out[...] = dense
        return
    unpacki, unpackv = _pack[out.dtype.type][2:]
    if lay[0] == "I":
        unpacki(out.size, dense.ctypes.data, out.ctypes.data, lay[1])
    else:
        unpackv(out.size, dense.ctypes.data, out.ctypes.data, lay[1].ctypes.data)


# ---- the kernel catalogue -------------------------------------------------------------------

# (family, shape, what it computes). Shapes: "a" one in one out, "ab" two in, "ax" array and
# scalar, "a2" one in two out. A family becomes a function as soon as the library exports one
# of its kernels, so new families appear here without further code.
_CATALOGUE = [
    ("Acos", "a", "arc cosine"), ("Acosh", "a", "inverse hyperbolic cosine"),
    ("Asin", "a", "arc sine"), ("Asinh", "a", "inverse hyperbolic sine"),
    ("Atan", "a", "arc tangent"), ("Atan2", "ab", "atan2(a, b), the angle of the point (b, a)"),
    ("Atanh", "a", "inverse hyperbolic tangent"), ("Cbrt", "a", "cube root"),
    ("Cos", "a", "cosine"), ("Cosh", "a", "hyperbolic cosine"), ("Div", "ab", "a / b"),
    ("Erf", "a", "error function"), ("Erfc", "a", "complementary error function"),
    ("Exp", "a", "e to the power a"), ("Inv", "a", "1 / a"), ("InvCbrt", "a", "1 / cbrt(a)"),
    ("InvSqrt", "a", "1 / sqrt(a)"), ("Ln", "a", "natural logarithm"),
    ("Log10", "a", "base-10 logarithm"), ("Pow", "ab", "a to the power b"),
    ("Powx", "ax", "a to the power of the scalar b"), ("Sin", "a", "sine"),
    ("SinCos", "a2", "sine and cosine, returned as a pair"), ("Sinh", "a", "hyperbolic sine"),
    ("Sqrt", "a", "square root"), ("Tan", "a", "tangent"), ("Tanh", "a", "hyperbolic tangent"),
]

_CLASSES = {np.float32: ("s", {"HA": "HA", "LA": "21", "21": "21", "11": "11"}),
            np.float64: ("d", {"HA": "HA", "LA": "50", "50": "50"})}
_SHAPE_ARGS = {"a": [_i32, _vp, _vp], "ab": [_i32, _vp, _vp, _vp], "a2": [_i32, _vp, _vp, _vp]}
_CHUNK = _lib.INT32_MAX


def _entry(family, shape, dtype, accuracy, fname):
    letter, classes = _CLASSES[dtype]
    suffix = classes.get(accuracy)
    if suffix is None:
        raise ValueError("zaforq.vm.%s: accuracy %r is not a class of %s; choose one of %s"
                         % (fname, accuracy, np.dtype(dtype).name, sorted(classes)))
    name = "_zaf%s%s_%s" % (letter, family, suffix)
    if shape == "ax":
        scalar = ctypes.c_float if dtype is np.float32 else ctypes.c_double
        args = [_i32, _vp, scalar, _vp]
    else:
        args = _SHAPE_ARGS[shape]
    return name, _lib.need(name, None, args, "zaforq.vm." + fname)


def _as_input(x, fname):
    if isinstance(x, np.ndarray):
        if x.dtype.type not in _CLASSES:
            raise TypeError("zaforq.vm.%s: expected a float32 or float64 array, got dtype %s "
                            "(convert with .astype(np.float64))" % (fname, x.dtype))
        return x
    if isinstance(x, np.float32):
        return np.asarray(x)
    try:
        return np.asarray(x, dtype=np.float64)
    except (TypeError, ValueError) as e:
        raise TypeError("zaforq.vm.%s: cannot use %r as a float array: %s" % (fname, x, e)) from None


def _as_output(out, shape, dtype, fname):
    if out is None:
        return np.empty(shape, dtype=dtype)
    if not isinstance(out, np.ndarray):
        raise TypeError("zaforq.vm.%s: out must be a numpy array" % fname)
    if out.dtype != dtype:
        raise TypeError("zaforq.vm.%s: out has dtype %s, the result is %s"
                        % (fname, out.dtype, np.dtype(dtype).name))
    if out.shape != shape:
        raise ValueError("zaforq.vm.%s: out has shape %s, the result has shape %s"
                         % (fname, out.shape, shape))
    if not out.flags.writeable:
        raise ValueError("zaforq.vm.%s: out is read-only" % fname)
    return out


def _run(fname, family, shape, inputs, scalar, accuracy, outs):
    dtype = inputs[0].dtype.type
    if len(inputs) == 2:
        if inputs[1].dtype.type is not dtype:
            # A scalar takes the array's precision (as numpy does); two arrays meet in float64.
            if inputs[1].ndim == 0 and inputs[0].ndim:
                dtype = inputs[0].dtype.type
            elif inputs[0].ndim == 0 and inputs[1].ndim:
                dtype = inputs[1].dtype.type
            else:
                dtype = np.float64
            inputs = [i.astype(dtype, copy=False) for i in inputs]
        inputs = np.broadcast_arrays(*inputs)
    name, kernel = _entry(family, shape, dtype, accuracy, fname)
    rshape = inputs[0].shape
    nout = 2 if shape == "a2" else 1
    given = outs is not None
    if outs is None:
        outs = (None,) * nout
    elif nout == 1:
        outs = (outs,)
    elif not isinstance(outs, tuple) or len(outs) != 2:
        raise TypeError("zaforq.vm.%s: out must be a pair of arrays" % fname)
    outs = [_as_output(o, rshape, dtype, fname) for o in outs]
    dense_in = [_gather(a) for a in inputs]
    dense_out = [o if o.flags.c_contiguous else np.empty(rshape, dtype=dtype) for o in outs]
    n = dense_out[0].size
    if n:
        ptrs = [a.ctypes.data for a in dense_in] + [o.ctypes.data for o in dense_out]
        step = np.dtype(dtype).itemsize
        saved = _set_status(0)
        for start in range(0, n, _CHUNK):
            m = min(_CHUNK, n - start)
            p = [q + start * step for q in ptrs]
            if shape == "ax":
                kernel(m, p[0], scalar, p[1])
            else:
                kernel(m, *p)
        status = _get_status()
        if status == 0:
            _set_status(saved)  # keep the thread's status sticky across clean calls
    else:
        status = 0
    for d, o in zip(dense_out, outs):
        if d is not o:
            _scatter(d, o)
    if status:
        _report(status, name)
    if rshape == () and not given:
        outs = [o[()] for o in outs]  # scalars in, scalars out, as numpy's functions do
    return outs[0] if nout == 1 else tuple(outs)


def _make(family, shape, what):
    fname = family.lower()
    if shape == "a":
        def f(x, accuracy="HA", out=None):
            return _run(fname, family, shape, [_as_input(x, fname)], None, accuracy, out)
        sig = "%s(x, accuracy='HA', out=None)" % fname
    elif shape == "ab":
        def f(a, b, accuracy="HA", out=None):
            return _run(fname, family, shape, [_as_input(a, fname), _as_input(b, fname)], None,
                        accuracy, out)
        sig = "%s(a, b, accuracy='HA', out=None)" % fname
    elif shape == "ax":
        def f(a, b, accuracy="HA", out=None):
            a = _as_input(a, fname)
            if np.ndim(b) != 0:
                raise TypeError("zaforq.vm.powx: b must be a scalar (use pow for arrays)")
            return _run(fname, family, shape, [a], float(b), accuracy, out)
        sig = "%s(a, b, accuracy='HA', out=None)" % fname
    else:
        def f(x, accuracy="HA", out=None):
            return _run(fname, family, shape, [_as_input(x, fname)], None, accuracy, out)
        sig = "%s(x, accuracy='HA', out=None)" % fname
    f.__name__ = f.__qualname__ = fname
    f.__doc__ = ("%s\n\nElementwise %s by the kernels _zaf<s|d>%s_<class>; float32 or float64 by "
                 "the input's dtype.\n\naccuracy: 'HA', 'LA' or a class of the dtype ('50' for "
                 "float64; '21', '11' for float32).\nout: optional result array%s of the result's "
                 "shape and dtype (may be strided).\nReturns the result%s. Element errors are "
                 "reported as seterr() chooses." % (sig, what, family,
                                                   " pair" if shape == "a2" else "",
                                                   " pair (sin, cos)" if shape == "a2" else ""))
    return f


_available = []
for _family, _shape, _what in _CATALOGUE:
    if any(_lib.has("_zaf%s%s_%s" % (t, _family, c)) for t, c in
           (("s", "11"), ("s", "21"), ("s", "HA"), ("d", "50"), ("d", "HA"))):
        globals()[_family.lower()] = _make(_family, _shape, _what)
        _available.append(_family.lower())
        __all__.append(_family.lower())


def kernels():
    """Names of the functions this module offers: one per kernel family the library exports."""
    return list(_available)


def classes(name, dtype=np.float64):
    """Accuracy classes of function ``name`` that the library exports for ``dtype``."""
    dtype = np.dtype(dtype).type
    if dtype not in _CLASSES:
        raise TypeError("zaforq.vm.classes: dtype must be float32 or float64")
    family = {f.lower(): f for f, _, _ in _CATALOGUE}.get(name)
    if family is None:
        raise ValueError("zaforq.vm.classes: unknown kernel %r" % name)
    letter, table = _CLASSES[dtype]
    return sorted({c for c in table.values() if _lib.has("_zaf%s%s_%s" % (letter, family, c))})
