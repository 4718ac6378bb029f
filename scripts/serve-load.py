#!/usr/bin/env python3
"""Load for tagmora-cli serve: REQUESTS posts of one body by CLIENTS clients
at once, each on a kept-alive connection of its own; prints requests per
second, the 50th and 95th percentile and the longest time a request took.

    scripts/serve-load.py PORT BODY_FILE [REQUESTS] [CLIENTS]
"""
import http.client
import sys
import threading
import time

port, body_file = int(sys.argv[1]), sys.argv[2]
requests = int(sys.argv[3]) if len(sys.argv) > 3 else 1000
clients = int(sys.argv[4]) if len(sys.argv) > 4 else 8
body = open(body_file, "rb").read()
times, failed, lock = [], [0], threading.Lock()
left = [requests]


def client():
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=120)
    while True:
        with lock:
            if left[0] == 0:
                return
            left[0] -= 1
        start = time.perf_counter()
        try:
            connection.request("POST", "/print", body, {"Content-Type": "application/json"})
            response = connection.getresponse()
            response.read()
            ok = response.status == 200
        except (OSError, http.client.HTTPException):
            ok = False
            connection.close()
            connection = http.client.HTTPConnection("127.0.0.1", port, timeout=120)
        took = time.perf_counter() - start
        with lock:
            times.append(took)
            failed[0] += 0 if ok else 1


start = time.perf_counter()
threads = [threading.Thread(target=client) for _ in range(clients)]
for t in threads:
    t.start()
for t in threads:
    t.join()
elapsed = time.perf_counter() - start
times.sort()
print(f"{requests} requests, {clients} clients, {failed[0]} not 200")
print(f"{requests / elapsed:.1f} requests/s")
print(f"p50 {times[int(len(times) * 0.50)] * 1000:.0f} ms, p95 {times[int(len(times) * 0.95)] * 1000:.0f} ms, "
      f"max {times[-1] * 1000:.0f} ms")
