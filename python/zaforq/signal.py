"""Convolution and correlation of 1-D to 7-D arrays, with scipy.signal's conventions.

``convolve(in1, in2, mode="full", method="auto")`` and ``correlate(...)`` return what
``scipy.signal.convolve`` and ``scipy.signal.correlate`` return for real input, computed by
the library's task API (one task per call). Operands are used where they lie: any strides,
negative ones included, are handed to the library, which gathers what it needs.

``method``: ``"direct"`` sums directly; ``"fft"`` uses the FFT kernel (1-D only: the library
has no multi-dimensional FFT convolution, so a 2-D or larger call raises ZaforqError with
ORQ_CC_STATUS_UNSUPPORTED); ``"auto"`` lets the library choose: its 1-D FFT path, whose
convolution primitive sums short operands directly, and direct summation above one dimension.

float32 operands (both) give a float32 result computed in single precision, or in double with
``precision="double"``; every other real input is computed as float64. Complex input is
refused with TypeError.
"""

import ctypes

import numpy as np

from . import _lib
from ._lib import ZaforqError

__all__ = ["convolve", "correlate", "STATUS_NAMES", "ZaforqError"]

#: Status codes of the convolution and correlation component.
STATUS_NAMES = {
    -4: "ORQ_CC_STATUS_NO_MEMORY", -5: "ORQ_CC_STATUS_NULL_ARGUMENT",
    -2000: "ORQ_CC_STATUS_UNSUPPORTED", -2011: "ORQ_CC_STATUS_BAD_X",
    -2012: "ORQ_CC_STATUS_BAD_X_SHAPE", -2021: "ORQ_CC_STATUS_BAD_Y",
    -2022: "ORQ_CC_STATUS_BAD_Y_SHAPE", -2031: "ORQ_CC_STATUS_BAD_Z",
    -2032: "ORQ_CC_STATUS_BAD_Z_SHAPE", -2033: "ORQ_CC_STATUS_BAD_Z_STRIDE",
    -2034: "ORQ_CC_STATUS_BAD_START", -2035: "ORQ_CC_STATUS_BAD_DECIMATION",
    -2101: "ORQ_CC_STATUS_NO_WORK_MEMORY", -2102: "ORQ_CC_STATUS_FFT_FAILED",
    -2211: "ORQ_CC_STATUS_BAD_PARAMETER_CODE", -2212: "ORQ_CC_STATUS_PARAMETER_NOT_EDITABLE",
    -2230: "ORQ_CC_STATUS_ATTACHMENT_COPY_FAILED", -2240: "ORQ_CC_STATUS_ATTACHMENT_RELEASE_FAILED",
}

_i32, _vp = ctypes.c_int32, ctypes.c_void_p
_new = _lib.func("__orqNewTask", _i32, [ctypes.POINTER(_vp), _i32, _i32, _i32, _i32, _i32, _i32,
                                        _vp, _vp, _vp])
_edit = _lib.func("__orqEditTask", _i32, [_vp, _i32, _vp])
_exec = _lib.func("__orqExec", _i32, [_vp, _vp, _vp, _vp, _vp, _vp, _vp])
_delete = _lib.func("__orqDeleteTask", _i32, [ctypes.POINTER(_vp)])

_KIND = {"convolve": 1, "correlate": 2}
_METHOD = {"direct": 1, "fft": 2, "auto": 0}
_EDIT_START, _EDIT_PRECISION = 5, 9
_MAX_RANK = 7


def _vec(values):
    return np.ascontiguousarray(values, dtype=np.int32)


def _operand(a):
    """(base address of the lowest-addressed element, strides in elements, library order),
    or a contiguous copy's when a's strides are not whole elements."""
    if any(s % a.itemsize for s in a.strides):
        a = np.ascontiguousarray(a)
    base = a.ctypes.data
    strides = []
    for n, s in zip(a.shape, a.strides):
        if s < 0:
            base += (n - 1) * s  # the library walks a negative stride down from the lowest address
        strides.append(s // a.itemsize)
    if any(not -2**31 <= s < 2**31 for s in strides):
        raise ValueError("zaforq.signal: operand strides beyond 32 bits")
    return a, base, _vec(strides[::-1])


def _run(what, in1, in2, mode, method, precision):
    a1, a2 = np.asarray(in1), np.asarray(in2)
    for a in (a1, a2):
        if a.dtype.kind not in "biuf":
            raise TypeError("zaforq.signal.%s: operands must be real numbers, got dtype %s"
                            % (what, a.dtype))
    if a1.ndim != a2.ndim:
        raise ValueError("zaforq.signal.%s: in1 and in2 must have the same number of dimensions"
                         % what)
    if not 1 <= a1.ndim <= _MAX_RANK:
        raise ValueError("zaforq.signal.%s: operands of 1 to 7 dimensions, got %d" % (what, a1.ndim))
    if mode not in ("full", "valid", "same"):
        raise ValueError("zaforq.signal.%s: mode must be 'full', 'valid' or 'same', got %r"
                         % (what, mode))
    if method not in _METHOD:
        raise ValueError("zaforq.signal.%s: method must be 'direct', 'fft' or 'auto', got %r"
                         % (what, method))
    if precision not in (None, "single", "double"):
        raise ValueError("zaforq.signal.%s: precision must be None, 'single' or 'double'" % what)
    dt = np.float32 if a1.dtype == np.float32 and a2.dtype == np.float32 else np.float64
    if precision == "single" and dt is np.float64:
        raise ValueError("zaforq.signal.%s: single-precision arithmetic needs float32 operands" % what)
    if a1.size == 0 or a2.size == 0:
        return np.array([], dtype=dt)
    a1, a2 = a1.astype(dt, copy=False), a2.astype(dt, copy=False)
    n1, n2 = np.array(a1.shape), np.array(a2.shape)
    if mode == "full":
        off, nz = np.zeros_like(n1), n1 + n2 - 1
    elif mode == "same":
        off, nz = (n2 - 1) // 2, n1
    else:
        if not (np.all(n1 >= n2) or np.all(n2 >= n1)):
            raise ValueError("zaforq.signal.%s: for 'valid' mode one input must be at least as "
                             "large as the other in every dimension" % what)
        off, nz = np.minimum(n1, n2) - 1, np.abs(n1 - n2) + 1
    if what == "convolve":
        x, y, start = a1, a2, off
    else:
        x, y, start = a2, a1, off - (n2 - 1)
    z = np.empty(tuple(nz), dtype=dt)
    if z.size > _lib.INT32_MAX:
        raise ValueError("zaforq.signal.%s: the result must have fewer than 2**31 elements" % what)
    x, xb, xs = _operand(x)
    y, yb, ys = _operand(y)
    rank = a1.ndim
    xshape, yshape, zshape = _vec(x.shape[::-1]), _vec(y.shape[::-1]), _vec(z.shape[::-1])
    task = _vp()
    status = _new(ctypes.byref(task), _KIND[what], 0, _METHOD[method], 0,
                  1 if dt is np.float32 else 2, rank, xshape.ctypes.data, yshape.ctypes.data,
                  zshape.ctypes.data)
    _lib.check(status, STATUS_NAMES, "__orqNewTask")
    try:
        startv = _vec(start[::-1])
        entry = "__orqEditTask"
        status = _edit(task, _EDIT_START, startv.ctypes.data)
        if status == 0 and precision == "double" and dt is np.float32:
            prec = _vec([2])
            status = _edit(task, _EDIT_PRECISION, prec.ctypes.data)
        if status == 0:
            entry = "__orqExec"
            status = _exec(task, xb, xs.ctypes.data, yb, ys.ctypes.data, z.ctypes.data, None)
        detail = ""
        if status == -2000 and method == "fft" and rank > 1:
            detail = "the FFT method is one-dimensional only; use method='direct' or 'auto'"
        _lib.check(status, STATUS_NAMES, entry, detail)
    finally:
        _delete(ctypes.byref(task))
    return z


def convolve(in1, in2, mode="full", method="auto", precision=None):
    """Convolve two N-dimensional arrays (1 <= N <= 7), as scipy.signal.convolve.

    mode: ``"full"`` (every overlap, shape in1.shape + in2.shape - 1), ``"same"`` (the shape
    of in1, centred on the full result) or ``"valid"`` (only where one operand covers the
    other; one of them must be at least as large in every dimension).
    method: ``"direct"``, ``"fft"`` (1-D only) or ``"auto"``.
    precision: for float32 operands, ``"double"`` accumulates in double; default single.
    Returns a float32 array for two float32 operands, float64 otherwise."""
    return _run("convolve", in1, in2, mode, method, precision)


def correlate(in1, in2, mode="full", method="auto", precision=None):
    """Cross-correlate two N-dimensional arrays (1 <= N <= 7), as scipy.signal.correlate:
    z[k] = sum_l in1[l + k - (len(in2) - 1)] * in2[l] in each dimension for the full mode.

    mode, method and precision as for ``convolve``."""
    return _run("correlate", in1, in2, mode, method, precision)
