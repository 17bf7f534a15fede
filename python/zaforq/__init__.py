"""zaforq: numpy arrays through libzaforq.so (vector math, random streams, convolution, FFT).

Modules: ``zaforq.vm`` (elementwise kernels in accuracy classes), ``zaforq.random`` (streams
and distributions), ``zaforq.signal`` (convolve/correlate), ``zaforq.fft`` (rfft/irfft).
``zaforq.library_path`` tells which shared object was loaded (see ``zaforq._lib`` for the
search order and the ``ZAFORQ_LIBRARY`` variable).
"""

from ._lib import ZaforqError, path as library_path
from . import vm, random, signal, fft

__all__ = ["vm", "random", "signal", "fft", "ZaforqError", "library_path"]
__version__ = "0.1"
