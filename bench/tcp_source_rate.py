#!/usr/bin/env python3
"""A TCP receiver at 921600 baud's rate (90 KB/s) for a minute: kestrion-cli run records what it
receives, and the recording must be byte for byte what was sent.

    python3 bench/tcp_source_rate.py build/release/src/cli/kestrion-cli [SECONDS]
"""
import filecmp
import os
import socket
import subprocess
import sys
import tempfile
import threading
import time

RATE = 90_000


def serve(listener, seconds, sent_path, stream):
    connection, _ = listener.accept()
    sent = bytearray()
    start = time.monotonic()
    at = 0
    while time.monotonic() - start < seconds:
        due = int((time.monotonic() - start) * RATE) - len(sent)
        while due > 0:
            piece = stream[at:at + min(due, 4096)] or stream[:min(due, 4096)]
            at = (at + len(piece)) % len(stream)
            connection.sendall(piece)
            sent += piece
            due -= len(piece)
        time.sleep(0.005)
    with open(sent_path, 'wb') as out:
        out.write(sent)
    time.sleep(1)
    connection.close()


def main():
    cli = sys.argv[1]
    seconds = int(sys.argv[2]) if len(sys.argv) > 2 else 60
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    with open(os.path.join(root, 'samples', 'receiver-38400.bin'), 'rb') as sample:
        stream = sample.read()
    with tempfile.TemporaryDirectory() as work:
        listener = socket.create_server(('127.0.0.1', 0))
        port = listener.getsockname()[1]
        sent_path = os.path.join(work, 'sent.bin')
        server = threading.Thread(target=serve, args=(listener, seconds, sent_path, stream))
        server.start()
        ini = os.path.join(work, 'tcp.ini')
        with open(ini, 'w') as out:
            out.write(f'[Data Sources]\nDataSource=1\nMeasSource=1\nMeasSerialPort=tcp://127.0.0.1:{port}\n')
        recorded = os.path.join(work, 'recorded.bin')
        subprocess.run([cli, 'run', '--ini', ini, '--seconds', str(seconds + 3), '--record', recorded],
                       stderr=subprocess.DEVNULL, check=False)
        server.join()
        size = os.path.getsize(sent_path)
        same = filecmp.cmp(sent_path, recorded, shallow=False)
        print(f'sent {size} bytes in {seconds} s ({size / seconds / 1000:.1f} KB/s); '
              f'recorded {os.path.getsize(recorded)} bytes, {"identical" if same else "DIFFERENT"}')
        sys.exit(0 if same else 1)


main()
