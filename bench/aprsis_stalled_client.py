#!/usr/bin/env python3
"""Memory of ventora-aprsis while an AGWPE client stops reading: a fake APRS-IS server sends
LINES packet lines as fast as the bridge takes them; the client switches monitoring on and
never reads again. Prints the bridge's resident memory before and after (VmRSS, VmHWM).
Usage: aprsis_stalled_client.py BUILD_DIR [LINES]"""
import socket
import subprocess
import sys
import time

build = sys.argv[1]
lines = int(sys.argv[2]) if len(sys.argv) > 2 else 100000


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def memory(pid):
    fields = {}
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            key, _, value = line.partition(":")
            fields[key] = value.strip()
    return fields["VmRSS"], fields["VmHWM"]


server = socket.socket()
server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
server.bind(("127.0.0.1", 0))
server.listen(1)
agw_port = free_port()
bridge = subprocess.Popen(
    [f"{build}/tools/ventora-aprsis", "--login", "N0CALL", "--server",
     f"127.0.0.1:{server.getsockname()[1]}", "--port", str(agw_port), "IZ9ZZZ-13"],
    stderr=subprocess.DEVNULL)
upstream, _ = server.accept()
time.sleep(0.3)
client = socket.create_connection(("127.0.0.1", agw_port))
client.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
client.sendall(b"\0\0\0\0m" + b"\0" * 31)  # monitoring on, then never a read
upstream.sendall(b"# aprsc 2.1.14\r\n")
upstream.recv(200)  # the login
upstream.sendall(b"# logresp N0CALL unverified, server T2TEST\r\n")
time.sleep(0.3)
print("before: VmRSS %s, VmHWM %s" % memory(bridge.pid))
start = time.time()
batch = b"".join(b"IZ9ZZZ-13>APRS,TCPIP*,qAC,T2TEST:_220/004g005t%03dh50b10132 report %06d\r\n"
                 % (i % 100, i) for i in range(lines))
upstream.sendall(batch)
time.sleep(2)
rss, hwm = memory(bridge.pid)
print(f"after {lines} lines in {time.time() - start - 2:.2f} s with a client that never reads: "
      f"VmRSS {rss}, VmHWM {hwm}")
bridge.terminate()
bridge.wait(5)
