"""Random streams: reproducible, splittable streams over the library's basic generators,
and the distributions drawn from them, returning numpy arrays.

    >>> import zaforq.random as zr
    >>> s = zr.Stream("mt19937", seed=5489)
    >>> u = s.uniform(1000)                        # float64 on [0, 1)
    >>> g = s.gaussian(1000, mean=0.0, sigma=2.0)  # when the library has the entry
    >>> w = s.uniform_bits(4)                      # the generator's raw output words

Generators (``GENERATORS``): mcg31m1, r250, mrg32k3a, mcg59, wh (273 parameter sets), sobol,
niederr, mt19937, mt2203 (1024 parameter sets); ``set=`` picks a parameter set. A generator
whose code this library lacks answers ORQ_STATUS_INVALID_GENERATOR, raised as ZaforqError.

Every distribution method takes the count first, then the library's parameters in its order,
and ``dtype=`` (float64 or float32: the double or float entry) where the library has both. A
distribution entry missing from the loaded library raises NotImplementedError when called.
Arguments are checked here, since the library's generators trust their caller; library
failures raise ZaforqError carrying the status name.
"""

import ctypes
import inspect
import math
import os

import numpy as np

from . import _lib
from ._lib import ZaforqError

__all__ = ["Stream", "GENERATORS", "STATUS_NAMES", "ZaforqError"]

#: name: (base id, number of parameter sets)
GENERATORS = {
    "mcg31m1": (0x100000, 1), "r250": (0x200000, 1), "mrg32k3a": (0x300000, 1),
    "mcg59": (0x400000, 1), "wh": (0x500000, 273), "sobol": (0x600000, 1),
    "niederr": (0x700000, 1), "mt19937": (0x800000, 1), "mt2203": (0x900000, 1024),
}
_ALIASES = {"mcg31": "mcg31m1", "niederreiter": "niederr", "wichmann-hill": "wh"}

#: Status codes of the random-stream component.
STATUS_NAMES = {
    -2: "ORQ_STATUS_UNKNOWN_METHOD", -3: "ORQ_STATUS_BAD_ARGUMENT", -4: "ORQ_STATUS_NO_MEMORY",
    -5: "ORQ_STATUS_NULL_POINTER", -1000: "ORQ_STATUS_INVALID_GENERATOR",
    -1002: "ORQ_STATUS_NO_LEAPFROG", -1003: "ORQ_STATUS_NO_SKIPAHEAD",
    -1005: "ORQ_STATUS_GENERATOR_MISMATCH", -1007: "ORQ_STATUS_REGISTRY_FULL",
    -1008: "ORQ_STATUS_BAD_STATE_SIZE", -1009: "ORQ_STATUS_BAD_WORD_SIZE",
    -1010: "ORQ_STATUS_BAD_STATE_WORDS", -1011: "ORQ_STATUS_BAD_BIT_COUNT",
    -1100: "ORQ_STATUS_FILE_CLOSE_FAILED", -1101: "ORQ_STATUS_FILE_OPEN_FAILED",
    -1102: "ORQ_STATUS_FILE_WRITE_FAILED", -1103: "ORQ_STATUS_FILE_READ_FAILED",
    -1110: "ORQ_STATUS_BAD_FILE_FORMAT", -1111: "ORQ_STATUS_BAD_FILE_VERSION",
    -1120: "ORQ_STATUS_ABSTRACT_BAD_COUNT", -1121: "ORQ_STATUS_ABSTRACT_NO_NUMBERS",
    -1122: "ORQ_STATUS_WRONG_ABSTRACT_KIND",
}

_i32, _u32, _vp, _d, _f = ctypes.c_int32, ctypes.c_uint32, ctypes.c_void_p, ctypes.c_double, ctypes.c_float


class _BrngRow(ctypes.Structure):
    _fields_ = [("RecordSize", _i32), ("StateWords", _i32), ("ZeroPossible", _i32),
                ("WordBytes", _i32), ("OutputBits", _i32), ("InitFn", _vp), ("FloatFn", _vp),
                ("DoubleFn", _vp), ("IntFn", _vp)]


_PS = ctypes.POINTER(_vp)
_new = _lib.func("__orqNewStreamEx", _i32, [_PS, _i32, _i32, _vp])
_copy = _lib.func("__orqCopyStream", _i32, [_PS, _vp])
_delete = _lib.func("__orqDeleteStream", _i32, [_PS])
_leapfrog = _lib.func("__orqLeapfrogStream", _i32, [_vp, _i32, _i32])
_skip = _lib.func("__orqSkipAheadStream", _i32, [_vp, _i32])
_brng = _lib.func("__orqGetStreamStateBrng", _i32, [_vp])
_props = _lib.func("__orqGetBrngProperties", _i32, [_i32, ctypes.POINTER(_BrngRow)])
_save = _lib.func("__orqSaveStreamF", _i32, [_vp, ctypes.c_char_p, _i32])
_load = _lib.func("__orqLoadStreamF", _i32, [_PS, ctypes.c_char_p])
_CHUNK = _lib.INT32_MAX


def _check(status, entry, detail=""):
    return _lib.check(status, STATUS_NAMES, entry, detail)


def _seed_words(seed):
    """Seed words for the generator: none (its default), one int split into 32-bit words from
    the least significant up, or a sequence of 32-bit words taken as they are."""
    if seed is None:
        return np.zeros(0, dtype=np.uint32)
    if isinstance(seed, (int, np.integer)) and not isinstance(seed, (bool, np.bool_)):
        seed = int(seed)
        if seed < 0:
            raise ValueError("Stream: the seed must not be negative, got %d" % seed)
        words = []
        while True:
            words.append(seed & 0xFFFFFFFF)
            seed >>= 32
            if not seed:
                break
        return np.array(words, dtype=np.uint32)
    try:
        arr = np.asarray(seed)
    except Exception:
        arr = None
    if arr is None or arr.ndim != 1 or arr.dtype.kind not in "iu":
        raise TypeError("Stream: seed must be None, a non-negative int or a 1-D sequence of "
                        "32-bit words, got %r" % (seed,))
    if arr.size and (arr.min() < 0 or arr.max() > 0xFFFFFFFF):
        raise ValueError("Stream: seed words must lie in 0 .. 2**32-1")
    return arr.astype(np.uint32)


def _generator_name(name):
    if not isinstance(name, str):
        raise TypeError("Stream: the generator name must be a string, got %r" % (name,))
    key = _ALIASES.get(name.lower(), name.lower())
    if key not in GENERATORS:
        raise ValueError("Stream: unknown generator %r; known generators: %s"
                         % (name, ", ".join(sorted(GENERATORS))))
    return key


def _name_of_id(gid):
    # Legacy ids (below 0x100000) name the same generators: 0 MCG31m1 .. 3 MCG59, 4..276 WH
    # sets, 277 Sobol, 278 Niederreiter.
    if gid < 0x100000:
        legacy = {0: ("mcg31m1", 0), 1: ("r250", 0), 2: ("mrg32k3a", 0), 3: ("mcg59", 0),
                  277: ("sobol", 0), 278: ("niederr", 0)}
        return legacy.get(gid, ("wh", gid - 4))
    for name, (base, sets) in GENERATORS.items():
        if base <= gid < base + sets:
            return name, gid - base
    return "id 0x%X" % gid, 0


class Stream:
    """A random stream of one basic generator.

    ``Stream(name, seed=None, set=0)``: ``name`` is one of GENERATORS (case-insensitive);
    ``seed`` is None (the generator's default seed), a non-negative int (split into 32-bit
    words, least significant first) or a sequence of 32-bit seed words handed to the generator
    as they are; ``set`` is the parameter set of the families that have several (mt2203:
    0..1023, wh: 0..272). The same name, seed and set always give the same sequence, equal to
    that of the C API for the same seed words.

    Streams are not thread-safe; use one per thread (or per process, see ``leapfrog`` and
    ``skip_ahead``).
    """

    def __init__(self, name, seed=None, set=0):
        key = _generator_name(name)
        base, sets = GENERATORS[key]
        if isinstance(set, (bool, np.bool_)) or not isinstance(set, (int, np.integer)):
            raise TypeError("Stream: set must be an integer, got %r" % (set,))
        if not 0 <= set < sets:
            raise ValueError("Stream: %s has parameter sets 0 .. %d, got %d" % (key, sets - 1, set))
        words = _seed_words(seed)
        if words.size > _lib.INT32_MAX:
            raise ValueError("Stream: too many seed words")
        self._h = _vp()
        status = _new(ctypes.byref(self._h), base + int(set), words.size,
                      words.ctypes.data if words.size else None)
        if status < 0:
            if self._h.value:
                _delete(ctypes.byref(self._h))
            _check(status, "__orqNewStreamEx", "generator %s, set %d" % (key, set))

    @classmethod
    def _adopt(cls, handle):
        s = cls.__new__(cls)
        s._h = handle
        return s

    def __del__(self):
        h = getattr(self, "_h", None)
        if h is not None and h.value and _delete is not None:
            _delete(ctypes.byref(h))

    def close(self):
        """Free the stream now (it is freed anyway when garbage-collected)."""
        if self._h.value:
            _delete(ctypes.byref(self._h))

    def _handle(self):
        if not self._h.value:
            raise ValueError("Stream: the stream was closed")
        return self._h

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    @property
    def id(self):
        """The library's generator id of the stream (base id plus parameter set)."""
        return int(_brng(self._handle()))

    @property
    def name(self):
        """The generator's name (a key of GENERATORS)."""
        return _name_of_id(self.id)[0]

    @property
    def set(self):
        """The stream's parameter set (0 for generators with one set)."""
        return _name_of_id(self.id)[1]

    def properties(self):
        """The generator's registry row as a dict: RecordSize, StateWords, ZeroPossible,
        WordBytes, OutputBits."""
        row = _BrngRow()
        _check(_props(self.id, ctypes.byref(row)), "__orqGetBrngProperties")
        return {k: getattr(row, k) for k in ("RecordSize", "StateWords", "ZeroPossible",
                                            "WordBytes", "OutputBits")}

    def __repr__(self):
        if not self._h.value:
            return "<zaforq.random.Stream (closed)>"
        return "<zaforq.random.Stream %s set %d>" % (self.name, self.set)

    def copy(self):
        """A new, independent stream at the same point of the same sequence (carried-over
        distribution data included)."""
        h = _vp()
        _check(_copy(ctypes.byref(h), self._handle()), "__orqCopyStream")
        return Stream._adopt(h)

    def skip_ahead(self, k):
        """Advance the stream by ``k`` outputs, as if ``k`` numbers had been drawn.

        Supported by mcg31m1, mcg59, wh, mrg32k3a and the quasi-random generators; the others
        raise ZaforqError (ORQ_STATUS_NO_SKIPAHEAD). Counts beyond 2**31-1 are applied in
        pieces."""
        k = _lib.count(k, "Stream.skip_ahead")
        h = self._handle()
        while k > 0:
            step = min(k, _CHUNK)
            _check(_skip(h, step), "__orqSkipAheadStream")
            k -= step
        return self

    def leapfrog(self, k, n):
        """Make this stream the ``k``-th of ``n`` interleaved streams: it then yields outputs
        k, k + n, k + 2n, ... of its former sequence (0 <= k < n). Supported by mcg31m1, mcg59
        and wh (and by sobol and niederr to select one coordinate); others raise ZaforqError
        (ORQ_STATUS_NO_LEAPFROG)."""
        for v, what in ((k, "k"), (n, "n")):
            if isinstance(v, (bool, np.bool_)) or not isinstance(v, (int, np.integer)):
                raise TypeError("Stream.leapfrog: %s must be an integer" % what)
            if not 0 <= v <= _lib.INT32_MAX:
                raise ValueError("Stream.leapfrog: %s must lie in 0 .. 2**31-1, got %d" % (what, v))
        _check(_leapfrog(self._handle(), int(k), int(n)), "__orqLeapfrogStream")
        return self

    def save(self, path):
        """Write the stream (generator, state and carried-over distribution data) to the file
        ``path``; ``Stream.load(path)`` continues the sequence exactly."""
        _check(_save(self._handle(), os.fsencode(path), -1), "__orqSaveStreamF", os.fsdecode(path))

    @classmethod
    def load(cls, path):
        """A stream read from a file written by ``save``."""
        h = _vp()
        _check(_load(ctypes.byref(h), os.fsencode(path)), "__orqLoadStreamF", os.fsdecode(path))
        return cls._adopt(h)

    def uniform_bits(self, n):
        """``n`` raw integer outputs of the generator: uint32 for 32-bit generators, uint64 for
        mcg59, and for wh an (n, 4) uint32 array (four components per output)."""
        n = _lib.count(n, "Stream.uniform_bits")
        f = _lib.need("_orqiRngUniformBits", _i32, [_i32, _vp, _i32, _vp], "Stream.uniform_bits")
        wb = self.properties()["WordBytes"]
        if wb == 4:
            r = np.empty(n, dtype=np.uint32)
        elif wb == 8:
            r = np.empty(n, dtype=np.uint64)
        else:
            r = np.empty((n, wb // 4), dtype=np.uint32)
        h = self._handle()
        for start in range(0, n, _CHUNK):
            m = min(_CHUNK, n - start)
            _check(f(0, h, m, r.ctypes.data + start * wb), "_orqiRngUniformBits")
        return r


# ---- distributions, one table row each ------------------------------------------------------

_REQ = inspect.Parameter.empty


def _pos(v):
    return v > 0


def _prob(v):
    return 0.0 <= v <= 1.0


# name: (library family, output kind, [(parameter, default, C type, check, what it must be)],
#        methods or None, summary). Output kind "f": float64/float32 by dtype through the d
# and s entries; "i": int32 through the i entry. C type "f" follows dtype, "d" is always
# double, "i" int32.
_DIST = {
    "uniform": ("Uniform", "f", [("a", 0.0, "f", None, None), ("b", 1.0, "f", None, None)], None,
                "uniform on [a, b); a < b"),
    "gaussian": ("Gaussian", "f", [("mean", 0.0, "f", None, None),
                                   ("sigma", 1.0, "f", _pos, "positive")],
                 {"box_muller": 0, "box_muller2": 1},
                 "normal with mean and standard deviation sigma; method box_muller (one variate per "
                 "pair of uniforms) or box_muller2 (two per pair, the second carried over)"),
    "exponential": ("Exponential", "f", [("a", 0.0, "f", None, None),
                                         ("beta", 1.0, "f", _pos, "positive")], None,
                    "exponential with shift a and scale beta"),
    "laplace": ("Laplace", "f", [("a", 0.0, "f", None, None), ("beta", 1.0, "f", _pos, "positive")],
                None, "Laplace (double exponential) with mean a and scale beta"),
    "weibull": ("Weibull", "f", [("alpha", _REQ, "f", _pos, "positive"), ("a", 0.0, "f", None, None),
                                 ("beta", 1.0, "f", _pos, "positive")], None,
                "Weibull with shape alpha, shift a and scale beta"),
    "cauchy": ("Cauchy", "f", [("a", 0.0, "f", None, None), ("beta", 1.0, "f", _pos, "positive")],
               None, "Cauchy with location a and scale beta"),
    "rayleigh": ("Rayleigh", "f", [("a", 0.0, "f", None, None), ("beta", 1.0, "f", _pos, "positive")],
                 None, "Rayleigh with shift a and scale beta"),
    "lognormal": ("Lognormal", "f", [("a", 0.0, "f", None, None), ("sigma", 1.0, "f", _pos, "positive"),
                                     ("b", 0.0, "f", None, None), ("beta", 1.0, "f", _pos, "positive")],
                  None, "exp(z) * beta + b with z normal of mean a and deviation sigma"),
    "gumbel": ("Gumbel", "f", [("a", 0.0, "f", None, None), ("beta", 1.0, "f", _pos, "positive")], None,
               "Gumbel with location a and scale beta"),
    "gamma": ("Gamma", "f", [("alpha", _REQ, "f", _pos, "positive"), ("a", 0.0, "f", None, None),
                             ("beta", 1.0, "f", _pos, "positive")], None,
              "gamma with shape alpha, shift a and scale beta"),
    "beta": ("Beta", "f", [("p", _REQ, "f", _pos, "positive"), ("q", _REQ, "f", _pos, "positive"),
                           ("a", 0.0, "f", None, None), ("beta", 1.0, "f", _pos, "positive")], None,
             "beta with shapes p and q, shift a and scale beta"),
    "uniform_int": ("Uniform", "i", [("a", _REQ, "i", None, None), ("b", _REQ, "i", None, None)], None,
                    "integers uniform on a .. b-1; a < b"),
    "bernoulli": ("Bernoulli", "i", [("p", _REQ, "d", _prob, "in [0, 1]")], None,
                  "1 with probability p, else 0"),
    "geometric": ("Geometric", "i", [("p", _REQ, "d", lambda v: 0.0 < v <= 1.0, "in (0, 1]")], None,
                  "failures before the first success, success probability p"),
    "binomial": ("Binomial", "i", [("ntrial", _REQ, "i", lambda v: v >= 0, "non-negative"),
                                   ("p", _REQ, "d", _prob, "in [0, 1]")], None,
                 "successes in ntrial trials of probability p"),
    "negbinomial": ("Negbinomial", "i", [("a", _REQ, "d", _pos, "positive"),
                                         ("p", _REQ, "d", lambda v: 0.0 < v <= 1.0, "in (0, 1]")], None,
                    "failures before the a-th success, success probability p"),
    "hypergeometric": ("Hypergeometric", "i", [("l", _REQ, "i", lambda v: v >= 0, "non-negative"),
                                               ("s", _REQ, "i", lambda v: v >= 0, "non-negative"),
                                               ("m", _REQ, "i", lambda v: v >= 0, "non-negative")], None,
                       "marked items in a sample of s drawn without replacement from a lot of l "
                       "items of which m are marked; s <= l, m <= l"),
    "poisson": ("Poisson", "i", [("lam", _REQ, "d", _pos, "positive")], {"ptpe": 0, "poisnorm": 1},
                "Poisson with mean lam; method ptpe (exact) or poisnorm (normal approximation)"),
}


def _draw(self, pyname, n, values, method, dtype, out):
    family, kind, params, methods, _ = _DIST[pyname]
    what = "Stream." + pyname
    n = _lib.count(n, what)
    if out is not None:
        if not isinstance(out, np.ndarray) or out.ndim != 1 or not out.flags.c_contiguous \
                or not out.flags.writeable:
            raise TypeError("%s: out must be a writeable, contiguous 1-D numpy array" % what)
        if out.size != n:
            raise ValueError("%s: out has %d elements, n is %d" % (what, out.size, n))
        if kind == "f" and dtype is not None and np.dtype(dtype) != out.dtype:
            raise TypeError("%s: dtype %s and out of dtype %s" % (what, np.dtype(dtype), out.dtype))
        if kind == "i" and out.dtype != np.int32:
            raise TypeError("%s: out must be an int32 array, got %s" % (what, out.dtype))
        dtype = out.dtype if kind == "f" else None
    if kind == "f":
        dt = np.dtype(np.float64 if dtype is None else dtype)
        if dt not in (np.float32, np.float64):
            raise TypeError("%s: dtype must be float32 or float64, got %s" % (what, dt))
        letter, ftype = ("d", _d) if dt == np.float64 else ("s", _f)
    else:
        if dtype is not None:
            raise TypeError("%s: the output is always int32; dtype is not accepted" % what)
        dt, letter = np.dtype(np.int32), "i"
    cargs, ctypes_ = [], []
    for (pname, _, ctype, ok, must), v in zip(params, values):
        if ctype == "i":
            if isinstance(v, (bool, np.bool_)) or not isinstance(v, (int, np.integer)) or \
                    not -2**31 <= v < 2**31:
                raise TypeError("%s: %s must be a 32-bit integer, got %r" % (what, pname, v))
            v, t = int(v), _i32
        else:
            if isinstance(v, (bool, np.bool_)) or not isinstance(v, (int, float, np.integer, np.floating)):
                raise TypeError("%s: %s must be a real number, got %r" % (what, pname, v))
            v = float(v)
            if not math.isfinite(v):
                raise ValueError("%s: %s must be finite, got %r" % (what, pname, v))
            t = ftype if ctype == "f" else _d
        if ok is not None and not ok(v):
            raise ValueError("%s: %s must be %s, got %r" % (what, pname, must, v))
        cargs.append(v)
        ctypes_.append(t)
    if pyname in ("uniform", "uniform_int") and not cargs[0] < cargs[1]:
        raise ValueError("%s: a must be below b, got a=%r, b=%r" % (what, cargs[0], cargs[1]))
    if pyname == "hypergeometric" and (cargs[1] > cargs[0] or cargs[2] > cargs[0]):
        raise ValueError("%s: s and m must not exceed l" % what)
    if methods is None:
        m = 0
    elif method in methods:
        m = methods[method]
    else:
        raise ValueError("%s: method must be one of %s, got %r" % (what, sorted(methods), method))
    entry = "_orq%sRng%s" % (letter, family)
    f = _lib.need(entry, _i32, [_i32, _vp, _i32, _vp] + ctypes_, what)
    r = np.empty(n, dtype=dt) if out is None else out
    h = self._handle()
    for start in range(0, n, _CHUNK):
        k = min(_CHUNK, n - start)
        _check(f(m, h, k, r.ctypes.data + start * dt.itemsize, *cargs), entry)
    return r


def _method(pyname):
    family, kind, params, methods, summary = _DIST[pyname]
    P = inspect.Parameter
    sig = [P("self", P.POSITIONAL_OR_KEYWORD), P("n", P.POSITIONAL_OR_KEYWORD)]
    sig += [P(p[0], P.POSITIONAL_OR_KEYWORD, default=p[1]) for p in params]
    if methods:
        sig.append(P("method", P.KEYWORD_ONLY, default=next(iter(methods))))
    if kind == "f":
        sig.append(P("dtype", P.KEYWORD_ONLY, default=None))
    sig.append(P("out", P.KEYWORD_ONLY, default=None))
    signature = inspect.Signature(sig)

    def draw(*args, **kwargs):
        b = signature.bind(*args, **kwargs)
        b.apply_defaults()
        a = b.arguments
        return _draw(a["self"], pyname, a["n"], [a[p[0]] for p in params], a.get("method"),
                     a.get("dtype"), a["out"])

    draw.__signature__ = signature
    draw.__name__ = draw.__qualname__ = pyname
    letters = "d|s" if kind == "f" else "i"
    draw.__doc__ = ("%s%s\n\n``n`` variates, %s, as a numpy array (%s), by _orq<%s>Rng%s.\n"
                    "out: an array of n elements to fill instead of a new one.\n"
                    "Raises NotImplementedError when the library lacks the entry, ValueError or "
                    "TypeError for bad arguments, ZaforqError for a library failure."
                    % (pyname, str(signature).replace("self, ", ""), summary,
                       "float64, or float32 with dtype=np.float32" if kind == "f" else "int32", letters, family))
    return draw


for _name in _DIST:
    setattr(Stream, _name, _method(_name))


def _gaussian_mv(self, n, mean, t, storage="full", *, method="box_muller", dtype="float64"):
    """gaussian_mv(n, mean, t, storage='full', *, method='box_muller', dtype=float64)

    ``n`` vectors of the multivariate normal distribution with mean vector ``mean`` (length d)
    and covariance t @ t.T, as an (n, d) array, by _orq<d|s>RngGaussianMV. ``t`` is the lower
    triangular (Cholesky) factor in one storage form: ``"full"`` (a d x d array whose lower
    triangle is read), ``"packed"`` (the lower triangle column by column, d(d+1)/2 values) or
    ``"diagonal"`` (the d diagonal values)."""
    what = "Stream.gaussian_mv"
    n = _lib.count(n, what)
    dt = np.dtype(dtype)
    if dt not in (np.float32, np.float64):
        raise TypeError("%s: dtype must be float32 or float64, got %s" % (what, dt))
    forms = {"full": 0, "packed": 1, "diagonal": 2}
    if storage not in forms:
        raise ValueError("%s: storage must be one of %s" % (what, sorted(forms)))
    methods = {"box_muller": 0, "box_muller2": 1}
    if method not in methods:
        raise ValueError("%s: method must be one of %s" % (what, sorted(methods)))
    mean = np.ascontiguousarray(mean, dtype=dt)
    t = np.ascontiguousarray(t, dtype=dt)
    if mean.ndim != 1 or mean.size < 1:
        raise ValueError("%s: mean must be a non-empty 1-D array" % what)
    d = mean.size
    want = {"full": (d, d), "packed": (d * (d + 1) // 2,), "diagonal": (d,)}[storage]
    if t.shape != want:
        raise ValueError("%s: with storage %r and d = %d, t must have shape %s, got %s"
                         % (what, storage, d, want, t.shape))
    if not (np.all(np.isfinite(mean)) and np.all(np.isfinite(t))):
        raise ValueError("%s: mean and t must be finite" % what)
    if n * d > _lib.INT32_MAX:
        raise ValueError("%s: n * d must stay below 2**31" % what)
    letter = "d" if dt == np.float64 else "s"
    entry = "_orq%sRngGaussianMV" % letter
    f = _lib.need(entry, _i32, [_i32, _vp, _i32, _vp, _i32, _i32, _vp, _vp], what)
    r = np.empty((n, d), dtype=dt)
    if n:
        _check(f(methods[method], self._handle(), n, r.ctypes.data, d, forms[storage],
                 mean.ctypes.data, t.ctypes.data), entry)
    return r


def _poisson_v(self, lam):
    """poisson_v(lam)

    One Poisson variate per mean of the 1-D array ``lam`` (all positive and finite), as an
    int32 array, by _orqiRngPoissonV."""
    what = "Stream.poisson_v"
    lam = np.ascontiguousarray(lam, dtype=np.float64)
    if lam.ndim != 1:
        raise ValueError("%s: lam must be a 1-D array" % what)
    if lam.size > _lib.INT32_MAX:
        raise ValueError("%s: at most 2**31-1 means per call" % what)
    if not np.all(np.isfinite(lam) & (lam > 0)):
        raise ValueError("%s: every mean must be positive and finite" % what)
    f = _lib.need("_orqiRngPoissonV", _i32, [_i32, _vp, _i32, _vp, _vp], what)
    r = np.empty(lam.size, dtype=np.int32)
    if lam.size:
        _check(f(0, self._handle(), lam.size, r.ctypes.data, lam.ctypes.data), "_orqiRngPoissonV")
    return r


Stream.gaussian_mv = _gaussian_mv
Stream.poisson_v = _poisson_v
