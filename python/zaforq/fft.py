"""Real FFT of power-of-two length, in numpy's layout.

``rfft(a, n=None, axis=-1, norm=None)`` and ``irfft(a, n=None, axis=-1, norm=None)`` follow
``numpy.fft.rfft`` / ``irfft`` (same zero-padding and truncation by ``n``, same ``norm``
choices "backward", "ortho", "forward"), computed by the library's real FFT, which works on
lengths 2**k (k <= 30) and stores a spectrum in its packed Perm layout; this module unpacks
it into the n//2 + 1 complex bins numpy returns. float32 input gives a complex64 spectrum
computed in single precision (irfft: complex64 in, float32 out); every other real or complex
input is computed in double precision. Other lengths raise ValueError.
"""

import atexit
import ctypes

import numpy as np

from . import _lib
from ._lib import ZaforqError

__all__ = ["rfft", "irfft", "STATUS_NAMES", "ZaforqError"]

#: Status codes of the signal-processing primitives.
STATUS_NAMES = {-6: "GAXS_STATUS_SIZE_ERR", -8: "GAXS_STATUS_NULL_PTR_ERR",
                -9: "GAXS_STATUS_MEM_ALLOC_ERR", -15: "GAXS_STATUS_FFT_ORDER_ERR",
                -16: "GAXS_STATUS_FFT_FLAG_ERR", -17: "GAXS_STATUS_CONTEXT_MATCH_ERR"}

_i32, _vp = ctypes.c_int32, ctypes.c_void_p
# Scaling flags: forward times 1/N, inverse times 1/N, both times 1/sqrt(N).
_FLAG = {"backward": 2, "forward": 1, "ortho": 4}
_ENTRIES = {}
for _t, _dt in (("32f", np.float32), ("64f", np.float64)):
    _ENTRIES[_dt] = tuple(_lib.func(n % _t, _i32, a) for n, a in (
        ("gaxsFFTInitAlloc_R_%s", [ctypes.POINTER(_vp), _i32, _i32, _i32]),
        ("gaxsFFTFree_R_%s", [_vp]),
        ("gaxsFFTGetBufSize_R_%s", [_vp, ctypes.POINTER(_i32)]),
        ("gaxsFFTFwd_RToPerm_%s", [_vp, _vp, _vp, _vp]),
        ("gaxsFFTInv_PermToR_%s", [_vp, _vp, _vp, _vp])))

# One transform descriptor and work buffer per (precision, order, scaling), built on first use
# and kept: building the tables costs far more than a transform of the same length.
_descriptors = {}


def _descriptor(dt, order, flag):
    key = (dt, order, flag)
    s = _descriptors.get(key)
    if s is None:
        init, _, bufsize = _ENTRIES[dt][:3]
        h = _vp()
        _lib.check(init(ctypes.byref(h), order, flag, 0), STATUS_NAMES,
                   "gaxsFFTInitAlloc_R_" + ("32f" if dt is np.float32 else "64f"))
        size = _i32()
        bufsize(h, ctypes.byref(size))
        buf = np.empty(max(size.value, 1), dtype=np.uint8)
        s = _descriptors[key] = (h, buf)
    return s


@atexit.register
def _free_descriptors():
    for (dt, _, _), (h, _) in _descriptors.items():
        _ENTRIES[dt][1](h)
    _descriptors.clear()


def _norm(norm, what):
    norm = "backward" if norm is None else norm
    if norm not in _FLAG:
        raise ValueError("zaforq.fft.%s: norm must be None, 'backward', 'ortho' or 'forward', got %r"
                         % (what, norm))
    return _FLAG[norm]


def _order(n, what):
    if isinstance(n, (bool, np.bool_)) or not isinstance(n, (int, np.integer)):
        raise TypeError("zaforq.fft.%s: n must be an integer, got %r" % (what, n))
    n = int(n)
    if n < 1 or n & (n - 1) or n > 2**30:
        raise ValueError("zaforq.fft.%s: the library's real FFT needs a length 2**k (k <= 30), "
                         "got %d" % (what, n))
    return n.bit_length() - 1


def _fit(a, n):
    """a (last axis moved last) truncated or zero-padded to n along the last axis."""
    m = a.shape[-1]
    if m >= n:
        return a[..., :n]
    pad = np.zeros(a.shape[:-1] + (n,), dtype=a.dtype)
    pad[..., :m] = a
    return pad


def rfft(a, n=None, axis=-1, norm=None):
    """Spectrum of a real signal, as numpy.fft.rfft: the bins 0 .. n//2 of the DFT
    X_k = sum_j a_j exp(-2 pi i jk/n) along ``axis``.

    n: transform length, a power of two (default: the length of the axis); the input is
    truncated or zero-padded to it. norm: "backward" (no scaling, default), "ortho"
    (1/sqrt(n)) or "forward" (1/n). Returns complex64 for float32 input, else complex128."""
    a = np.asarray(a)
    if a.dtype.kind not in "biuf":
        raise TypeError("zaforq.fft.rfft: input must be real, got dtype %s" % a.dtype)
    if a.ndim == 0:
        raise ValueError("zaforq.fft.rfft: input must have at least one dimension")
    dt = np.float32 if a.dtype == np.float32 else np.float64
    a = np.moveaxis(a, axis, -1)
    n = a.shape[-1] if n is None else n
    order = _order(n, "rfft")
    x = np.ascontiguousarray(_fit(a.astype(dt, copy=False), n))
    rows = x.reshape(-1, n)
    perm = np.empty_like(rows)
    h, buf = _descriptor(dt, order, _norm(norm, "rfft"))
    fwd = _ENTRIES[dt][3]
    name = "gaxsFFTFwd_RToPerm_" + ("32f" if dt is np.float32 else "64f")
    for i in range(rows.shape[0]):
        _lib.check(fwd(rows[i].ctypes.data, perm[i].ctypes.data, h, buf.ctypes.data),
                   STATUS_NAMES, name)
    ctype = np.complex64 if dt is np.float32 else np.complex128
    out = np.zeros((rows.shape[0], n // 2 + 1), dtype=ctype)
    # Perm: [0] X_0, [1] X_(n/2), then real and imaginary parts of X_1 .. X_(n/2-1).
    out[:, 0] = perm[:, 0]
    if n > 1:
        out[:, n // 2] = perm[:, 1]
        out[:, 1:n // 2] = perm[:, 2::2] + 1j * perm[:, 3::2]
    return np.moveaxis(out.reshape(x.shape[:-1] + (n // 2 + 1,)), -1, axis)


def irfft(a, n=None, axis=-1, norm=None):
    """Inverse of rfft, as numpy.fft.irfft: the real signal of length n whose spectrum has the
    bins 0 .. n//2 given in ``a`` along ``axis``.

    n: output length, a power of two (default 2 * (len - 1)); the spectrum is truncated or
    zero-padded to n//2 + 1 bins, and the imaginary parts of bins 0 and n/2 are ignored.
    norm: "backward" (1/n, default), "ortho" (1/sqrt(n)) or "forward" (no scaling).
    Returns float32 for complex64 or float32 input, else float64."""
    a = np.asarray(a)
    if a.dtype.kind not in "biufc":
        raise TypeError("zaforq.fft.irfft: input must be numeric, got dtype %s" % a.dtype)
    if a.ndim == 0:
        raise ValueError("zaforq.fft.irfft: input must have at least one dimension")
    dt = np.float32 if a.dtype in (np.float32, np.complex64) else np.float64
    a = np.moveaxis(a, axis, -1)
    n = 2 * (a.shape[-1] - 1) if n is None else n
    order = _order(n, "irfft")
    bins = _fit(a, n // 2 + 1).reshape(-1, n // 2 + 1)
    perm = np.empty((bins.shape[0], n), dtype=dt)
    perm[:, 0] = bins[:, 0].real
    if n > 1:
        perm[:, 1] = bins[:, n // 2].real
        perm[:, 2::2] = bins[:, 1:n // 2].real
        perm[:, 3::2] = bins[:, 1:n // 2].imag
    out = np.empty_like(perm)
    h, buf = _descriptor(dt, order, _norm(norm, "irfft"))
    inv = _ENTRIES[dt][4]
    name = "gaxsFFTInv_PermToR_" + ("32f" if dt is np.float32 else "64f")
    for i in range(perm.shape[0]):
        _lib.check(inv(perm[i].ctypes.data, out[i].ctypes.data, h, buf.ctypes.data),
                   STATUS_NAMES, name)
    return np.moveaxis(out.reshape(a.shape[:-1] + (n,)), -1, axis)
