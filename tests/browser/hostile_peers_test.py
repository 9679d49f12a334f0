#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Hostile peers on loopback while two phones play: the game stays up and in time.

    hostile_peers_test.py URL PLAY_FOLDER

URL is the join address the game printed (phones_test.sh starts the game). Two honest
phones, speaking the game's protocol over WebSockets of this file's own, take the seats
and play, while peers try what a stranger on the party's Wi-Fi might: no token, a wrong
token, paths outside the pad's files, other methods, another site's page, a stolen
host name, a wrong seat token, an oversized frame, a flood, hundreds of idle
connections and a handshake that never ends. Each must get nothing; both seats keep
playing; the countdown the phones see keeps time (within 50 ms a second); and no file
of the play folder changes. Exit status 0 passed, 1 failed.
"""

import base64
import hashlib
import json
import os
import socket
import struct
import sys
import threading
import time
import urllib.parse


class Failure(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise Failure(message)


URL = urllib.parse.urlsplit(sys.argv[1])
PLAY = sys.argv[2]
HOST, PORT = "127.0.0.1", URL.port
TOKEN = URL.path.rsplit("/", 1)[1]
SERVED = f"{HOST}:{PORT}"


def connect(timeout=5):
    s = socket.create_connection((HOST, PORT), timeout=timeout)
    s.settimeout(timeout)
    return s


def http(raw):
    """Sends raw bytes and reads the answer until the server closes."""
    s = connect()
    s.sendall(raw)
    out = b""
    try:
        while True:
            chunk = s.recv(65536)
            if not chunk:
                break
            out += chunk
    except (socket.timeout, ConnectionResetError):
        pass
    s.close()
    return out


def get(path, host=SERVED, method="GET"):
    return http(f"{method} {path} HTTP/1.1\r\nHost: {host}\r\n\r\n".encode())


def expect_nothing(answer, what):
    expect(answer.startswith(b"HTTP/1.1 404 Not Found\r\n") or answer == b"",
           f"{what}: answered {answer[:80]!r}")
    head, _, body = answer.partition(b"\r\n\r\n")
    expect(body == b"", f"{what}: said {body[:80]!r}")


class Socket:
    """A WebSocket client, just enough of RFC 6455 for the test."""

    def __init__(self, origin=f"http://{SERVED}", host=SERVED, path=f"/j/{TOKEN}/ws"):
        self.sock = connect()
        key = base64.b64encode(os.urandom(16)).decode()
        self.sock.sendall((f"GET {path} HTTP/1.1\r\nHost: {host}\r\nUpgrade: websocket\r\n"
                           f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                           f"Sec-WebSocket-Version: 13\r\nOrigin: {origin}\r\n\r\n").encode())
        head = b""
        while b"\r\n\r\n" not in head:
            chunk = self.sock.recv(1)
            if not chunk:
                break
            head += chunk
        self.accepted = head.startswith(b"HTTP/1.1 101")
        accept = base64.b64encode(hashlib.sha1(
            (key + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11").encode()).digest()).decode()
        expect(not self.accepted or accept.encode() in head, "a wrong Sec-WebSocket-Accept")
        self.buffer = b""

    def send_frame(self, opcode, payload):
        mask = os.urandom(4)
        header = bytes([0x80 | opcode])
        n = len(payload)
        if n < 126:
            header += bytes([0x80 | n])
        elif n < 65536:
            header += bytes([0x80 | 126]) + struct.pack(">H", n)
        else:
            header += bytes([0x80 | 127]) + struct.pack(">Q", n)
        masked = bytes(b ^ mask[i % 4] for i, b in enumerate(payload))
        self.sock.sendall(header + mask + masked)

    def send(self, text):
        self.send_frame(1, text.encode())

    def _read(self, n):
        while len(self.buffer) < n:
            chunk = self.sock.recv(65536)
            if not chunk:
                raise ConnectionError("closed")
            self.buffer += chunk
        out, self.buffer = self.buffer[:n], self.buffer[n:]
        return out

    def receive(self, timeout=5):
        """The next text message, or None when the server closed the connection."""
        self.sock.settimeout(timeout)
        try:
            while True:
                b0, b1 = self._read(2)
                n = b1 & 0x7F
                if n == 126:
                    n = struct.unpack(">H", self._read(2))[0]
                elif n == 127:
                    n = struct.unpack(">Q", self._read(8))[0]
                payload = self._read(n)
                opcode = b0 & 0x0F
                if opcode == 1:
                    return payload.decode()
                if opcode == 8:
                    return None
        except (ConnectionError, ConnectionResetError, OSError):
            return None

    def closed_within(self, seconds):
        """Whether the server closes this connection within the time, whatever it sends."""
        end = time.time() + seconds
        while time.time() < end:
            if self.receive(timeout=max(0.1, end - time.time())) is None:
                return True
        return False

    def close(self):
        self.sock.close()


class Phone:
    """An honest phone in a thread of its own: takes a seat and keeps the latest view,
    and when each view came."""

    def __init__(self, label):
        self.label = label
        self.socket = Socket()
        expect(self.socket.accepted, f"{label}'s socket was refused")
        self.socket.send("hello")
        joined = json.loads(self.socket.receive())
        expect(joined.get("seat", -1) >= 0, f"{label} got no seat: {joined}")
        self.seat = joined["seat"]
        self.view = {}
        self.clocks = []  # (time, clock) as each countdown second arrived
        self.alive = True
        self.lock = threading.Lock()
        threading.Thread(target=self.listen, daemon=True).start()
        threading.Thread(target=self.keep_alive, daemon=True).start()

    def listen(self):
        while self.alive:
            message = self.socket.receive(timeout=30)
            if message is None:
                self.alive = False
                return
            view = json.loads(message)
            with self.lock:
                before = self.view.get("clock")
                self.view = view
                # The countdown's seconds, each as it came; a judged question ends a run.
                counting = (view.get("screen") == "quiz" and view.get("result") == "" and
                            (view.get("answers") or ["", "", ""])[2] != "")
                if not counting:
                    self.clocks.append((time.monotonic(), None))
                elif view.get("clock") != before:
                    self.clocks.append((time.monotonic(), view.get("clock")))

    def keep_alive(self):
        while self.alive:
            time.sleep(10)
            try:
                self.socket.send("ping")
            except OSError:
                return

    def wait(self, what, check, seconds=30):
        end = time.time() + seconds
        while time.time() < end:
            with self.lock:
                if check(self.view):
                    return dict(self.view)
            expect(self.alive, f"{self.label} lost its connection while waiting for {what}")
            time.sleep(0.02)
        raise Failure(f"{self.label}: {what} did not come in {seconds} s (last {self.view})")

    def press(self, action):
        self.socket.send(f"press {action}")


def files_of(folder):
    out = {}
    for name in sorted(os.listdir(folder)):
        with open(os.path.join(folder, name), "rb") as f:
            out[name] = f.read()
    return out


def attacks(one):
    # Nothing without the token, nothing outside the pad's files, only GET.
    expect_nothing(get("/"), "/")
    expect_nothing(get("/j/"), "/j/")
    expect_nothing(get("/j/" + "a" * len(TOKEN)), "a wrong token")
    expect_nothing(get("/j/" + TOKEN[:-1]), "a token one letter short")
    for path in ("/j/{t}/names.etc", "/j/{t}/../names.etc", "/j/{t}/%2e%2e/names.etc",
                 "/j/{t}/", "/j/{t}/pad.js/", "/names.etc", "/j/{t}/prizes"):
        expect_nothing(get(path.format(t=TOKEN)), path)
    for method in ("POST", "HEAD", "PUT", "OPTIONS", "DELETE"):
        expect_nothing(get(f"/j/{TOKEN}", method=method), method)
    expect_nothing(get(f"/j/{TOKEN}", host="attacker.example"), "a stolen host name")
    expect_nothing(http(b"\x16\x03\x01\x02\x00" + os.urandom(64) + b"\r\n\r\n"), "TLS bytes")
    page = get(f"/j/{TOKEN}")
    expect(page.startswith(b"HTTP/1.1 200 OK\r\n"), f"the pad page: {page[:60]!r}")
    head = page.partition(b"\r\n\r\n")[0].decode().lower()
    for needed in ("content-security-policy: default-src 'none'", "x-content-type-options: nosniff",
                   "cache-control: no-store"):
        expect(needed in head, f"the page comes without {needed}")
    print("ok: nothing is served without the token, outside the pad's files or but to GET")

    # Another site's page, a rebound host name: no socket.
    for origin, host in (("http://evil.example", SERVED), ("null", SERVED),
                         (f"http://evil.example:{PORT}", f"evil.example:{PORT}")):
        s = Socket(origin=origin, host=host)
        expect(not s.accepted, f"a socket for Origin {origin}, Host {host}")
        s.close()
    print("ok: no socket for another site's page or a rebound host name")

    # A wrong seat token takes nobody's seat; the seats are both held.
    s = Socket()
    s.send("hello " + "0" * 32)
    expect(json.loads(s.receive()) == {"seat": -1, "full": True}, "a wrong seat token got a seat")
    s.send("press a")
    s.close()

    # An oversized frame, a flood, binary frames: dropped.
    s = Socket()
    s.send("x" * 8192)
    expect(s.closed_within(3), "an 8 KB frame was taken")
    s = Socket()
    for _ in range(300):
        try:
            s.send("ping")
        except OSError:
            break
    expect(s.closed_within(3), "a flood of 300 messages was taken")
    s = Socket()
    for _ in range(5):
        s.send_frame(2, os.urandom(16))
    s.send("hello")
    expect(s.receive() is not None, "a binary frame broke the connection it came on")
    s.close()
    print("ok: a wrong seat token, an oversized frame and a flood get nothing; binary is ignored")

    # Hundreds of connections left idle, and a handshake that never ends.
    idle = []
    for _ in range(300):
        try:
            idle.append(connect(timeout=2))
        except OSError:
            break
    slow = connect()
    slow.sendall(b"GET /j/" + TOKEN.encode() + b"/ws HTTP/1.1\r\n")
    started = time.time()
    closed = False
    while time.time() - started < 8:
        try:
            slow.sendall(b"X")
            slow.settimeout(1)
            if slow.recv(1) == b"":
                closed = True
                break
        except (socket.timeout, BlockingIOError):
            continue
        except OSError:
            closed = True
            break
    expect(closed, "a handshake that never ends was kept over 8 s")
    for s in idle:
        s.close()
    print(f"ok: {len(idle)} idle connections and a slow handshake are let go")


def waiting(phones, action, what, seconds=30):
    """The phone that may press `action`, once one may."""
    end = time.time() + seconds
    while time.time() < end:
        for phone in phones:
            with phone.lock:
                if action in phone.view.get("actions", []):
                    return phone
            expect(phone.alive, f"{phone.label} lost its connection while waiting for {what}")
        time.sleep(0.02)
    raise Failure(f"no phone may press {action} for {what} in {seconds} s")


def play(one, two, questions):
    """The seated phones go on: each question asked and answered by whoever's turn it is."""
    for n in range(questions):
        asker = waiting((one, two), "continue", f"question {n + 1}")
        asker.press("continue")
        asker.wait(f"question {n + 1}'s A, B and C", lambda v: "a" in v.get("actions", []))
        # The clock runs a few seconds while the attacks go on, then the answer.
        time.sleep(2.5)
        asker.press("a")
        asker.wait(f"question {n + 1}'s result", lambda v: v.get("result", "") != "")


def main():
    before = files_of(PLAY)
    one = Phone("phone 1")
    two = Phone("phone 2")
    one.socket.send("group phones.set")
    one.wait("the group", lambda v: v.get("group") == "phones.set")
    one.wait("Play", lambda v: "play" in v.get("actions", []))
    one.press("play")
    one.wait("the quiz", lambda v: v.get("screen") == "quiz", 60)

    problems = []

    def attacker():
        try:
            attacks(one)
        except Failure as e:
            problems.append(str(e))
        except Exception as e:  # noqa: BLE001 - an attack that breaks is a finding
            problems.append(f"an attack broke the test: {e!r}")

    thread = threading.Thread(target=attacker)
    thread.start()
    play(one, two, 3)
    thread.join(120)
    expect(not problems, "; ".join(problems))
    expect(one.alive and two.alive, "a seated phone lost its connection under the attacks")

    # The countdown the phones saw: a second between seconds, whatever happened meanwhile.
    worst = 0.0
    for phone in (one, two):
        runs = phone.clocks
        for (t0, c0), (t1, c1) in zip(runs, runs[1:]):
            if c0 and c1 and c0.isdigit() and c1.isdigit() and int(c1) == int(c0) - 1:
                worst = max(worst, abs((t1 - t0) - 1.0))
    expect(worst < 0.05, f"the countdown drifted by {worst * 1000:.0f} ms in a second")
    print(f"ok: both seats played on; the countdown kept time within {worst * 1000:.0f} ms")

    expect(files_of(PLAY) == before, "a file of the play folder changed")
    print("ok: nothing reached the play folder")
    print("hostile peers test passed")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except Failure as e:
        print(f"FAIL: {e}", file=sys.stderr)
        sys.exit(1)
