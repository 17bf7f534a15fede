import ctypes
import os

import numpy as np
import pytest

from zaforq import random as zr
from zaforq import ZaforqError

c_i32, c_vp = ctypes.c_int32, ctypes.c_void_p


def _stream_or_skip(name, **kw):
    try:
        return zr.Stream(name, **kw)
    except ZaforqError as e:
        if e.name == "ORQ_STATUS_INVALID_GENERATOR":
            pytest.skip("%s is not in this library yet (it answers ORQ_STATUS_INVALID_GENERATOR)" % name)
        raise


def _raw_stream(raw, gid, words):
    h = c_vp()
    w = (ctypes.c_uint32 * len(words))(*words)
    assert raw.__orqNewStreamEx(ctypes.byref(h), c_i32(gid), c_i32(len(words)), w) == 0
    return h


def _raw_bits(raw, gid, words, n, width=4):
    h = _raw_stream(raw, gid, words)
    r = np.empty(n * width // 4, dtype=np.uint32)
    f = raw._orqiRngUniformBits
    f.argtypes = [c_i32, c_vp, c_i32, c_vp]
    assert f(0, h, n, r.ctypes.data) == 0
    raw.__orqDeleteStream(ctypes.byref(h))
    return r


def test_mt19937_published_outputs():
    # The first outputs of the reference twister initialised by the key {0x123, 0x234, 0x345, 0x456}.
    s = zr.Stream("mt19937", seed=[0x123, 0x234, 0x345, 0x456])
    assert s.uniform_bits(10).tolist() == [1067595299, 955945823, 477289528, 4107218783, 4228976476,
                                          3344332714, 3355579695, 227628506, 810200273, 2591290167]


@pytest.mark.parametrize("seed", [[5489], [1], [1, 2, 3], list(range(700))])
def test_mt19937_equals_numpy_key_seeding(seed):
    # numpy's MT19937 seeded by a list runs the same key-array initialisation (a one-element
    # numpy array would be taken as an integer seed instead).
    bg = np.random.MT19937()
    bg._legacy_seeding(list(seed))
    expect = bg.random_raw(2000).astype(np.uint32)
    s = zr.Stream("mt19937", seed=seed)
    c = s.copy()
    assert np.array_equal(s.uniform_bits(2000), expect)
    assert np.array_equal(c.uniform(2000), expect * 2.0**-32)  # u = word * 2^-32, exactly


def test_mcg_recurrences():
    s = zr.Stream("mcg31m1", seed=1)
    x, expect = 1, []
    for _ in range(1000):
        expect.append(x)
        x = x * 1132489760 % (2**31 - 1)
    assert s.uniform_bits(1000).tolist() == expect
    seed = (12345 << 32) | 678  # the two seed words of mcg59: low word, then high word
    s = zr.Stream("mcg59", seed=seed)
    x, expect = seed, []
    for _ in range(1000):
        expect.append(x)
        x = x * 13**13 % 2**59
    assert s.uniform_bits(1000).tolist() == expect
    # a skip beyond one 32-bit count is applied in pieces: x(k) = a^k mod 2^59 from x(0) = 1
    k = 10**12 + 7
    assert zr.Stream("mcg59", seed=1).skip_ahead(k).uniform_bits(1)[0] == pow(13**13, k, 2**59)


# Generators checked word for word against streams made through raw C calls.
RAW = [("r250", 0, 0x200000, [7]), ("mt2203", 0, 0x900000, [9]), ("mt2203", 1, 0x900001, [9]),
       ("mt2203", 1023, 0x900000 + 1023, [9]), ("mcg59", 0, 0x400000, [3, 4]),
       ("mrg32k3a", 0, 0x300000, [1, 2, 3, 4, 5, 6]), ("wh", 5, 0x500005, [11, 12, 13, 14])]


@pytest.mark.parametrize("name,set_,gid,seed", RAW)
def test_same_words_as_c_api(raw, name, set_, gid, seed):
    s = _stream_or_skip(name, seed=seed, set=set_)
    assert s.id == gid and s.name == name and s.set == set_
    width = s.properties()["WordBytes"]
    got = s.uniform_bits(1500)
    assert np.array_equal(got.view(np.uint32).reshape(-1), _raw_bits(raw, gid, seed, 1500, width))


@pytest.mark.parametrize("dtype,entry,ctype", [(np.float64, "_orqdRngUniform", ctypes.c_double),
                                                (np.float32, "_orqsRngUniform", ctypes.c_float)])
def test_uniform_equals_c_entry(raw, dtype, entry, ctype):
    h = _raw_stream(raw, 0x900007, [42])
    f = getattr(raw, entry)
    f.argtypes = [c_i32, c_vp, c_i32, c_vp, ctype, ctype]
    expect = np.empty(3000, dtype=dtype)
    assert f(0, h, 3000, expect.ctypes.data, -2.0, 3.0) == 0
    raw.__orqDeleteStream(ctypes.byref(h))
    got = zr.Stream("mt2203", seed=42, set=7).uniform(3000, -2.0, 3.0, dtype=dtype)
    assert got.dtype == dtype and np.array_equal(got, expect)
    assert got.min() >= -2.0 and got.max() <= 3.0


@pytest.mark.parametrize("name", sorted(zr.GENERATORS))
def test_every_generator(name, tmp_path):
    s = _stream_or_skip(name, seed=[5, 6, 7])
    ref = s.copy()
    u = s.uniform(20000)
    assert 0.0 <= u.min() and u.max() < 1.0 and abs(u.mean() - 0.5) < 0.01
    assert np.array_equal(ref.uniform(20000), u)  # copy continues identically
    s.save(tmp_path / "s.rng")
    t = zr.Stream.load(tmp_path / "s.rng")
    assert t.name == name and np.array_equal(t.uniform(500), s.uniform(500))


SPLIT = ["mcg31m1", "mcg59", "wh", "mrg32k3a"]


@pytest.mark.parametrize("name", SPLIT)
def test_skip_ahead_equals_discarding(name):
    s = _stream_or_skip(name, seed=99)
    t = s.copy()
    s.uniform(12345)
    assert np.array_equal(t.skip_ahead(12345).uniform(100), s.uniform(100))


@pytest.mark.parametrize("name", ["mcg31m1", "mcg59", "wh"])
def test_leapfrog_equals_interleaving(name):
    s = _stream_or_skip(name, seed=99)
    whole = s.copy().uniform(3 * 200)
    parts = [s.copy().leapfrog(k, 3).uniform(200) for k in range(3)]
    for k in range(3):
        assert np.array_equal(parts[k], whole[k::3])


def test_unsupported_split_is_a_library_status():
    s = zr.Stream("mt19937", seed=1)
    with pytest.raises(ZaforqError) as e:
        s.skip_ahead(10)
    assert e.value.name == "ORQ_STATUS_NO_SKIPAHEAD" and e.value.status == -1003
    with pytest.raises(ZaforqError, match="ORQ_STATUS_NO_LEAPFROG"):
        s.leapfrog(0, 2)


def test_load_errors(tmp_path):
    with pytest.raises(ZaforqError, match="ORQ_STATUS_FILE_OPEN_FAILED"):
        zr.Stream.load(tmp_path / "missing")
    (tmp_path / "bad").write_bytes(b"RNX" + bytes(21))
    with pytest.raises(ZaforqError, match="ORQ_STATUS_BAD_FILE_FORMAT"):
        zr.Stream.load(tmp_path / "bad")


# Distributions: the method against the entry called through ctypes on an identical stream,
# with the arguments in the entry's own order (method, stream, n, r, parameters...).
D, F, I = ctypes.c_double, ctypes.c_float, ctypes.c_int32
DIST = [
    ("gaussian", dict(mean=1.5, sigma=2.0), "_orqdRngGaussian", 0, [(D, 1.5), (D, 2.0)], np.float64),
    ("gaussian", dict(mean=1.5, sigma=2.0, method="box_muller2"), "_orqdRngGaussian", 1,
     [(D, 1.5), (D, 2.0)], np.float64),
    ("gaussian", dict(mean=1.5, sigma=2.0, dtype=np.float32), "_orqsRngGaussian", 0,
     [(F, 1.5), (F, 2.0)], np.float32),
    ("exponential", dict(a=1.0, beta=3.0), "_orqdRngExponential", 0, [(D, 1.0), (D, 3.0)], np.float64),
    ("laplace", dict(a=1.0, beta=3.0), "_orqdRngLaplace", 0, [(D, 1.0), (D, 3.0)], np.float64),
    ("weibull", dict(alpha=2.0, a=1.0, beta=3.0), "_orqdRngWeibull", 0, [(D, 2.0), (D, 1.0), (D, 3.0)],
     np.float64),
    ("cauchy", dict(a=1.0, beta=3.0), "_orqdRngCauchy", 0, [(D, 1.0), (D, 3.0)], np.float64),
    ("rayleigh", dict(a=1.0, beta=3.0), "_orqdRngRayleigh", 0, [(D, 1.0), (D, 3.0)], np.float64),
    ("lognormal", dict(a=0.5, sigma=0.25, b=1.0, beta=2.0), "_orqdRngLognormal", 0,
     [(D, 0.5), (D, 0.25), (D, 1.0), (D, 2.0)], np.float64),
    ("gumbel", dict(a=1.0, beta=3.0), "_orqdRngGumbel", 0, [(D, 1.0), (D, 3.0)], np.float64),
    ("gamma", dict(alpha=2.5, a=1.0, beta=3.0), "_orqdRngGamma", 0, [(D, 2.5), (D, 1.0), (D, 3.0)],
     np.float64),
    ("beta", dict(p=2.0, q=3.0, a=1.0, beta=3.0), "_orqdRngBeta", 0,
     [(D, 2.0), (D, 3.0), (D, 1.0), (D, 3.0)], np.float64),
    ("uniform_int", dict(a=-3, b=9), "_orqiRngUniform", 0, [(I, -3), (I, 9)], np.int32),
    ("bernoulli", dict(p=0.3), "_orqiRngBernoulli", 0, [(D, 0.3)], np.int32),
    ("geometric", dict(p=0.3), "_orqiRngGeometric", 0, [(D, 0.3)], np.int32),
    ("binomial", dict(ntrial=50, p=0.3), "_orqiRngBinomial", 0, [(I, 50), (D, 0.3)], np.int32),
    ("negbinomial", dict(a=3.0, p=0.3), "_orqiRngNegbinomial", 0, [(D, 3.0), (D, 0.3)], np.int32),
    ("hypergeometric", dict(l=100, s=20, m=30), "_orqiRngHypergeometric", 0,
     [(I, 100), (I, 20), (I, 30)], np.int32),
    ("poisson", dict(lam=40.0), "_orqiRngPoisson", 0, [(D, 40.0)], np.int32),
    ("poisson", dict(lam=40.0, method="poisnorm"), "_orqiRngPoisson", 1, [(D, 40.0)], np.int32),
]


@pytest.mark.parametrize("name,kw,entry,method,cargs,dtype", DIST,
                         ids=["%s-%s-%d" % (d[0], d[2], d[3]) for d in DIST])
def test_distribution_equals_c_entry(raw, name, kw, entry, method, cargs, dtype):
    if not hasattr(raw, entry):
        with pytest.raises(NotImplementedError, match=entry):
            getattr(zr.Stream("mcg59", seed=1), name)(10, **kw)
        pytest.skip("%s is not in this library yet" % entry)
    n = 1001  # odd, so that carried-over halves of Box-Muller pairs are exercised
    h = _raw_stream(raw, 0x400000, [77])
    f = getattr(raw, entry)
    f.argtypes = [c_i32, c_vp, c_i32, c_vp] + [t for t, _ in cargs]
    expect = np.empty(n, dtype=dtype)
    assert f(method, h, n, expect.ctypes.data, *[v for _, v in cargs]) == 0
    raw.__orqDeleteStream(ctypes.byref(h))
    got = getattr(zr.Stream("mcg59", seed=77), name)(n, **kw)
    assert got.dtype == dtype and np.array_equal(got, expect)


BAD = [
    (lambda: zr.Stream("mt19938"), ValueError, "unknown generator 'mt19938'"),
    (lambda: zr.Stream(19937), TypeError, "name must be a string"),
    (lambda: zr.Stream("mt2203", set=1024), ValueError, "0 .. 1023"),
    (lambda: zr.Stream("mt19937", set=1), ValueError, "0 .. 0"),
    (lambda: zr.Stream("mt19937", seed=-1), ValueError, "negative"),
    (lambda: zr.Stream("mt19937", seed="abc"), TypeError, "seed"),
    (lambda: zr.Stream("mt19937", seed=[2**32]), ValueError, "32-bit|2\\*\\*32"),
    (lambda: zr.Stream("mcg31m1").uniform(-1), ValueError, "negative"),
    (lambda: zr.Stream("mcg31m1").uniform(2.5), TypeError, "integer"),
    (lambda: zr.Stream("mcg31m1").uniform(5, 1.0, 1.0), ValueError, "below b"),
    (lambda: zr.Stream("mcg31m1").uniform(5, 0.0, np.inf), ValueError, "finite"),
    (lambda: zr.Stream("mcg31m1").uniform(5, dtype=np.int32), TypeError, "float32 or float64"),
    (lambda: zr.Stream("mcg31m1").uniform(5, "0"), TypeError, "real number"),
    (lambda: zr.Stream("mcg31m1").gaussian(5, sigma=0.0), ValueError, "sigma must be positive"),
    (lambda: zr.Stream("mcg31m1").gaussian(5, method="polar"), ValueError, "method"),
    (lambda: zr.Stream("mcg31m1").binomial(5, -1, 0.5), ValueError, "ntrial"),
    (lambda: zr.Stream("mcg31m1").bernoulli(5, 1.5), ValueError, "p must be in"),
    (lambda: zr.Stream("mcg31m1").hypergeometric(5, 10, 11, 3), ValueError, "exceed"),
    (lambda: zr.Stream("mcg31m1").uniform_bits(-3), ValueError, "negative"),
    (lambda: zr.Stream("mcg31m1").uniform(3, out=np.empty(3, np.int32)), TypeError, "float32 or float64"),
    (lambda: zr.Stream("mcg31m1").uniform(3, out=np.empty(4)), ValueError, "4 elements"),
    (lambda: zr.Stream("mcg31m1").uniform(3, dtype=np.float32, out=np.empty(3)), TypeError, "dtype"),
    (lambda: zr.Stream("mcg31m1").uniform(4, out=np.empty(8)[::2]), TypeError, "contiguous"),
    (lambda: zr.Stream("mcg31m1").skip_ahead(-3), ValueError, "negative"),
    (lambda: zr.Stream("mcg31m1").leapfrog(0, 2**31), ValueError, "2\\*\\*31"),
    (lambda: zr.Stream("mcg31m1").gaussian_mv(3, [0.0, 0.0], np.eye(3)), ValueError, "shape"),
    (lambda: zr.Stream("mcg31m1").poisson_v([1.0, -2.0]), ValueError, "positive"),
]


@pytest.mark.parametrize("call,exc,match", BAD)
def test_bad_arguments(call, exc, match):
    with pytest.raises(exc, match=match):
        call()


def test_out_array():
    s = zr.Stream("mt2203", seed=5, set=3)
    expect = s.copy().uniform(100, 1.0, 2.0, dtype=np.float32)
    out = np.zeros(100, dtype=np.float32)
    assert s.uniform(100, 1.0, 2.0, out=out) is out and np.array_equal(out, expect)


def test_closed_stream_and_zero_count():
    s = zr.Stream("mcg31m1", seed=3)
    assert s.uniform(0).shape == (0,) and s.uniform_bits(0).shape == (0,)
    s.close()
    with pytest.raises(ValueError, match="closed"):
        s.uniform(3)
