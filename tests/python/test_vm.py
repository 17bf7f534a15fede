import warnings

import mpmath
import numpy as np
import pytest

from zaforq import vm

L = np.longdouble
mpmath.mp.dps = 30  # references well beyond the long double they are rounded to


def _mp(f):
    return lambda x: np.array([L(str(f(mpmath.mpf(float(v))))) for v in x], dtype=L)


# family: (reference on long double arguments, sampling domain for a, domain for b)
REF = {
    "acos": (np.arccos, (-1, 1), None), "acosh": (np.arccosh, (1, 1e6), None),
    "asin": (np.arcsin, (-1, 1), None), "asinh": (np.arcsinh, (-1e6, 1e6), None),
    "atan": (np.arctan, (-1e6, 1e6), None), "atanh": (np.arctanh, (-0.999, 0.999), None),
    "atan2": (np.arctan2, (-100, 100), (-100, 100)), "cbrt": (np.cbrt, (-1e6, 1e6), None),
    "cos": (np.cos, (-100, 100), None), "cosh": (np.cosh, (-80, 80), None),
    "div": (np.divide, (-1e6, 1e6), (0.5, 1e3)), "erf": (_mp(mpmath.erf), (-5, 5), None),
    "erfc": (_mp(mpmath.erfc), (-5, 9), None), "exp": (np.exp, (-80, 80), None),
    "inv": (lambda x: 1 / x, (0.001, 1e6), None), "invcbrt": (lambda x: 1 / np.cbrt(x), (1e-3, 1e6), None),
    "invsqrt": (lambda x: 1 / np.sqrt(x), (1e-6, 1e6), None), "ln": (np.log, (1e-6, 1e6), None),
    "log10": (np.log10, (1e-6, 1e6), None), "pow": (np.power, (0.01, 10), (-20, 20)),
    "powx": (lambda a: np.power(a, L(2.5)), (0.01, 100), None), "sin": (np.sin, (-100, 100), None),
    "sincos": (np.sin, (-100, 100), None), "sinh": (np.sinh, (-80, 80), None),
    "sqrt": (np.sqrt, (0, 1e6), None), "tan": (np.tan, (-1.5, 1.5), None),
    "tanh": (np.tanh, (-20, 20), None),
}
# accuracy class: (dtype, bound in ulp, or a relative bound for the 11-bit class)
CLASSES = [("HA", np.float64, 1.0, None), ("50", np.float64, 4.0, None),
           ("HA", np.float32, 1.0, None), ("21", np.float32, 4.0, None),
           ("11", np.float32, None, 2.0**-11)]
CASES = [(k, c) for k in vm.kernels() for c in CLASSES]


def _args(name, dtype, n=2000):
    rng = np.random.default_rng(sum(map(ord, name)))
    _, da, db = REF[name]
    a = rng.uniform(*da, n).astype(dtype)
    b = None if db is None else rng.uniform(*db, n).astype(dtype)
    return a, b


def test_catalogue_covers_every_kernel():
    assert set(vm.kernels()) <= set(REF)
    assert {"exp", "ln", "sqrt", "sin", "pow", "sincos"} <= set(vm.kernels())


@pytest.mark.parametrize("name,cls", CASES, ids=["%s-%s-%s" % (k, c[0], np.dtype(c[1]).name) for k, c in CASES])
def test_accuracy_class(name, cls):
    accuracy, dtype, ulps, rel = cls
    if accuracy not in vm.classes(name, dtype):
        pytest.skip("no %s class of %s for %s in this library" % (accuracy, name, np.dtype(dtype)))
    f = getattr(vm, name)
    a, b = _args(name, dtype)
    ref_f = REF[name][0]
    if name == "powx":
        pairs = [(f(a, 2.5, accuracy=accuracy), ref_f(a.astype(L)))]
    elif b is not None:
        pairs = [(f(a, b, accuracy=accuracy), ref_f(a.astype(L), b.astype(L)))]
    elif name == "sincos":
        s, c = f(a, accuracy=accuracy)
        pairs = [(s, np.sin(a.astype(L))), (c, np.cos(a.astype(L)))]
    else:
        pairs = [(f(a, accuracy=accuracy), ref_f(a.astype(L)))]
    for r, ref in pairs:
        assert r.dtype == dtype and r.shape == a.shape
        fin = np.isfinite(ref.astype(dtype))
        err = np.abs(r[fin].astype(L) - ref[fin])
        if rel is not None:
            worst = np.max(err / np.maximum(np.abs(ref[fin]), L(np.finfo(dtype).tiny)))
            assert worst < rel, "%s %s: relative error %g" % (name, accuracy, worst)
            continue
        ulp = np.spacing(np.abs(ref[fin]).astype(dtype)).astype(L)
        worst = np.max(err / ulp)
        assert worst < ulps, "%s %s %s: %g ulp" % (name, accuracy, np.dtype(dtype), worst)


LAYOUTS = [
    ("reversed", lambda x: x[::-1]), ("every third", lambda x: x[::3]),
    ("2-D transposed", lambda x: x[:1200].reshape(30, 40).T),
    ("2-D column slice", lambda x: x[:1200].reshape(40, 30)[::2, 1::3]),
    ("0-d", lambda x: x[5]),
]


@pytest.mark.parametrize("dtype", [np.float64, np.float32])
@pytest.mark.parametrize("layout", LAYOUTS, ids=[l[0] for l in LAYOUTS])
def test_strided_operands_equal_contiguous(layout, dtype):
    # A kernel's result does not depend on an element's position, so gathering a strided
    # operand (pack) and scattering into a strided out (unpack) must give the same bits as
    # the contiguous call on a copy.
    x = layout[1](np.linspace(0.1, 50, 3000, dtype=dtype))
    dense = np.array(x, order="C")
    expect = vm.exp(dense)
    got = vm.exp(x)
    assert np.asarray(got).dtype == dtype
    assert np.array_equal(got, expect)
    if np.ndim(x):
        out = layout[1](np.zeros(3000, dtype=dtype))
        assert vm.exp(x, out=out) is out
        assert np.array_equal(out, expect)


def test_broadcast_and_in_place():
    a = np.linspace(1, 2, 12).reshape(3, 4)
    b = np.array([0.5, 1.0, 2.0, 3.0])
    expect = vm.pow(a, np.broadcast_to(b, a.shape).copy())
    assert np.array_equal(vm.pow(a, b), expect)
    c = a.copy()
    vm.sqrt(c, out=c)
    assert np.array_equal(c, vm.sqrt(a))
    s, co = np.empty(5), np.empty(5)[::-1].copy()
    r = vm.sincos(np.arange(5.0), out=(s, co))
    assert r[0] is s and r[1] is co and np.array_equal(s, vm.sin(np.arange(5.0)))


# (call, category, status code, element result)
ERRORS = [(lambda: vm.exp(np.array([1.0, 1000.0])), "over", 3, np.inf),
          (lambda: vm.ln(np.array([1.0, 0.0])), "divide", 2, -np.inf),
          (lambda: vm.sqrt(np.array([1.0, -1.0])), "invalid", 1, np.nan),
          (lambda: vm.exp(np.array([1.0, -1000.0])), "under", 4, 0.0),
          (lambda: vm.exp(np.array([1.0, 100.0], dtype=np.float32)), "over", 3, np.inf)]


@pytest.mark.parametrize("call,category,status,value", ERRORS)
def test_element_errors(call, category, status, value):
    vm.clear_status()
    with vm.errstate(all="ignore"):
        with warnings.catch_warnings():
            warnings.simplefilter("error")
            r = call()
    np.testing.assert_equal(r[1], value)
    assert vm.get_status() == status
    with vm.errstate(**{category: "warn"}), pytest.warns(vm.VMWarning, match=vm.status_name(status)):
        call()
    with vm.errstate(**{category: "raise"}):
        with pytest.raises(vm.VMError) as e:
            call()
    assert e.value.status == status and e.value.name == vm.STATUS_NAMES[status]
    assert e.value.entry.startswith("_zaf")


def test_status_is_sticky_and_settable():
    vm.clear_status()
    with vm.errstate(all="ignore"):
        vm.exp([1000.0])
    vm.exp([1.0])  # a clean call keeps the last reported code, as in C
    assert vm.get_status() == 3
    assert vm.set_status(7) == 3 and vm.clear_status() == 7 and vm.get_status() == 0


def test_mode_word():
    old = vm.set_mode(vm.MODE_IGNORE)
    try:
        assert vm.get_mode() & 0xFF00 == vm.MODE_IGNORE
        vm.clear_status()
        with vm.errstate(over="raise"):  # statuses are still recorded under the ignore action
            with pytest.raises(vm.VMError):
                vm.exp([1000.0])
    finally:
        vm.set_mode(old & 0xFF0F)
    assert vm.get_mode() == old
    with pytest.raises(ValueError):
        vm.set_mode(-1)


BAD = [(lambda: vm.exp(np.arange(3)), TypeError, "float32 or float64"),
       (lambda: vm.exp(np.ones(3, dtype=np.complex128)), TypeError, "complex128"),
       (lambda: vm.exp([1j]), TypeError, "float array"),
       (lambda: vm.exp(np.ones(3, dtype=np.float32), accuracy="50"), ValueError, "not a class"),
       (lambda: vm.exp(np.ones(3), accuracy="21"), ValueError, "not a class"),
       (lambda: vm.exp(np.ones(3), out=np.ones(3, dtype=np.float32)), TypeError, "dtype"),
       (lambda: vm.exp(np.ones(3), out=np.ones(4)), ValueError, "shape"),
       (lambda: vm.exp(np.ones(3), out=[0, 0, 0]), TypeError, "numpy array"),
       (lambda: vm.exp(np.ones(3), out=np.broadcast_to(np.ones(1), (3,))), ValueError, "read-only"),
       (lambda: vm.powx(np.ones(3), np.ones(3)), TypeError, "scalar"),
       (lambda: vm.pow(np.ones(3), np.ones(4)), ValueError, "broadcast"),
       (lambda: vm.sincos(np.ones(3), out=np.ones(3)), TypeError, "pair")]


@pytest.mark.parametrize("call,exc,match", BAD)
def test_bad_arguments(call, exc, match):
    with pytest.raises(exc, match=match):
        call()


def test_empty_and_mixed_precision():
    assert vm.exp(np.empty(0)).shape == (0,)
    r = vm.div(np.ones(2, dtype=np.float32), np.full(2, 3.0))
    assert r.dtype == np.float64 and r[0] == 1 / 3
    r = vm.div(np.ones(2, dtype=np.float32), 3.0)  # a scalar follows the array's precision
    assert r.dtype == np.float32 and r[0] == np.float32(1) / np.float32(3)
