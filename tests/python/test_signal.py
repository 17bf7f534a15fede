import numpy as np
import pytest
import scipy.signal

from zaforq import signal as zs
from zaforq import ZaforqError

# (shape of in1, shape of in2): 1-D to 7-D, in1 larger, smaller and mixed
SHAPES = [((50,), (7,)), ((6,), (40,)), ((8,), (8,)), ((1,), (5,)), ((300,), (200,)),
          ((9, 7), (3, 4)), ((4, 5), (6, 2)), ((5, 4, 6), (2, 3, 2)), ((3, 2, 3, 2), (2, 2, 1, 2)),
          ((2, 3, 2, 2, 3), (2, 1, 2, 2, 2)), ((2, 2, 2, 2, 2, 3), (1, 2, 2, 1, 2, 2)),
          ((2, 2, 2, 2, 2, 2, 3), (2, 1, 2, 1, 2, 2, 2))]
CASES = [(s, f, mode, method) for s in SHAPES for f in ("convolve", "correlate")
         for mode in ("full", "same", "valid") for method in ("direct", "fft", "auto")
         if method != "fft" or len(s[0]) == 1]


def _valid_ok(s1, s2):
    return all(a >= b for a, b in zip(s1, s2)) or all(b >= a for a, b in zip(s1, s2))


@pytest.mark.parametrize("dtype", [np.float64, np.float32])
@pytest.mark.parametrize("shapes,func,mode,method", CASES)
def test_against_scipy(shapes, func, mode, method, dtype):
    rng = np.random.default_rng(len(CASES))
    a = rng.standard_normal(shapes[0]).astype(dtype)
    b = rng.standard_normal(shapes[1]).astype(dtype)
    if mode == "valid" and not _valid_ok(*shapes):
        with pytest.raises(ValueError, match="valid"):
            getattr(zs, func)(a, b, mode, method)
        return
    expect = getattr(scipy.signal, func)(a.astype(np.float64), b.astype(np.float64), mode, "direct")
    got = getattr(zs, func)(a, b, mode=mode, method=method)
    assert got.dtype == dtype and got.shape == expect.shape
    # error bound: a few roundings of the largest partial sum |a| * |b|
    scale = getattr(scipy.signal, func)(np.abs(a).astype(np.float64), np.abs(b).astype(np.float64), mode)
    eps = np.finfo(dtype).eps
    assert np.all(np.abs(got - expect) <= 8 * eps * (scale + 1) * np.sqrt(a.size + b.size))


VIEWS = [("reversed", lambda x: x[::-1]), ("every other", lambda x: x[::2]),
         ("broadcast", lambda x: np.broadcast_to(x[:1], x.shape))]


@pytest.mark.parametrize("method", ["direct", "fft"])
@pytest.mark.parametrize("view", VIEWS, ids=[v[0] for v in VIEWS])
def test_strided_operands(view, method):
    rng = np.random.default_rng(3)
    a, b = rng.standard_normal(64), rng.standard_normal(12)
    va, vb = view[1](a), view[1](b)
    for f in ("convolve", "correlate"):
        got = getattr(zs, f)(va, vb, method=method)
        np.testing.assert_allclose(got, getattr(scipy.signal, f)(va, vb), rtol=1e-12, atol=1e-12)
    m = rng.standard_normal((12, 10))
    got = zs.correlate(m[::-2, 1::3], m[:4, ::-3], "same")
    np.testing.assert_allclose(got, scipy.signal.correlate(m[::-2, 1::3], m[:4, ::-3], "same"), atol=1e-12)


def test_double_arithmetic_on_float32_data():
    rng = np.random.default_rng(4)
    a = rng.standard_normal(5000).astype(np.float32)
    b = rng.standard_normal(300).astype(np.float32)
    exact = np.convolve(a.astype(np.float64), b.astype(np.float64))
    got = zs.convolve(a, b, method="direct", precision="double")
    assert got.dtype == np.float32
    # accumulated in double, only the final rounding to float remains
    assert np.all(np.abs(got - exact) <= np.spacing(np.abs(exact).astype(np.float32)))


def test_integer_input_and_empty():
    assert np.array_equal(zs.convolve([1, 2, 3], [0, 1]), [0.0, 1.0, 2.0, 3.0])
    assert zs.convolve(np.ones(0), np.ones(3)).size == 0


BAD = [(lambda: zs.convolve(np.ones(3, complex), np.ones(2)), TypeError, "real"),
       (lambda: zs.convolve(np.ones(3), np.ones((2, 2))), ValueError, "same number of dimensions"),
       (lambda: zs.convolve(np.ones((1,) * 8), np.ones((1,) * 8)), ValueError, "1 to 7"),
       (lambda: zs.convolve(3.0, 2.0), ValueError, "1 to 7"),
       (lambda: zs.correlate(np.ones(3), np.ones(2), mode="circular"), ValueError, "mode"),
       (lambda: zs.correlate(np.ones(3), np.ones(2), method="winograd"), ValueError, "method"),
       (lambda: zs.convolve(np.ones(3), np.ones(2), precision="single"), ValueError, "float32"),
       (lambda: zs.convolve(np.ones((4, 2)), np.ones((2, 4)), "valid"), ValueError, "valid")]


@pytest.mark.parametrize("call,exc,match", BAD)
def test_bad_arguments(call, exc, match):
    with pytest.raises(exc, match=match):
        call()


def test_library_status_as_exception():
    with pytest.raises(ZaforqError) as e:
        zs.convolve(np.ones((3, 3)), np.ones((2, 2)), method="fft")
    assert e.value.name == "ORQ_CC_STATUS_UNSUPPORTED" and e.value.status == -2000
