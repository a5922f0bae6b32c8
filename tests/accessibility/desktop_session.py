"""A desktop session of its own for an accessibility test: a virtual X
display, a session bus and the accessibility bus, started and ended by the
test. The CI machine has no display and no desktop session."""

import os
import shutil
import signal
import subprocess
import tempfile
import time

AT_SPI_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


def missing_tools():
    """What this machine lacks to run such a session, as a list of names."""
    missing = [tool for tool in ("Xvfb", "dbus-daemon") if not shutil.which(tool)]
    if not os.path.exists(AT_SPI_LAUNCHER):
        missing.append(AT_SPI_LAUNCHER)
    try:
        import gi  # noqa: F401 (pyatspi's base)
        import pyatspi  # noqa: F401
    except ImportError:
        missing.append("python3-pyatspi")
    return missing


class DesktopSession:
    """Use as a context manager; on entry the environment of this process
    points at the session, so that pyatspi imported afterwards joins it."""

    def __init__(self):
        self.processes = []
        self.runtime_dir = tempfile.mkdtemp(prefix="kvx-a11y-")

    def start(self, args, **kwargs):
        # Each in a group of its own, so that what it starts goes with it.
        process = subprocess.Popen(args, start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def __enter__(self):
        os.environ["XDG_RUNTIME_DIR"] = self.runtime_dir
        read_fd, write_fd = os.pipe()
        self.start(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                   pass_fds=(write_fd,), stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as display:
            os.environ["DISPLAY"] = ":" + display.readline().strip()

        bus = self.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                         stdout=subprocess.PIPE, text=True)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()

        self.start([AT_SPI_LAUNCHER, "--launch-immediately"], stderr=subprocess.DEVNULL)
        os.environ["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        os.environ["QT_ACCESSIBILITY"] = "1"
        os.environ.pop("QT_QPA_PLATFORM", None)
        time.sleep(0.5)
        return self

    def __exit__(self, *exc):
        for process in reversed(self.processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        for process in reversed(self.processes):
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
        shutil.rmtree(self.runtime_dir, ignore_errors=True)
        return False
