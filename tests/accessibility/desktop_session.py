"""A desktop session of its own for an accessibility test: a virtual X
display, a session bus and the accessibility bus, started and ended by the
test. The CI machine has no display and no desktop session."""

import os
import shutil
import signal
import socket
import struct
import subprocess
import tempfile
import time

AT_SPI_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


def missing_tools():
    """What this machine lacks to run such a session, as a list of names."""
    missing = [tool for tool in ("Xvfb", "dbus-daemon", "dbus-send") if not shutil.which(tool)]
    if not os.path.exists(AT_SPI_LAUNCHER):
        missing.append(AT_SPI_LAUNCHER)
    try:
        import gi  # noqa: F401 (pyatspi's base)
        import pyatspi  # noqa: F401
    except ImportError:
        missing.append("python3-pyatspi")
    return missing


class SessionUnavailable(Exception):
    """The machine could not give this test a usable virtual display."""


def x_handshake(display):
    """Opens a connection to the display as every X client does (the
    abstract socket first, then the file) and returns None when the server
    accepts it, else why not."""
    reason = "nothing listens"
    for address in ("\0/tmp/.X11-unix/X" + display, "/tmp/.X11-unix/X" + display):
        try:
            with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as connection:
                connection.settimeout(5)
                connection.connect(address)
                connection.sendall(struct.pack("<BxHHHHxx", ord("l"), 11, 0, 0, 0))
                reply = connection.recv(8 + 255)
        except OSError as error:
            reason = "%s: %s" % (address.replace("\0", "@"), error)
            continue
        if reply[:1] == b"\x01":
            return None
        if reply[:1] == b"\x00":
            return "refused: " + reply[8:8 + reply[1]].decode(errors="replace")
        return "asks for authentication" if reply[:1] == b"\x02" else "no answer"
    return reason


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
        self.start_display()

        bus = self.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                         stdout=subprocess.PIPE, text=True)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()

        self.start([AT_SPI_LAUNCHER, "--launch-immediately"], stderr=subprocess.DEVNULL)
        # A program started before the accessibility bus and its registry
        # answer stays invisible to the test for its whole life.
        address = self.wait_for_reply(["--session", "--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
                                      "the accessibility bus")
        address = address.split('"')[1]
        self.wait_for_reply(["--bus=" + address, "--dest=org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root",
                             "org.freedesktop.DBus.Peer.Ping"], "the accessibility registry")
        os.environ["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        os.environ["QT_ACCESSIBILITY"] = "1"
        os.environ.pop("QT_QPA_PLATFORM", None)
        return self

    @staticmethod
    def wait_for_reply(call, what):
        """Repeats a D-Bus call until it is answered; the reply's text."""
        deadline = time.monotonic() + 20
        while True:
            reply = subprocess.run(["dbus-send", "--print-reply"] + call, capture_output=True, text=True)
            if reply.returncode == 0:
                return reply.stdout
            if time.monotonic() > deadline:
                raise SessionUnavailable("%s did not answer: %s" % (what, reply.stderr.strip()))
            time.sleep(0.1)

    def start_display(self):
        """Xvfb on the first free display; the display must take a client
        before the session goes on, else the test cannot say anything."""
        log_path = os.path.join(self.runtime_dir, "xvfb.log")
        for attempt in (1, 2):
            read_fd, write_fd = os.pipe()
            with open(log_path, "w") as log:
                server = self.start(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24",
                                     "-nolisten", "tcp"], pass_fds=(write_fd,), stderr=log)
            os.close(write_fd)
            with os.fdopen(read_fd) as pipe:
                display = pipe.readline().strip()
            problem = "Xvfb named no display" if not display else "did not answer"
            deadline = time.monotonic() + 10
            while display and time.monotonic() < deadline:
                if server.poll() is not None:
                    problem = "Xvfb ended with %d" % server.returncode
                    break
                problem = x_handshake(display)
                if problem is None:
                    os.environ["DISPLAY"] = ":" + display
                    return
                time.sleep(0.1)
            with open(log_path) as log:
                server_said = log.read().strip()
            if server.poll() is None:
                os.killpg(server.pid, signal.SIGTERM)
                server.wait()
        raise SessionUnavailable("virtual display :%s unusable (%s); Xvfb said: %s"
                                 % (display, problem, server_said[-2000:] or "nothing"))

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
