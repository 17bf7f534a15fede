import numpy as np
import pytest

from zaforq import fft


CASES = [(n, dt, norm) for n in (1, 2, 4, 8, 16, 64, 1024, 2**15, 2**17)
         for dt in (np.float64, np.float32) for norm in (None, "ortho", "forward")]


@pytest.mark.parametrize("n,dtype,norm", CASES)
def test_against_numpy(n, dtype, norm):
    rng = np.random.default_rng(n)
    x = rng.standard_normal((2, n)).astype(dtype)
    X = fft.rfft(x, norm=norm)
    E = np.fft.rfft(x.astype(np.float64), norm=norm)
    assert X.dtype == (np.complex64 if dtype == np.float32 else np.complex128)
    assert X.shape == E.shape
    eps = np.finfo(dtype).eps
    scale = np.max(np.abs(E)) + 1
    assert np.max(np.abs(X - E)) <= 4 * eps * scale * np.log2(2 * n)
    y = fft.irfft(X, n=n, norm=norm)
    assert y.dtype == dtype
    assert np.max(np.abs(y - np.fft.irfft(E, n=n, norm=norm))) <= 8 * eps * np.log2(2 * n) * (np.max(np.abs(x)) + 1)


def test_axis_padding_and_hermitian_parts():
    rng = np.random.default_rng(7)
    x = rng.standard_normal((8, 3, 5))
    np.testing.assert_allclose(fft.rfft(x, axis=0), np.fft.rfft(x, axis=0), atol=1e-12)
    np.testing.assert_allclose(fft.rfft(x, n=8, axis=2), np.fft.rfft(x, n=8, axis=2), atol=1e-12)
    np.testing.assert_allclose(fft.rfft(x, n=2, axis=1), np.fft.rfft(x, n=2, axis=1), atol=1e-12)
    X = np.fft.rfft(x, axis=0) + 1j  # imaginary parts of bins 0 and n/2 are ignored, as in numpy
    np.testing.assert_allclose(fft.irfft(X, axis=0), np.fft.irfft(X, axis=0), atol=1e-12)
    np.testing.assert_allclose(fft.irfft(X[:3], n=8, axis=0), np.fft.irfft(X[:3], n=8, axis=0), atol=1e-12)
    assert np.array_equal(fft.rfft([1.0, 2.0, 3.0, 4.0]), [10, -2 + 2j, -2])


BAD = [(lambda: fft.rfft(np.ones(6)), ValueError, "2\\*\\*k"),
       (lambda: fft.rfft(np.ones(8), n=0), ValueError, "2\\*\\*k"),
       (lambda: fft.rfft(np.ones(8), n=2.0), TypeError, "integer"),
       (lambda: fft.irfft(np.ones(4)), ValueError, "2\\*\\*k"),
       (lambda: fft.rfft(np.ones(8, complex)), TypeError, "real"),
       (lambda: fft.rfft(np.ones(8), norm="both"), ValueError, "norm"),
       (lambda: fft.rfft(np.float64(1.0)), ValueError, "dimension"),
       (lambda: fft.rfft(np.ones(8), axis=3), np.AxisError, "axis")]


@pytest.mark.parametrize("call,exc,match", BAD)
def test_bad_arguments(call, exc, match):
    with pytest.raises(exc, match=match):
        call()
