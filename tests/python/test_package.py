import os
import shutil
import subprocess
import sys

import zaforq

from conftest import ROOT

PY = sys.executable


def _run(code, env, cwd):
    return subprocess.run([PY, "-c", code], env=env, cwd=cwd, capture_output=True, text=True)


def test_explicit_library_path_is_final(tmp_path):
    env = dict(os.environ, ZAFORQ_LIBRARY=str(tmp_path / "nowhere.so"),
               PYTHONPATH=os.path.join(ROOT, "python"))
    r = _run("import zaforq", env, tmp_path)
    assert r.returncode != 0 and "ImportError" in r.stderr and "nowhere.so" in r.stderr


def test_pip_install_bundles_the_library(tmp_path):
    # Installed from a copy of python/ (the build must not write into the checkout), the package
    # carries the library named by ZAFORQ_LIBRARY and finds it beside itself afterwards.
    src = tmp_path / "src"
    shutil.copytree(os.path.join(ROOT, "python"), src,
                    ignore=shutil.ignore_patterns("build", "*.egg-info", "__pycache__", "*.so"))
    env = dict(os.environ, ZAFORQ_LIBRARY=zaforq.library_path, PIP_NO_INDEX="1",
               PIP_DISABLE_PIP_VERSION_CHECK="1")
    r = subprocess.run([PY, "-m", "pip", "install", "-q", "--no-build-isolation", "--no-deps",
                        "--target", str(tmp_path / "site"), str(src)],
                       env=env, capture_output=True, text=True)
    assert r.returncode == 0, r.stdout + r.stderr
    env.pop("ZAFORQ_LIBRARY")
    env["PYTHONPATH"] = str(tmp_path / "site")
    r = _run("import zaforq, numpy as np; print(zaforq.library_path); "
             "print(zaforq.vm.exp(np.zeros(3)).tolist())", env, tmp_path)
    assert r.returncode == 0, r.stderr
    path, values = r.stdout.split("\n")[:2]
    assert path == str(tmp_path / "site" / "zaforq" / "libzaforq.so")
    assert values == "[1.0, 1.0, 1.0]"
